// Tab pages, the modal run's start and end, soft-key registration and timers of a dialog.
#include <utility>

#include "platform/Dialog.h"
#include "platform/DialogHost.h"

namespace vigil::platform {

int Dialog::TabCount(int id) const {
  const Control* c = FindKind(id, ControlKind::Tab);
  return c != nullptr ? static_cast<int>(c->items.size()) : 0;
}

int Dialog::TabCurrent(int id) const {
  const Control* c = FindKind(id, ControlKind::Tab);
  return c != nullptr ? c->selected : -1;
}

void Dialog::TabSelect(int id, int page) {
  Control* c = FindKind(id, ControlKind::Tab);
  if (c == nullptr || page < 0 || page >= static_cast<int>(c->items.size()) || c->selected == page) return;
  c->selected = page;
  // Pages change visibility with the tab: the host redraws the whole dialog.
  Changed(DialogHost::kWholeDialog);
}

void Dialog::TabSetCaption(int id, int page, std::string caption) {
  Control* c = FindKind(id, ControlKind::Tab);
  if (c == nullptr || page < 0 || page >= static_cast<int>(c->items.size())) return;
  c->items[page] = std::move(caption);
  Changed(id);
}

void Dialog::AddPage(int tabId, Dialog& page) {
  int index = 0;
  for (const Dialog* p : pages_) {
    if (p->sheetTabId_ == tabId) ++index;
  }
  page.sheet_ = this;
  page.sheetTabId_ = tabId;
  page.pageIndex_ = index;
  pages_.push_back(&page);
  Changed(DialogHost::kWholeDialog);
  // A page added while its sheet initialises (or runs) is initialised at once.
  if (initialised_) {
    page.initialised_ = true;
    page.OnInitDialog();
  }
}

Dialog* Dialog::Page(int tabId, int index) const {
  for (Dialog* p : pages_) {
    if (p->sheetTabId_ == tabId && p->pageIndex_ == index) return p;
  }
  return nullptr;
}

bool Dialog::IsPageShown() const {
  if (sheet_ == nullptr) return true;
  return sheet_->TabCurrent(sheetTabId_) == pageIndex_ && sheet_->IsShown(sheetTabId_);
}

void Dialog::InitPages() {
  for (Dialog* p : pages_) {
    p->InitPages();
    p->initialised_ = true;
    p->OnInitDialog();
  }
}

void Dialog::Start(DialogHost& host) {
  host_ = &host;
  ended_ = false;
  result_ = 0;
  shown_ = false;
  // Pages first, so the sheet's initialisation can fill them.
  InitPages();
  initialised_ = true;
  OnInitDialog();
}

void Dialog::Finish() {
  KillAllTimers();
  for (Dialog* p : pages_) {
    p->KillAllTimers();
    p->initialised_ = false;
  }
  host_ = nullptr;
  initialised_ = false;
}

void Dialog::Paint() {
  shown_ = true;
  OnPaint();
}

void Dialog::RegisterSoftKeys(int id1, int id2, int id3, int id4) {
  softKeys_ = {id1, id2, id3, id4};
  if (DialogHost* host = Host()) host->SoftKeys().RegisterSoftKeys(*this, id1, id2, id3, id4);
}

bool Dialog::SetTimer(int timerId, std::uint32_t periodMs) {
  DialogHost* host = Host();
  if (host == nullptr) return false;
  EventLoop& loop = host->Loop();
  if (window_ != 0 && timerLoop_ != &loop) KillAllTimers();
  if (window_ == 0) {
    window_ = loop.AddWindow(this);
    timerLoop_ = &loop;
  }
  loop.SetTimer(window_, timerId, periodMs);
  return true;
}

void Dialog::KillTimer(int timerId) {
  if (window_ != 0) timerLoop_->KillTimer(window_, timerId);
}

void Dialog::KillAllTimers() {
  if (window_ == 0) return;
  timerLoop_->RemoveWindow(window_);
  window_ = 0;
  timerLoop_ = nullptr;
}

}  // namespace vigil::platform
