// Report lists, combos, trees and progress bars of a dialog.
#include <algorithm>
#include <utility>

#include "platform/Dialog.h"

namespace vigil::platform {

namespace {

bool InRange(int index, std::size_t size) {
  return index >= 0 && static_cast<std::size_t>(index) < size;
}

void FitRow(std::vector<std::string>& cells, std::size_t columns) {
  if (columns > 0) cells.resize(columns);
}

// After removing entry `removed`, an index that pointed behind it moves up; one that
// pointed at it is gone.
int AfterRemoval(int index, int removed) {
  if (index == removed) return -1;
  return index > removed ? index - 1 : index;
}

char Lower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool LessNoCase(const std::string& a, const std::string& b) {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                      [](char x, char y) { return Lower(x) < Lower(y); });
}

// Records what changed in a report list's rows, for a host that follows edit by edit.
void Edited(Control& c, ListEdit::Kind kind, int row = -1, int column = -1) {
  c.listEdit = ListEdit{kind, row, column};
  ++c.listRevision;
}

}  // namespace

// ---- Report list ----------------------------------------------------------------------

void Dialog::ListSetColumns(int id, std::vector<ListColumn> columns) {
  Control* c = FindKind(id, ControlKind::ReportList);
  if (c == nullptr) return;
  c->columns = std::move(columns);
  for (auto& row : c->rows) FitRow(row, c->columns.size());
  Edited(*c, ListEdit::Kind::All);
  Changed(id);
}

void Dialog::ListSetColumn(int id, int column, ListColumn value) {
  Control* c = FindKind(id, ControlKind::ReportList);
  if (c == nullptr || !InRange(column, c->columns.size())) return;
  c->columns[column] = std::move(value);
  Edited(*c, ListEdit::Kind::All);
  Changed(id);
}

int Dialog::ListColumnCount(int id) const {
  const Control* c = FindKind(id, ControlKind::ReportList);
  return c != nullptr ? static_cast<int>(c->columns.size()) : 0;
}

int Dialog::ListRowCount(int id) const {
  const Control* c = FindKind(id, ControlKind::ReportList);
  return c != nullptr ? static_cast<int>(c->rows.size()) : 0;
}

int Dialog::ListAddRow(int id, std::vector<std::string> cells) {
  return ListInsertRow(id, ListRowCount(id), std::move(cells));
}

int Dialog::ListInsertRow(int id, int row, std::vector<std::string> cells) {
  Control* c = FindKind(id, ControlKind::ReportList);
  if (c == nullptr) return -1;
  const int count = static_cast<int>(c->rows.size());
  row = std::clamp(row, 0, count);
  FitRow(cells, c->columns.size());
  c->rows.insert(c->rows.begin() + row, std::move(cells));
  if (c->selected >= row) ++c->selected;
  if (c->scrollToRow >= row) ++c->scrollToRow;
  Edited(*c, ListEdit::Kind::Insert, row);
  Changed(id);
  return row;
}

void Dialog::ListSetRows(int id, std::vector<std::vector<std::string>> rows) {
  Control* c = FindKind(id, ControlKind::ReportList);
  if (c == nullptr) return;
  for (auto& row : rows) FitRow(row, c->columns.size());
  c->rows = std::move(rows);
  c->selected = -1;
  c->scrollToRow = -1;
  Edited(*c, ListEdit::Kind::All);
  Changed(id);
}

void Dialog::ListDeleteRow(int id, int row) {
  Control* c = FindKind(id, ControlKind::ReportList);
  if (c == nullptr || !InRange(row, c->rows.size())) return;
  c->rows.erase(c->rows.begin() + row);
  c->selected = AfterRemoval(c->selected, row);
  c->scrollToRow = AfterRemoval(c->scrollToRow, row);
  Edited(*c, ListEdit::Kind::Delete, row);
  Changed(id);
}

void Dialog::ListClear(int id) {
  Control* c = FindKind(id, ControlKind::ReportList);
  if (c == nullptr) return;
  c->rows.clear();
  c->selected = -1;
  c->scrollToRow = -1;
  Edited(*c, ListEdit::Kind::All);
  Changed(id);
}

std::string Dialog::ListCell(int id, int row, int column) const {
  const Control* c = FindKind(id, ControlKind::ReportList);
  if (c == nullptr || !InRange(row, c->rows.size()) || !InRange(column, c->rows[row].size())) return {};
  return c->rows[row][column];
}

void Dialog::ListSetCell(int id, int row, int column, std::string text) {
  Control* c = FindKind(id, ControlKind::ReportList);
  if (c == nullptr || !InRange(row, c->rows.size())) return;
  auto& cells = c->rows[row];
  // A list without columns grows its rows as cells are set.
  if (c->columns.empty() && column >= 0 && static_cast<std::size_t>(column) >= cells.size()) {
    cells.resize(static_cast<std::size_t>(column) + 1);
  }
  if (!InRange(column, cells.size())) return;
  cells[column] = std::move(text);
  Edited(*c, c->columns.empty() ? ListEdit::Kind::All : ListEdit::Kind::Cell, row, column);
  Changed(id);
}

std::vector<std::string> Dialog::ListRow(int id, int row) const {
  const Control* c = FindKind(id, ControlKind::ReportList);
  if (c == nullptr || !InRange(row, c->rows.size())) return {};
  return c->rows[row];
}

int Dialog::ListSelected(int id) const {
  const Control* c = FindKind(id, ControlKind::ReportList);
  return c != nullptr ? c->selected : -1;
}

void Dialog::ListSelect(int id, int row) {
  Control* c = FindKind(id, ControlKind::ReportList);
  if (c == nullptr) return;
  const int selected = InRange(row, c->rows.size()) ? row : -1;
  if (selected == c->selected) return;
  c->selected = selected;
  Edited(*c, ListEdit::Kind::None);
  Changed(id);
}

void Dialog::ListEnsureVisible(int id, int row) {
  Control* c = FindKind(id, ControlKind::ReportList);
  if (c == nullptr || !InRange(row, c->rows.size())) return;
  c->scrollToRow = row;
  Edited(*c, ListEdit::Kind::None);
  Changed(id);
}

// ---- Combo ----------------------------------------------------------------------------

int Dialog::ComboAdd(int id, std::string item) {
  Control* c = FindKind(id, ControlKind::Combo);
  if (c == nullptr) return -1;
  auto at = c->items.end();
  if (c->sorted) at = std::upper_bound(c->items.begin(), c->items.end(), item, LessNoCase);
  const int index = static_cast<int>(at - c->items.begin());
  c->items.insert(at, std::move(item));
  if (c->selected >= index) ++c->selected;
  Changed(id);
  return index;
}

void Dialog::ComboDelete(int id, int index) {
  Control* c = FindKind(id, ControlKind::Combo);
  if (c == nullptr || !InRange(index, c->items.size())) return;
  c->items.erase(c->items.begin() + index);
  c->selected = AfterRemoval(c->selected, index);
  Changed(id);
}

void Dialog::ComboClear(int id) {
  Control* c = FindKind(id, ControlKind::Combo);
  if (c == nullptr) return;
  c->items.clear();
  c->selected = -1;
  Changed(id);
}

int Dialog::ComboCount(int id) const {
  const Control* c = FindKind(id, ControlKind::Combo);
  return c != nullptr ? static_cast<int>(c->items.size()) : 0;
}

std::string Dialog::ComboItem(int id, int index) const {
  const Control* c = FindKind(id, ControlKind::Combo);
  if (c == nullptr || !InRange(index, c->items.size())) return {};
  return c->items[index];
}

int Dialog::ComboSelected(int id) const {
  const Control* c = FindKind(id, ControlKind::Combo);
  return c != nullptr ? c->selected : -1;
}

std::string Dialog::ComboSelectedText(int id) const {
  return ComboItem(id, ComboSelected(id));
}

void Dialog::ComboSelect(int id, int index) {
  Control* c = FindKind(id, ControlKind::Combo);
  if (c == nullptr) return;
  const int selected = InRange(index, c->items.size()) ? index : -1;
  if (selected == c->selected) return;
  c->selected = selected;
  Changed(id);
}

int Dialog::ComboFindPrefix(int id, std::string_view prefix, int startAfter) const {
  const Control* c = FindKind(id, ControlKind::Combo);
  if (c == nullptr) return -1;
  for (int i = std::max(startAfter + 1, 0); i < static_cast<int>(c->items.size()); ++i) {
    if (std::string_view(c->items[i]).substr(0, prefix.size()) == prefix) return i;
  }
  return -1;
}

int Dialog::ComboFindExact(int id, std::string_view text) const {
  const Control* c = FindKind(id, ControlKind::Combo);
  if (c == nullptr) return -1;
  for (int i = 0; i < static_cast<int>(c->items.size()); ++i) {
    if (c->items[i] == text) return i;
  }
  return -1;
}

// ---- Tree -----------------------------------------------------------------------------

int Dialog::TreeInsert(int id, int parent, std::string text) {
  Control* c = FindKind(id, ControlKind::Tree);
  if (c == nullptr || (parent != kTreeRoot && !InRange(parent, c->nodes.size()))) return -1;
  const int node = static_cast<int>(c->nodes.size());
  TreeNode n;
  n.text = std::move(text);
  n.parent = parent;
  c->nodes.push_back(std::move(n));
  if (parent != kTreeRoot) c->nodes[parent].children.push_back(node);
  Changed(id);
  return node;
}

void Dialog::TreeClear(int id) {
  Control* c = FindKind(id, ControlKind::Tree);
  if (c == nullptr) return;
  c->nodes.clear();
  c->selected = -1;
  Changed(id);
}

int Dialog::TreeNodeCount(int id) const {
  const Control* c = FindKind(id, ControlKind::Tree);
  return c != nullptr ? static_cast<int>(c->nodes.size()) : 0;
}

const TreeNode* Dialog::TreeGet(int id, int node) const {
  const Control* c = FindKind(id, ControlKind::Tree);
  if (c == nullptr || !InRange(node, c->nodes.size())) return nullptr;
  return &c->nodes[node];
}

std::string Dialog::TreeText(int id, int node) const {
  const TreeNode* n = TreeGet(id, node);
  return n != nullptr ? n->text : std::string();
}

int Dialog::TreeParent(int id, int node) const {
  const TreeNode* n = TreeGet(id, node);
  return n != nullptr ? n->parent : kTreeRoot;
}

std::vector<int> Dialog::TreeChildren(int id, int node) const {
  if (node != kTreeRoot) {
    const TreeNode* n = TreeGet(id, node);
    return n != nullptr ? n->children : std::vector<int>{};
  }
  std::vector<int> top;
  const Control* c = FindKind(id, ControlKind::Tree);
  if (c == nullptr) return top;
  for (int i = 0; i < static_cast<int>(c->nodes.size()); ++i) {
    if (c->nodes[i].parent == kTreeRoot) top.push_back(i);
  }
  return top;
}

void Dialog::TreeExpand(int id, int node, bool expanded) {
  Control* c = FindKind(id, ControlKind::Tree);
  if (c == nullptr || !InRange(node, c->nodes.size()) || c->nodes[node].expanded == expanded) return;
  c->nodes[node].expanded = expanded;
  Changed(id);
}

int Dialog::TreeSelected(int id) const {
  const Control* c = FindKind(id, ControlKind::Tree);
  return c != nullptr ? c->selected : -1;
}

void Dialog::TreeSelect(int id, int node) {
  Control* c = FindKind(id, ControlKind::Tree);
  if (c == nullptr || (node != kTreeRoot && !InRange(node, c->nodes.size())) || c->selected == node) return;
  c->selected = node;
  Changed(id);
}

// ---- Plot ---------------------------------------------------------------------------

void Dialog::PlotSet(int id, std::vector<PlotLine> lines, std::vector<PlotLevel> levels, std::string xCaption,
                     std::string yCaption) {
  Control* c = FindKind(id, ControlKind::Plot);
  if (c == nullptr) return;
  c->plotLines = std::move(lines);
  c->plotLevels = std::move(levels);
  c->xCaption = std::move(xCaption);
  c->yCaption = std::move(yCaption);
  Changed(id);
}

// ---- Progress bar ---------------------------------------------------------------------

void Dialog::ProgressSetRange(int id, int minimum, int maximum) {
  Control* c = FindKind(id, ControlKind::Progress);
  if (c == nullptr || maximum < minimum) return;
  c->rangeMin = minimum;
  c->rangeMax = maximum;
  c->position = std::clamp(c->position, minimum, maximum);
  Changed(id);
}

void Dialog::ProgressSetStep(int id, int step) {
  if (Control* c = FindKind(id, ControlKind::Progress)) c->step = step;
}

void Dialog::ProgressSetPos(int id, int position) {
  Control* c = FindKind(id, ControlKind::Progress);
  if (c == nullptr) return;
  c->position = std::clamp(position, c->rangeMin, c->rangeMax);
  Changed(id);
}

int Dialog::ProgressPos(int id) const {
  const Control* c = FindKind(id, ControlKind::Progress);
  return c != nullptr ? c->position : 0;
}

void Dialog::ProgressStepIt(int id) {
  Control* c = FindKind(id, ControlKind::Progress);
  if (c == nullptr) return;
  const long long span = static_cast<long long>(c->rangeMax) - c->rangeMin;
  long long next = static_cast<long long>(c->position) + c->step;
  if (span == 0) {
    next = c->rangeMin;
  } else if (next > c->rangeMax) {
    next = c->rangeMin + (next - c->rangeMax) % span;
  } else if (next < c->rangeMin) {
    next = c->rangeMax - (c->rangeMin - next) % span;
  }
  c->position = static_cast<int>(next);
  Changed(id);
}

}  // namespace vigil::platform
