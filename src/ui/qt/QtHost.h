// The dialog host on a real screen: every modal dialog is a 320 x 240 window of Qt widgets,
// message boxes are QMessageBox, the open-file dialog is QFileDialog, beeps are the
// desktop's. Keys go through the soft-key bar first (F1 to F4 are the hardware keys under
// the soft keys; escape never closes anything).
//
// Two loops run on one thread. Qt's loop owns the thread; the program's EventLoop is pumped
// from a single-shot QTimer inside every Qt loop this host runs (a dialog, a message box, the
// file dialog), because Qt does not fire a timer again while its handler is still on the
// stack, and a nested modal run is always on that stack. The timer is set for the program's
// next due timer or delayed task, and brought forward when something is queued (on this
// thread through the loop's work hook, from another thread through the time driver's wake):
// an idle program sleeps until it has something to do. A wait of the program (the
// link waiting for a reply) blocks the thread as on the controller; with QtTimeDriver the
// windows repaint meanwhile, and pumps and operator input hold off until the wait is over.
#pragma once

#include <QObject>
#include <QPointer>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Dialog.h"
#include "platform/DialogHost.h"
#include "platform/EventLoop.h"

class QEventLoop;
class QWidget;

namespace vigil::ui::qt {

class DialogView;

class QtHost final : public platform::DialogHost {
 public:
  /// How soon the program's loop is looked at again while a wait of it holds pumps off (ms).
  static constexpr int kPumpPeriodMs = 10;

  /// `deviceRoot`: the folder of the controller's "\" (for the open-file dialog). A
  /// QApplication must exist.
  QtHost(platform::EventLoop& loop, std::filesystem::path deviceRoot);
  ~QtHost() override;
  QtHost(const QtHost&) = delete;
  QtHost& operator=(const QtHost&) = delete;

  // ---- DialogHost -------------------------------------------------------------------------
  platform::EventLoop& Loop() override { return loop_; }
  int RunModal(platform::Dialog& dialog) override;
  int MessageBox(std::string_view text, std::string_view caption, platform::MessageIcon icon,
                 platform::MessageButtons buttons) override;
  std::optional<std::string> OpenFile(std::string_view folder, std::string_view filter) override;
  void Beep(platform::MessageIcon kind) override;
  void ControlChanged(platform::Dialog& dialog, int controlId) override;

  // ---- Looking at the screen ---------------------------------------------------------------
  /// Saves a PNG of the dialog's window (or page) as drawn now; false when it is not shown
  /// or the file cannot be written.
  bool SaveScreenshot(const platform::Dialog& dialog, const std::filesystem::path& path);
  /// The same for any window (a message box, in tests).
  static bool SaveScreenshot(QWidget& window, const std::filesystem::path& path);
  /// The widget drawing `dialog` (its window, or its page), or null.
  QWidget* ViewOf(const platform::Dialog& dialog) const;
  /// The widget of control `id` of `dialog`, or null.
  QWidget* WidgetOf(const platform::Dialog& dialog, int id) const;

  /// Called, from inside its modal loop, once each window (dialog, message box, file dialog)
  /// is up. Tests use it to act on the window as an operator would.
  using WindowShownHook = std::function<void(QWidget& window)>;
  void SetWindowShownHook(WindowShownHook hook) { shownHook_ = std::move(hook); }

  /// True while the program waits (nothing of it may run now).
  bool Waiting() const;

  void UpdateScreen() override;

  // ---- For the views ----------------------------------------------------------------------
  void Register(DialogView& view);
  void Unregister(DialogView& view);
  /// Runs operator input later on the Qt loop (dropped when `context` is gone), after any
  /// wait of the program; then ends the modal loops whose dialogs ended.
  void Deliver(QObject* context, std::function<void()> input);
  /// One pump of the program's loop.
  void Pump();
  /// The innermost pump looks at the program's loop as soon as Qt's loop comes round.
  void RequestPump();

  class Pumper;

 private:
  class KeyFilter;
  struct Running {
    platform::Dialog* dialog;
    QEventLoop* loop;
  };

  void RunInput(QPointer<QObject> context, const std::function<void()>& input);
  void QuitEndedRuns();
  void AnnounceShown(QWidget& window);
  bool OnKeyPress(int qtKey, bool autoRepeat);
  /// Presses the front dialog's enabled OK button (IDOK); false when there is none to press.
  bool PressDefaultButton();
  QWidget* FrontWindow() const;

  platform::EventLoop& loop_;
  std::filesystem::path deviceRoot_;
  bool updatingScreen_ = false;
  std::map<const platform::Dialog*, DialogView*> views_;
  std::vector<Running> running_;
  WindowShownHook shownHook_;
  KeyFilter* keyFilter_ = nullptr;
  std::vector<Pumper*> pumps_;  ///< innermost last
  bool pumping_ = false;
};

}  // namespace vigil::ui::qt
