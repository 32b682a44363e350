// The program's loop keeps running while Qt runs: timers and posted work inside every
// nested Qt loop, and the program's own waits.
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "QtFixture.h"
#include "platform/Files.h"

namespace vigil::ui::qt::test {
namespace {

using platform::kIdOk;
using platform::kIdYes;
using platform::MessageButtons;
using platform::MessageIcon;

TEST_F(QtHostTest, DialogTimersRunAndMayEndTheDialog) {
  EveryControlDialog dialog;
  int ticks = 0;
  dialog.onInit = [](EveryControlDialog& d) { d.SetTimer(3, 5); };
  dialog.onTimer = [&](int id) {
    EXPECT_EQ(id, 3);
    if (++ticks == 3) dialog.EndDialog(kIdOk);
  };
  // No input at all: only the pump can end this run.
  EXPECT_EQ(host.RunModal(dialog), kIdOk);
  EXPECT_EQ(ticks, 3);
}

TEST_F(QtHostTest, TheLoopRunsInsideAMessageBoxOpenedByATimer) {
  // The box is opened from the pump's own timer handler, which Qt does not fire again while
  // it runs: only the box's own pump keeps the program going.
  EveryControlDialog dialog;
  int answer = 0;
  dialog.onInit = [](EveryControlDialog& d) { d.SetTimer(1, 5); };
  dialog.onTimer = [&](int) {
    dialog.KillTimer(1);
    answer = host.MessageBox("Next cycle?", "", MessageIcon::Question, MessageButtons::YesNo);
    dialog.EndDialog(kIdOk);
  };
  bool posted = false;
  onShown.push_back([](QWidget&) {});  // the dialog
  onShown.push_back([&](QWidget& window) {
    ASSERT_NE(qobject_cast<QMessageBox*>(&window), nullptr);
    loop.Post([&] { posted = true; });
    EXPECT_TRUE(SettleUntil([&] { return posted; })) << "nothing pumped the loop inside the box";
    QTest::mouseClick(qobject_cast<QMessageBox*>(&window)->button(QMessageBox::Yes), Qt::LeftButton);
  });
  EXPECT_EQ(host.RunModal(dialog), kIdOk);
  EXPECT_EQ(answer, kIdYes);
}

TEST_F(QtHostTest, NestedDialogsRunAndTheOuterOneGetsTheFrontBack) {
  EveryControlDialog outer;
  EveryControlDialog inner;
  int innerResult = 0;
  outer.onCommand = [&](int id) {
    if (id == kButton) innerResult = host.RunModal(inner);
  };
  inner.onCommand = [&](int id) {
    if (id == kSoft4) inner.EndDialog(77);
  };
  RunWith(outer, [&](QWidget&) {
    onShown.push_back([&](QWidget& window) {
      EXPECT_EQ(host.TopDialog(), &inner);
      QTest::keyClick(&window, Qt::Key_F4);  // the inner dialog's soft key, not the outer's
    });
    QTest::mouseClick(host.WidgetOf(outer, kButton), Qt::LeftButton);
    EXPECT_TRUE(SettleUntil([&] { return innerResult != 0; }));
    EXPECT_EQ(innerResult, 77);
    EXPECT_EQ(host.TopDialog(), &outer);
    EXPECT_EQ(outer.commands, std::vector<int>{kButton});
    QTest::keyClick(host.ViewOf(outer), Qt::Key_F1);
    Settle();
    EXPECT_EQ(outer.commands, (std::vector<int>{kButton, kSoft1})) << "soft keys are the outer's again";
  });
}

TEST_F(QtHostTest, AWaitOfTheProgramRunsNothingOfItButStillRepaints) {
  EveryControlDialog dialog;
  bool posted = false;
  bool qtRan = false;
  bool postedDuringWait = true;
  bool qtRanDuringWait = false;
  std::vector<int> commandsDuringWait;
  dialog.onCommand = [&](int id) {
    if (id != kButton) return;
    loop.Post([&] { posted = true; });
    QTimer::singleShot(0, [&] { qtRan = true; });
    // The operator presses another button while the program waits for its link.
    QTest::mouseClick(host.WidgetOf(dialog, kIconButton), Qt::LeftButton);
    loop.Sleep(3 * QtTimeDriver::kSliceMs);
    postedDuringWait = posted;
    qtRanDuringWait = qtRan;
    commandsDuringWait = dialog.commands;
  };
  RunWith(dialog, [&](QWidget&) {
    QTest::mouseClick(host.WidgetOf(dialog, kButton), Qt::LeftButton);
    EXPECT_TRUE(SettleUntil([&] { return dialog.commands.size() == 2; }));
  });
  EXPECT_FALSE(postedDuringWait) << "a Sleep dispatched the program's messages";
  EXPECT_TRUE(qtRanDuringWait) << "Qt stood still during the wait";
  EXPECT_EQ(commandsDuringWait, std::vector<int>{kButton}) << "input ran inside the wait";
  EXPECT_EQ(dialog.commands, (std::vector<int>{kButton, kIconButton})) << "input after the wait was lost";
}

TEST_F(QtHostTest, AWakeEndsAWaitEarly) {
  QtTimeDriver driver;
  const std::uint64_t start = driver.ElapsedMs();
  driver.Wake();  // before the wait: the wait must not sleep through it
  driver.WaitUntil(start + 60000);
  EXPECT_LT(driver.ElapsedMs(), start + 60000);
  EXPECT_FALSE(driver.Waiting());
}

// ---- Open file -----------------------------------------------------------------------------

TEST_F(QtHostTest, OpenFileAnswersWithTheControllerPath) {
  const auto folder = device.path() / "Storage Card" / "Data";
  ASSERT_TRUE(platform::CreateFolder(device.path() / "Storage Card"));
  ASSERT_TRUE(platform::CreateFolder(folder));
  ASSERT_TRUE(platform::WriteUtf16FileAtomic(folder / "points.txt", "P1\r\n"));
  QString startFolder;
  onShown.push_back([&](QWidget& window) {
    auto* files = qobject_cast<QFileDialog*>(&window);
    ASSERT_NE(files, nullptr);
    startFolder = files->directory().absolutePath();
    EXPECT_EQ(files->nameFilters().front(), QStringLiteral("Text Files (*.txt)"));
    files->selectFile(QString::fromStdString((folder / "points.txt").string()));
    static_cast<QDialog*>(files)->accept();  // public in QDialog, QFileDialog's own runs
  });
  const auto chosen = host.OpenFile("\\Storage Card\\Data", "Text Files (*.txt)|*.txt|All Files (*.*)|*.*||");
  EXPECT_EQ(chosen, std::optional<std::string>("\\Storage Card\\Data\\points.txt"));
  EXPECT_EQ(startFolder.toStdString(), platform::PathText(std::filesystem::weakly_canonical(folder)));
  EXPECT_FALSE(host.MessageBoxOpen());
}

TEST_F(QtHostTest, OpenFileRefusesAFileOutsideTheDeviceAndCancelIsNothing) {
  vigil::test::TempFolder elsewhere;
  ASSERT_TRUE(platform::WriteUtf16FileAtomic(elsewhere.path() / "secret.txt", "x"));
  onShown.push_back([&](QWidget& window) {
    auto* files = qobject_cast<QFileDialog*>(&window);
    files->setDirectory(QString::fromStdString(elsewhere.path().string()));
    files->selectFile(QString::fromStdString((elsewhere.path() / "secret.txt").string()));
    static_cast<QDialog*>(files)->accept();  // public in QDialog, QFileDialog's own runs
  });
  EXPECT_EQ(host.OpenFile("\\", "All Files (*.*)|*.*||"), std::nullopt);
  onShown.push_back([](QWidget& window) { qobject_cast<QFileDialog*>(&window)->reject(); });
  EXPECT_EQ(host.OpenFile("\\", ""), std::nullopt);
}

}  // namespace
}  // namespace vigil::ui::qt::test
