#include "ui/qt/QtHost.h"

#include <QApplication>
#include <QBuffer>
#include <QEventLoop>
#include <QFileDialog>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPixmap>
#include <QTimer>
#include <memory>

#include "platform/Files.h"
#include "platform/Paths.h"
#include "ui/qt/BoxText.h"
#include "ui/qt/DialogView.h"
#include "ui/qt/FileDialogText.h"
#include "ui/qt/KeyMapping.h"
#include "ui/qt/QtTimeDriver.h"

namespace vigil::ui::qt {

using platform::Dialog;
using platform::MessageButtons;
using platform::MessageIcon;

namespace {

QString Q(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QMessageBox::Icon BoxIcon(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::Question:
      return QMessageBox::Question;
    case MessageIcon::Exclamation:
      return QMessageBox::Warning;
    case MessageIcon::Information:
      return QMessageBox::Information;
    case MessageIcon::Error:
      return QMessageBox::Critical;
    case MessageIcon::None:
      break;
  }
  return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons BoxButtons(MessageButtons buttons) {
  switch (buttons) {
    case MessageButtons::Ok:
      return QMessageBox::Ok;
    case MessageButtons::OkCancel:
      return QMessageBox::Ok | QMessageBox::Cancel;
    case MessageButtons::YesNo:
      return QMessageBox::Yes | QMessageBox::No;
    case MessageButtons::YesNoCancel:
      return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
  }
  return QMessageBox::Ok;
}

int Answer(QMessageBox::StandardButton clicked, MessageButtons buttons) {
  int answer = platform::DefaultAnswer(buttons);
  switch (clicked) {
    case QMessageBox::Ok:
      answer = platform::kIdOk;
      break;
    case QMessageBox::Cancel:
      answer = platform::kIdCancel;
      break;
    case QMessageBox::Yes:
      answer = platform::kIdYes;
      break;
    case QMessageBox::No:
      answer = platform::kIdNo;
      break;
    default:
      break;
  }
  return platform::IsValidAnswer(buttons, answer) ? answer : platform::DefaultAnswer(buttons);
}

void UseScreenFont(QWidget& widget) {
  QFont font = widget.font();
  font.setPixelSize(kFontPixelSize);
  widget.setFont(font);
}

}  // namespace

// Pumps the program's loop while the Qt loop it lives in runs.
class QtHost::Pumper {
 public:
  explicit Pumper(QtHost& host) : host_(host) {
    timer_.setSingleShot(true);
    timer_.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer_, &QTimer::timeout, [this] { Fire(); });
    host_.pumps_.push_back(this);
    timer_.start(0);
  }
  ~Pumper() { std::erase(host_.pumps_, this); }
  Pumper(const Pumper&) = delete;
  Pumper& operator=(const Pumper&) = delete;

  void Soon() {
    if (!timer_.isActive() || timer_.remainingTime() > 0) timer_.start(0);
  }

 private:
  void Fire() {
    host_.Pump();
    Rearm();
  }
  void Rearm() {
    if (host_.Waiting()) {
      timer_.start(kPumpPeriodMs);
      return;
    }
    const std::uint64_t ms = host_.loop_.MsUntilWork();
    if (ms == UINT64_MAX) {
      timer_.stop();
    } else {
      timer_.start(static_cast<int>(std::min<std::uint64_t>(ms, 1u << 30)));
    }
  }

  QtHost& host_;
  QTimer timer_;
};

class QtHost::KeyFilter final : public QObject {
 public:
  explicit KeyFilter(QtHost& host) : host_(host) {}

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::KeyPress) {
      const auto* key = static_cast<QKeyEvent*>(event);
      // The controller has no Alt or Ctrl: Alt+F4 is the desktop's, never soft key 4.
      constexpr auto kModifiers =
          Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;
      if (key->modifiers().testAnyFlags(kModifiers)) return false;
      return host_.OnKeyPress(key->key(), key->isAutoRepeat());
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  QtHost& host_;
};

QtHost::QtHost(platform::EventLoop& loop, std::filesystem::path deviceRoot)
    : loop_(loop), deviceRoot_(std::move(deviceRoot)), keyFilter_(new KeyFilter(*this)) {
  QCoreApplication::instance()->installEventFilter(keyFilter_);
  loop_.SetWorkHook([this] { RequestPump(); });
  if (auto* driver = dynamic_cast<QtTimeDriver*>(&loop_.Time())) {
    QObject* context = keyFilter_;
    driver->SetWakeHook([this, context] {
      QMetaObject::invokeMethod(
          context, [this] { RequestPump(); }, Qt::QueuedConnection);
    });
  }
}

QtHost::~QtHost() {
  loop_.SetWorkHook({});
  if (auto* driver = dynamic_cast<QtTimeDriver*>(&loop_.Time())) driver->SetWakeHook({});
  if (QCoreApplication* app = QCoreApplication::instance()) app->removeEventFilter(keyFilter_);
  delete keyFilter_;
}

bool QtHost::Waiting() const {
  const auto* driver = dynamic_cast<const QtTimeDriver*>(&loop_.Time());
  return updatingScreen_ || (driver != nullptr && driver->Waiting());
}

void QtHost::UpdateScreen() {
  if (QCoreApplication::instance() == nullptr || updatingScreen_) return;
  // Repaints and layout only: input and the program's pump hold off (Waiting) until it is done.
  updatingScreen_ = true;
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
  updatingScreen_ = false;
}

// ---- Modal runs ---------------------------------------------------------------------------

int QtHost::RunModal(Dialog& dialog) {
  QWidget* below = FrontWindow();
  QEventLoop modal;
  // The window is up before the dialog starts, so a message box of its first paint shows
  // over it, as on the controller.
  auto view = std::make_unique<DialogView>(*this, dialog);
  if (below != nullptr) view->move(below->pos());
  view->show();
  view->raise();
  view->activateWindow();
  running_.push_back(Running{&dialog, &modal});
  PushModal(dialog);
  if (!dialog.Ended()) {
    Pumper pump(*this);
    AnnounceShown(*view);
    modal.exec();
  }
  view.reset();
  std::erase_if(running_, [&dialog](const Running& r) { return r.dialog == &dialog; });
  PopModal(dialog);
  return dialog.Result();
}

void QtHost::Pump() {
  if (Waiting()) return;
  pumping_ = true;
  loop_.DispatchPending();
  pumping_ = false;
  QuitEndedRuns();
}

void QtHost::RequestPump() {
  // During a pump the pump sets its own next time when it is done.
  if (!pumping_ && !pumps_.empty()) pumps_.back()->Soon();
}

void QtHost::QuitEndedRuns() {
  for (const Running& run : running_) {
    if (run.dialog->Ended()) run.loop->quit();
  }
}

void QtHost::Deliver(QObject* context, std::function<void()> input) {
  QPointer<QObject> guard(context);
  QMetaObject::invokeMethod(
      context, [this, guard, input = std::move(input)] { RunInput(guard, input); }, Qt::QueuedConnection);
}

void QtHost::RunInput(QPointer<QObject> context, const std::function<void()>& input) {
  if (context == nullptr) return;
  if (Waiting()) {
    QTimer::singleShot(kPumpPeriodMs, context, [this, context, input] { RunInput(context, input); });
    return;
  }
  input();
  QuitEndedRuns();
}

void QtHost::AnnounceShown(QWidget& window) {
  if (!shownHook_) return;
  QPointer<QWidget> shown(&window);
  Deliver(&window, [this, shown] {
    if (shown != nullptr && shownHook_) shownHook_(*shown);
  });
}

QWidget* QtHost::FrontWindow() const {
  return running_.empty() ? nullptr : ViewOf(*running_.back().dialog);
}

// ---- Message boxes, files, beeps -------------------------------------------------------

int QtHost::MessageBox(std::string_view text, std::string_view caption, MessageIcon icon,
                       MessageButtons buttons) {
  BeginMessageBox();
  int answer = platform::DefaultAnswer(buttons);
  {
    QMessageBox box(BoxIcon(icon), Q(caption), QString(), BoxButtons(buttons), FrontWindow());
    box.setWindowModality(Qt::ApplicationModal);
    UseScreenFont(box);
    // Wrapped here: Qt would rather make the box wider than the screen.
    box.setText(WrapToWidth(Q(text), QFontMetrics(box.font()), kBoxTextWidthPx));
    Pumper pump(*this);
    AnnounceShown(box);
    box.exec();
    if (box.clickedButton() != nullptr) answer = Answer(box.standardButton(box.clickedButton()), buttons);
  }
  EndMessageBox();
  return answer;
}

std::optional<std::string> QtHost::OpenFile(std::string_view folder, std::string_view filter) {
  BeginMessageBox();
  std::optional<std::string> chosen;
  {
    QFileDialog files(FrontWindow(), QStringLiteral("Open"),
                      Q(platform::PathText(StartFolderOf(deviceRoot_, folder))), Q(QtFileFilter(filter)));
    // Qt's own dialog runs in this thread's loop, so the pump below keeps running.
    files.setOption(QFileDialog::DontUseNativeDialog);
    files.setFileMode(QFileDialog::ExistingFile);
    files.setAcceptMode(QFileDialog::AcceptOpen);
    files.setWindowModality(Qt::ApplicationModal);
    Pumper pump(*this);
    AnnounceShown(files);
    if (files.exec() == QDialog::Accepted && !files.selectedFiles().isEmpty()) {
      const std::string native = files.selectedFiles().front().toStdString();
      chosen = ChosenFileText(deviceRoot_, folder, platform::PathFromText(native));
      // Nothing outside the device root or the folder the program offered may be opened.
      if (!chosen) QApplication::beep();
    }
  }
  EndMessageBox();
  return chosen;
}

void QtHost::Beep(MessageIcon kind) {
  (void)kind;
  QApplication::beep();
}

// ---- Views --------------------------------------------------------------------------------

void QtHost::ControlChanged(Dialog& dialog, int controlId) {
  const auto it = views_.find(&dialog);
  if (it == views_.end()) return;
  if (controlId == kWholeDialog) {
    it->second->RefreshAllNowAndLater();
  } else {
    it->second->RefreshControl(controlId);
  }
}

void QtHost::Register(DialogView& view) {
  views_[&view.Model()] = &view;
}

void QtHost::Unregister(DialogView& view) {
  const auto it = views_.find(&view.Model());
  if (it != views_.end() && it->second == &view) views_.erase(it);
}

QWidget* QtHost::ViewOf(const Dialog& dialog) const {
  const auto it = views_.find(&dialog);
  return it != views_.end() ? it->second : nullptr;
}

QWidget* QtHost::WidgetOf(const Dialog& dialog, int id) const {
  const auto it = views_.find(&dialog);
  return it != views_.end() ? it->second->WidgetOf(id) : nullptr;
}

bool QtHost::SaveScreenshot(const Dialog& dialog, const std::filesystem::path& path) {
  QWidget* view = ViewOf(dialog);
  return view != nullptr && SaveScreenshot(*view, path);
}

bool QtHost::SaveScreenshot(QWidget& window, const std::filesystem::path& path) {
  const QPixmap picture = window.grab();
  if (picture.isNull()) return false;
  QByteArray bytes;
  QBuffer buffer(&bytes);
  if (!buffer.open(QIODevice::WriteOnly) || !picture.save(&buffer, "PNG")) return false;
  return platform::WriteFileBytesAtomic(
      path, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

// ---- Keys ---------------------------------------------------------------------------------

bool QtHost::PressDefaultButton() {
  // A list's popup, a message box or the file dialog takes Enter itself.
  if (running_.empty() || MessageBoxOpen() || QApplication::activePopupWidget() != nullptr) return false;
  platform::Dialog& dialog = *running_.back().dialog;
  const platform::Control* ok = dialog.Find(platform::kIdOk);
  if (ok == nullptr || ok->kind != platform::ControlKind::Button || !ok->enabled ||
      !dialog.IsShown(platform::kIdOk)) {
    return false;
  }
  QPointer<QWidget> view(ViewOf(dialog));
  Deliver(view, [view] {
    if (auto* shown = dynamic_cast<DialogView*>(view.data())) shown->Model().PressButton(platform::kIdOk);
  });
  return true;
}

bool QtHost::OnKeyPress(int qtKey, bool autoRepeat) {
  // Enter presses the dialog's default button (OK), as the controller's dialog manager does.
  if ((qtKey == Qt::Key_Return || qtKey == Qt::Key_Enter) && !autoRepeat && PressDefaultButton()) return true;
  const KeyDown key = KeyDownOf(qtKey);
  if (key.hardware) {
    // A held key is one press, as the instrument's keys are.
    if (!autoRepeat) {
      Deliver(keyFilter_, [this, key] { SoftKeys().FilterKeyDown(key.virtualKey, key.keyData); });
    }
    return true;
  }
  return SoftKeys().FilterKeyDown(key.virtualKey, key.keyData);
}

}  // namespace vigil::ui::qt
