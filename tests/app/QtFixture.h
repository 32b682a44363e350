// A QApplication on the offscreen platform, a Qt host on real time, and a dialog with one
// control of every kind. Tests act from inside the modal runs: each window that comes up
// takes the next action of `onShown`.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QEventLoop>
#include <QMessageBox>
#include <QTimer>
#include <QWidget>
#include <deque>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "TempFolder.h"
#include "platform/Dialog.h"
#include "platform/EventLoop.h"
#include "ui/qt/QtHost.h"
#include "ui/qt/QtTimeDriver.h"

namespace vigil::ui::qt::test {

using platform::Dialog;
using platform::PixelRect;

inline QApplication& App() {
  static int argc = 1;
  static char name[] = "app_qt_tests";
  static char* argv[] = {name, nullptr};
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  // Never destroyed: at exit Qt's own statics are gone before ours would be.
  static QApplication* app = new QApplication(argc, argv);
  return *app;
}

/// Lets queued input and what it causes run.
inline void Settle() {
  for (int i = 0; i < 4; ++i) QCoreApplication::processEvents();
}

/// Runs Qt until `done`, at most `rounds` short waits for events; false when it never came.
inline bool SettleUntil(const std::function<bool()>& done, int rounds = 500) {
  // An idle program arms no pump: each wait is bounded here, not by the host.
  for (int i = 0; i < rounds && !done(); ++i) {
    QEventLoop wait;
    QTimer::singleShot(10, &wait, &QEventLoop::quit);
    wait.exec();
  }
  return done();
}

/// Where the pictures go (a build artifact).
inline std::filesystem::path ScreensFolder() {
  return std::filesystem::path(VIGIL_SCREENS_DIR);
}

enum TestIds {
  kButton = 10,
  kIconButton,
  kLabel,
  kEdit,
  kDigits,
  kList,
  kCombo,
  kCheck,
  kRadioA,
  kRadioB,
  kTab,
  kTree,
  kProgress,
  kReadOnly,
  kPlot,
  kPageEdit = 40,
  kPageLabel,
  kSoft1 = 1021,
  kSoft2 = 1025,
  kSoft3 = 1018,
  kSoft4 = 1019,
};

class PageDialog final : public Dialog {
 public:
  explicit PageDialog(std::string text) {
    AddLabel(kPageLabel, std::move(text), {4, 4, 100, 18});
    AddEdit(kPageEdit, {110, 4, 100, 18});
  }
  void OnEditChanged(int id) override { edits.push_back(id); }
  std::vector<int> edits;
};

class EveryControlDialog final : public Dialog {
 public:
  EveryControlDialog() : Dialog("Every control"), first_("First page"), second_("Second page") {
    AddButton(kButton, "Press", {4, 4, 70, 22});
    AddButton(kIconButton, "Icon", {78, 4, 70, 48}, 144);
    AddLabel(kLabel, "Label text", {152, 4, 80, 18});
    AddEdit(kEdit, {236, 4, 80, 20});
    AddEdit(kDigits, {152, 26, 80, 20}, false, true);
    AddEdit(kReadOnly, {236, 26, 80, 20}, true);
    AddReportList(kList, {4, 56, 150, 70}, {{"Point", 60}, {"Hz (gon)", 70}, {"hidden", 0}});
    AddCombo(kCombo, {158, 56, 80, 100});
    AddCheck(kCheck, "Check", {242, 56, 74, 18});
    AddRadio(kRadioA, "A", {242, 76, 36, 18}, 1);
    AddRadio(kRadioB, "B", {280, 76, 36, 18}, 1);
    AddTab(kTab, {158, 98, 158, 80}, {"One", "Two"});
    AddPage(kTab, first_);
    AddPage(kTab, second_);
    AddTree(kTree, {4, 130, 150, 60});
    AddProgress(kProgress, {158, 182, 158, 12});
    AddPlot(kPlot, {158, 196, 158, 14});
    const PixelRect keys[] = {{0, 212, 78, 28}, {80, 212, 78, 28}, {160, 212, 78, 28}, {240, 212, 80, 28}};
    AddButton(kSoft1, "One", keys[0]);
    AddButton(kSoft2, "Two", keys[1]);
    AddButton(kSoft3, "Three", keys[2]);
    AddButton(kSoft4, "Four", keys[3]);
  }

  void OnInitDialog() override {
    ListAddRow(kList, {"P1", "12.3456", "x"});
    ListAddRow(kList, {"P2", "212.0001", "y"});
    ComboAdd(kCombo, "metres");
    ComboAdd(kCombo, "feet");
    ComboSelect(kCombo, 0);
    const int top = TreeInsert(kTree, platform::kTreeRoot, "Storage Card");
    TreeInsert(kTree, top, "Data");
    TreeInsert(kTree, platform::kTreeRoot, "ROMDisk");
    ProgressSetRange(kProgress, 0, 100);
    ProgressSetPos(kProgress, 40);
    PlotSet(kPlot, {{"dE", {{0.0, 1.0, 0.5}, {1.0, 2.0, 0.5}}}}, {{"alert", 3.0, 0}}, "days", "mm");
    if (onInit) onInit(*this);
  }
  void OnPaint() override { RegisterSoftKeys(kSoft1, kSoft2, kSoft3, kSoft4); }
  void OnCommand(int id) override {
    commands.push_back(id);
    if (onCommand) onCommand(id);
  }
  void OnEditChanged(int id) override { edits.push_back(id); }
  void OnSelectionChanged(int id) override { selections.push_back(id); }
  bool OnClose() override {
    ++closeAsked;
    return allowClose;
  }
  void OnTimer(int id) override {
    if (onTimer) onTimer(id);
  }

  PageDialog& First() { return first_; }
  PageDialog& Second() { return second_; }

  std::vector<int> commands, edits, selections;
  int closeAsked = 0;
  bool allowClose = false;
  std::function<void(EveryControlDialog&)> onInit;
  std::function<void(int)> onCommand;
  std::function<void(int)> onTimer;

 private:
  PageDialog first_;
  PageDialog second_;
};

class QtHostTest : public ::testing::Test {
 protected:
  QtHostTest() : app_(App()) {
    host.SetWindowShownHook([this](QWidget& window) {
      if (onShown.empty()) {
        // A dialog may run on its own; a box or file dialog nobody answers would hang.
        if (auto* box = qobject_cast<QDialog*>(&window)) {
          ADD_FAILURE() << "a window nobody expected: " << window.windowTitle().toStdString();
          box->done(0);
        }
        return;
      }
      auto action = std::move(onShown.front());
      onShown.pop_front();
      action(window);
    });
  }

  /// Runs `dialog` with `act` once its window is up; the dialog is ended afterwards if `act`
  /// left it open.
  int RunWith(Dialog& dialog, std::function<void(QWidget&)> act) {
    onShown.push_back([&dialog, act = std::move(act)](QWidget& window) {
      act(window);
      if (!dialog.Ended()) dialog.EndDialog(platform::kIdCancel);
    });
    const int result = host.RunModal(dialog);
    EXPECT_TRUE(onShown.empty()) << onShown.size() << " windows expected did not come";
    return result;
  }

  template <class W>
  W* Widget(const Dialog& dialog, int id) {
    return qobject_cast<W*>(host.WidgetOf(dialog, id));
  }

  QApplication& app_;
  vigil::test::TempFolder device;
  platform::EventLoop loop{std::make_unique<QtTimeDriver>()};
  QtHost host{loop, device.path()};
  std::deque<std::function<void(QWidget&)>> onShown;
};

}  // namespace vigil::ui::qt::test
