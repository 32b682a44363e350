// What the operator can do to a dialog. Hosts call these; a control that is disabled or
// not shown takes no input, as on the screen.
#include <string>

#include "platform/Dialog.h"

namespace vigil::platform {

namespace {

bool TakesInput(const Dialog& dialog, const Control* c) {
  return c != nullptr && c->enabled && dialog.IsShown(c->id);
}

// A tree node can be clicked only when every folder above it is open.
bool NodeReachable(const Control& tree, int node) {
  for (int p = tree.nodes[node].parent; p != kTreeRoot; p = tree.nodes[p].parent) {
    if (!tree.nodes[p].expanded) return false;
  }
  return true;
}

}  // namespace

bool Dialog::PressButton(int id) {
  Control* c = FindMutable(id);
  if (!TakesInput(*this, c)) return false;
  switch (c->kind) {
    case ControlKind::Button:
      break;
    case ControlKind::Check:
      SetChecked(id, !c->checked);
      break;
    case ControlKind::Radio:
      SetChecked(id, true);
      break;
    default:
      return false;
  }
  OnCommand(id);
  return true;
}

bool Dialog::TypeInto(int id, std::string_view text) {
  Control* c = FindKind(id, ControlKind::Edit);
  if (!TakesInput(*this, c) || c->readOnly) return false;
  std::string typed;
  for (char ch : text) {
    if (!c->digitsOnly || (ch >= '0' && ch <= '9')) typed.push_back(ch);
  }
  SetText(id, std::move(typed));
  OnEditChanged(id);
  return true;
}

bool Dialog::Choose(int id, int index) {
  Control* c = FindMutable(id);
  if (!TakesInput(*this, c) || index < 0) return false;
  const auto in = [index](std::size_t size) { return static_cast<std::size_t>(index) < size; };
  switch (c->kind) {
    case ControlKind::ReportList:
      if (!in(c->rows.size())) return false;
      ListSelect(id, index);
      break;
    case ControlKind::Combo:
      if (!in(c->items.size())) return false;
      ComboSelect(id, index);
      break;
    case ControlKind::Tab:
      if (!in(c->items.size())) return false;
      TabSelect(id, index);
      break;
    case ControlKind::Tree:
      if (!in(c->nodes.size()) || !NodeReachable(*c, index)) return false;
      TreeSelect(id, index);
      break;
    default:
      return false;
  }
  OnSelectionChanged(id);
  return true;
}

bool Dialog::ToggleExpand(int id, int node) {
  Control* c = FindKind(id, ControlKind::Tree);
  if (!TakesInput(*this, c) || node < 0 || static_cast<std::size_t>(node) >= c->nodes.size() ||
      !NodeReachable(*c, node)) {
    return false;
  }
  TreeExpand(id, node, !c->nodes[node].expanded);
  return true;
}

bool Dialog::SendClose() {
  if (sheet_ != nullptr) return sheet_->SendClose();
  if (!OnClose()) return false;
  EndDialog(kIdCancel);
  return true;
}

}  // namespace vigil::platform
