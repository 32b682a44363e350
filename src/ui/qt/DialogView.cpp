#include "ui/qt/DialogView.h"

#include <QCloseEvent>
#include <QLabel>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QTimer>
#include <QTreeWidget>
#include <set>

#include "ui/qt/ControlWidgets.h"
#include "ui/qt/QtHost.h"

namespace vigil::ui::qt {

using platform::Control;
using platform::ControlKind;
using platform::Dialog;

DialogView::DialogView(QtHost& host, Dialog& dialog, QWidget* parent)
    : QWidget(parent), host_(host), dialog_(dialog) {
  host_.Register(*this);
  QFont font = this->font();
  font.setPixelSize(kFontPixelSize);
  setFont(font);
  // A page sits in a tab control that was squeezed with its window, so its rows are too.
  fit_.yScale = static_cast<double>(kScreenHeightPx - kTitleRowPx) / kScreenHeightPx;
  if (parent == nullptr) {
    setFixedSize(kScreenWidthPx, kScreenHeightPx);
    setWindowModality(Qt::ApplicationModal);
    fit_.topPx = kTitleRowPx;
    titleRow_ = new QLabel(this);
    titleRow_->setObjectName(QStringLiteral("title-row"));
    titleRow_->setGeometry(0, 0, kScreenWidthPx, kTitleRowPx);
    titleRow_->setIndent(3);
    titleRow_->setAutoFillBackground(true);
    QPalette colours = titleRow_->palette();
    colours.setColor(QPalette::Window, QColor(0x0a, 0x24, 0x6a));
    colours.setColor(QPalette::WindowText, Qt::white);
    titleRow_->setPalette(colours);
    QFont bold = font;
    bold.setBold(true);
    titleRow_->setFont(bold);
  }
  RefreshAll();
}

DialogView::~DialogView() {
  host_.Unregister(*this);
}

QWidget* DialogView::WidgetOf(int id) const {
  const auto it = entries_.find(id);
  return it != entries_.end() ? it->second.widget : nullptr;
}

void DialogView::Create(const Control& control) {
  Entry entry;
  entry.widget = CreateControlWidget(control, this);
  ConnectInput(*entry.widget, control);
  if (control.kind == ControlKind::Tab) SyncPages(entry, control);
  RefreshControlWidget(*entry.widget, control, nullptr, fit_);
  entry.shown = control;
  entries_[control.id] = std::move(entry);
}

void DialogView::RefreshControl(int id) {
  const Control* control = dialog_.Find(id);
  const auto it = entries_.find(id);
  if (control == nullptr || it == entries_.end() || control->kind != it->second.shown.kind) {
    RefreshAll();
    return;
  }
  Entry& entry = it->second;
  // A reading changes a cell or two of lists of a thousand rows: follow that, do not redraw.
  if (control->kind == ControlKind::ReportList &&
      FollowListEdit(static_cast<QTreeWidget&>(*entry.widget), *control, entry.shown)) {
    return;
  }
  if (control->kind == ControlKind::Tab) SyncPages(entry, *control);
  RefreshControlWidget(*entry.widget, *control, &entry.shown, fit_);
  entry.shown = *control;
}

void DialogView::RefreshAll() {
  if (isWindow()) ShowTitle();
  std::set<int> present;
  for (const Control& control : dialog_.Controls()) {
    if (!present.insert(control.id).second) continue;  // a repeated id: the first one counts
    const auto it = entries_.find(control.id);
    if (it != entries_.end() && it->second.shown.kind == control.kind) {
      RefreshControl(control.id);
      continue;
    }
    if (it != entries_.end()) {
      it->second.widget->hide();
      it->second.widget->deleteLater();
      entries_.erase(it);
    }
    Create(control);
  }
  for (auto it = entries_.begin(); it != entries_.end();) {
    if (present.count(it->first) != 0) {
      ++it;
      continue;
    }
    it->second.widget->hide();
    it->second.widget->deleteLater();
    it = entries_.erase(it);
  }
}

void DialogView::ShowTitle() {
  const QString title = QString::fromStdString(dialog_.Title());
  if (windowTitle() != title) setWindowTitle(title);
  if (titleRow_ == nullptr) return;
  // A long project and station name is cut with an ellipsis, as the controller's caption is.
  const QString shown = titleRow_->fontMetrics().elidedText(title, Qt::ElideRight, kScreenWidthPx - 6);
  if (titleRow_->text() != shown) titleRow_->setText(shown);
  titleRow_->setToolTip(shown != title ? title : QString());
}

void DialogView::RefreshAllNowAndLater() {
  RefreshAll();
  if (laterPending_) return;
  laterPending_ = true;
  QTimer::singleShot(0, this, [this] {
    laterPending_ = false;
    RefreshAll();
  });
}

void DialogView::SyncPages(Entry& entry, const Control& tab) {
  auto* tabs = static_cast<QTabWidget*>(entry.widget);
  std::vector<Dialog*> wanted;
  for (int i = 0; i < static_cast<int>(tab.items.size()); ++i) wanted.push_back(dialog_.Page(tab.id, i));
  if (wanted == entry.pages && tabs->count() == static_cast<int>(wanted.size())) return;
  const QSignalBlocker blocker(tabs);
  while (tabs->count() > 0) {
    QWidget* old = tabs->widget(0);
    tabs->removeTab(0);
    // Later: input of that page may be what is running now.
    old->hide();
    old->deleteLater();
  }
  for (std::size_t i = 0; i < wanted.size(); ++i) {
    QWidget* page = wanted[i] != nullptr ? static_cast<QWidget*>(new DialogView(host_, *wanted[i], tabs))
                                         : new QWidget(tabs);
    tabs->addTab(page, QString::fromStdString(tab.items[i]));
  }
  FitTabCaptions(*tabs, tab.items);
  entry.pages = std::move(wanted);
}

void DialogView::closeEvent(QCloseEvent* event) {
  // The window's close box is the window close message: the dialog decides.
  event->ignore();
  Input(0, [](Dialog& dialog) { dialog.SendClose(); });
}

}  // namespace vigil::ui::qt
