#include "platform/Dialog.h"

#include <utility>

#include "platform/DialogHost.h"

namespace vigil::platform {

Dialog::Dialog(std::string title) : title_(std::move(title)) {}

Dialog::~Dialog() {
  KillAllTimers();
}

void Dialog::SetTitle(std::string title) {
  if (title == title_) return;
  title_ = std::move(title);
  Changed(DialogHost::kWholeDialog);
}

DialogHost* Dialog::Host() const {
  return sheet_ != nullptr ? sheet_->Host() : host_;
}

void Dialog::EndDialog(int result) {
  // A page has no modal run of its own; ending it ends its sheet.
  if (sheet_ != nullptr) {
    sheet_->EndDialog(result);
    return;
  }
  ended_ = true;
  result_ = result;
}

const Control* Dialog::Find(int id) const {
  for (const Control& c : controls_) {
    if (c.id == id) return &c;
  }
  return nullptr;
}

Control* Dialog::FindMutable(int id) {
  return const_cast<Control*>(std::as_const(*this).Find(id));
}

const Control* Dialog::FindKind(int id, ControlKind kind) const {
  const Control* c = Find(id);
  return c != nullptr && c->kind == kind ? c : nullptr;
}

Control* Dialog::FindKind(int id, ControlKind kind) {
  return const_cast<Control*>(std::as_const(*this).FindKind(id, kind));
}

Control& Dialog::Add(int id, ControlKind kind, PixelRect rect) {
  Control fresh;
  fresh.id = id;
  fresh.kind = kind;
  fresh.rect = rect;
  // A second control with the same id replaces the first: ids must stay unique.
  Control* existing = FindMutable(id);
  Control& c = existing != nullptr ? *existing : controls_.emplace_back();
  c = std::move(fresh);
  Changed(DialogHost::kWholeDialog);
  return c;
}

void Dialog::Changed(int id) {
  if (DialogHost* host = Host()) host->ControlChanged(*this, id);
}

void Dialog::AddButton(int id, std::string caption, PixelRect rect, int iconId) {
  Control& c = Add(id, ControlKind::Button, rect);
  c.text = std::move(caption);
  c.iconId = iconId;
}

void Dialog::AddLabel(int id, std::string text, PixelRect rect) {
  Add(id, ControlKind::Label, rect).text = std::move(text);
}

void Dialog::AddEdit(int id, PixelRect rect, bool readOnly, bool digitsOnly) {
  Control& c = Add(id, ControlKind::Edit, rect);
  c.readOnly = readOnly;
  c.digitsOnly = digitsOnly;
}

void Dialog::AddReportList(int id, PixelRect rect, std::vector<ListColumn> columns) {
  Add(id, ControlKind::ReportList, rect).columns = std::move(columns);
}

void Dialog::AddCombo(int id, PixelRect rect, bool sorted) {
  Add(id, ControlKind::Combo, rect).sorted = sorted;
}

void Dialog::AddCheck(int id, std::string caption, PixelRect rect) {
  Add(id, ControlKind::Check, rect).text = std::move(caption);
}

void Dialog::AddRadio(int id, std::string caption, PixelRect rect, int group) {
  Control& c = Add(id, ControlKind::Radio, rect);
  c.text = std::move(caption);
  c.group = group;
}

void Dialog::AddTab(int id, PixelRect rect, std::vector<std::string> captions) {
  Control& c = Add(id, ControlKind::Tab, rect);
  c.items = std::move(captions);
  c.selected = c.items.empty() ? -1 : 0;
}

void Dialog::AddTree(int id, PixelRect rect) {
  Add(id, ControlKind::Tree, rect);
}

void Dialog::AddProgress(int id, PixelRect rect) {
  Add(id, ControlKind::Progress, rect);
}

void Dialog::AddPlot(int id, PixelRect rect) {
  Add(id, ControlKind::Plot, rect);
}

std::string Dialog::Text(int id) const {
  const Control* c = Find(id);
  return c != nullptr ? c->text : std::string();
}

void Dialog::SetText(int id, std::string text) {
  Control* c = FindMutable(id);
  if (c == nullptr || c->text == text) return;
  c->text = std::move(text);
  Changed(id);
}

void Dialog::Enable(int id, bool enabled) {
  Control* c = FindMutable(id);
  if (c == nullptr || c->enabled == enabled) return;
  c->enabled = enabled;
  Changed(id);
}

bool Dialog::IsEnabled(int id) const {
  const Control* c = Find(id);
  return c != nullptr && c->enabled;
}

void Dialog::Show(int id, bool visible) {
  Control* c = FindMutable(id);
  if (c == nullptr || c->visible == visible) return;
  c->visible = visible;
  Changed(id);
}

bool Dialog::IsShown(int id) const {
  const Control* c = Find(id);
  return c != nullptr && c->visible && IsPageShown();
}

void Dialog::Move(int id, PixelRect rect) {
  Control* c = FindMutable(id);
  if (c == nullptr) return;
  c->rect = rect;
  Changed(id);
}

void Dialog::SetReadOnly(int id, bool readOnly) {
  Control* c = FindKind(id, ControlKind::Edit);
  if (c == nullptr || c->readOnly == readOnly) return;
  c->readOnly = readOnly;
  Changed(id);
}

bool Dialog::IsChecked(int id) const {
  const Control* c = Find(id);
  return c != nullptr && (c->kind == ControlKind::Check || c->kind == ControlKind::Radio) && c->checked;
}

void Dialog::SetChecked(int id, bool checked) {
  Control* c = FindMutable(id);
  if (c == nullptr || (c->kind != ControlKind::Check && c->kind != ControlKind::Radio)) return;
  if (c->kind == ControlKind::Radio && checked) {
    const int group = c->group;
    for (Control& other : controls_) {
      if (other.kind == ControlKind::Radio && other.group == group && other.id != id && other.checked) {
        other.checked = false;
        Changed(other.id);
      }
    }
  }
  if (c->checked == checked) return;
  c->checked = checked;
  Changed(id);
}

}  // namespace vigil::platform
