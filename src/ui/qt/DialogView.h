// One dialog drawn as widgets: a 320 x 240 window for a modal dialog, or the page of a tab
// control inside its sheet's window. It shows what the dialog holds and hands what the
// operator does to the dialog as input (PressButton, TypeInto, Choose, SendClose).
#pragma once

#include <QWidget>
#include <functional>
#include <map>
#include <vector>

#include "platform/Control.h"
#include "platform/Dialog.h"
#include "ui/qt/ControlWidgets.h"

class QLabel;
class QTabWidget;

namespace vigil::ui::qt {

class QtHost;

/// The controller's screen (pixels).
inline constexpr int kScreenWidthPx = 320;
inline constexpr int kScreenHeightPx = 240;
/// Text height of the controller's dialog font (pixels).
inline constexpr int kFontPixelSize = 11;
/// Height of the title row a window draws at the top of the screen (pixels).
inline constexpr int kTitleRowPx = 16;

class DialogView final : public QWidget {
 public:
  /// Without `parent` the view is a window of the screen's size; with one it is a page.
  DialogView(QtHost& host, platform::Dialog& dialog, QWidget* parent = nullptr);
  ~DialogView() override;

  platform::Dialog& Model() { return dialog_; }

  /// Shows the control's current state (it changed).
  void RefreshControl(int id);
  /// Title, the set of controls and the pages (kWholeDialog changed).
  void RefreshAll();
  /// RefreshAll now and once more when the handler that changed the dialog has returned: a
  /// control added while the dialog runs is announced before its caption is filled in.
  void RefreshAllNowAndLater();

  /// The widget of control `id` of this dialog (not of its pages), or null.
  QWidget* WidgetOf(int id) const;
  /// The title row drawn inside the screen (a window), or null (a page).
  QLabel* TitleRow() const { return titleRow_; }

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  struct Entry {
    QWidget* widget = nullptr;
    platform::Control shown;               // what the widget shows now
    std::vector<platform::Dialog*> pages;  // tab control: the pages it holds
  };

  void ShowTitle();
  void Create(const platform::Control& control);
  void ConnectInput(QWidget& widget, const platform::Control& control);
  void SyncPages(Entry& entry, const platform::Control& tab);
  /// Runs operator input on the dialog later, outside the widget's signal.
  void Input(int id, std::function<void(platform::Dialog&)> action);

  QtHost& host_;
  platform::Dialog& dialog_;
  std::map<int, Entry> entries_;
  QLabel* titleRow_ = nullptr;
  ScreenFit fit_;
  bool laterPending_ = false;
};

}  // namespace vigil::ui::qt
