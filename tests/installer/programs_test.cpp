#include "InstallerWorld.h"

namespace vigil::installer::test {
namespace {

using Programs = InstallerWorld;

// The cabinet notes where it ran; the installer gives it the device root and the package
// folder as its current folder.
constexpr const char* kCabinet = "pwd > \"$VIGIL_DEVICE_ROOT/cabinet-ran\"";

class CabinetPath : public InstallerWorld, public ::testing::WithParamInterface<const char*> {};

TEST_P(CabinetPath, WithOrWithoutLeadingBackslashNamesTheSameProgram) {
  StandardPackage(std::string("[CAB]\r\nPATH=") + GetParam() + "\r\nSIZE=10\r\n");
  Program("cab/install.sh", kCabinet);
  ScriptInstall();
  host.Close();
  Run();
  EXPECT_EQ(Get(root / "cabinet-ran"), platform::PathText(pkg) + "\n");
  EXPECT_FALSE(platform::FileExists(Dev("\\ROMDisk\\PROGRAM\\Gauge"))) << "a cabinet package copies nothing";
  EXPECT_TRUE(StoredRecord().Installed());
  EXPECT_TRUE(platform::FileExists(Dev("\\ROMDisk2\\INI\\gauge.ini")));
}

INSTANTIATE_TEST_SUITE_P(Paths, CabinetPath, ::testing::Values("\\cab\\install.sh", "cab\\install.sh"));

TEST_F(Programs, MissingCabinetAborts) {
  StandardPackage("[CAB]\r\nPATH=cab.sh\r\n");
  ScriptInstall(msg::kCabinetMissing);
  host.Close();
  Run();
  EXPECT_FALSE(StoredRecord().Installed());
}

// The run once went on after this message and reported the package as installed.
TEST_F(Programs, CabinetThatCannotBeStartedAbortsTheRun) {
  StandardPackage("[CAB]\r\nPATH=cab.sh\r\n");
  Put(pkg / "cab.sh", "not a program");
  ScriptInstall(msg::kCabinetNotStarted);
  host.Close();
  Run();
  EXPECT_FALSE(StoredRecord().Installed());
  EXPECT_FALSE(platform::FileExists(Dev("\\ROMDisk2\\INI\\gauge.ini")));
}

TEST_F(Programs, FinishMessageComesBeforeTheFinishProgram) {
  StandardPackage("[FINISH]\r\nMESSAGE=Please wait\r\nPATH=\\finish.sh\r\n");
  Program("finish.sh", "echo done > \"$VIGIL_DEVICE_ROOT/finish-ran\"");
  host.Press(kInstallId)
      .AnswerMessageBox(M(msg::kAskInstall), kIdYes)
      .AnswerMessageBox("Please wait")
      .AnswerMessageBox(M(msg::kInstalled))
      .Close();
  Run();
  EXPECT_EQ(Get(root / "finish-ran"), "done\n");
  EXPECT_EQ(host.Events(ui::HostEvent::Kind::MessageBox)[1].icon, platform::MessageIcon::Exclamation);
  EXPECT_TRUE(platform::FileExists(Dev("\\ROMDisk\\PROGRAM\\Gauge\\gauge.bin")));
}

TEST_F(Programs, MissingFinishProgramAbortsBeforeItsMessage) {
  StandardPackage("[FINISH]\r\nMESSAGE=Please wait\r\nPATH=finish.sh\r\n");
  ScriptInstall(msg::kFinishMissing);
  host.Close();
  Run();
  EXPECT_FALSE(StoredRecord().Installed());
}

TEST_F(Programs, ToolRunsAndMissingOrBrokenToolIsReported) {
  StandardPackage("[TOOL]\r\nMESSAGE=Calibrate\r\nPATH=tool.sh\r\n");
  host.Press(kToolButtonId).AnswerMessageBox(M(msg::kToolMissing));
  host.Do("a tool that is no program", [this] { Put(pkg / "tool.sh", "text"); });
  host.Press(kToolButtonId).AnswerMessageBox(M(msg::kToolNotStarted));
  host.Do("a working tool", [this] { Program("tool.sh", "echo t > \"$VIGIL_DEVICE_ROOT/tool-ran\""); });
  host.Press(kToolButtonId);
  host.Close();
  Run();
  EXPECT_EQ(Get(root / "tool-ran"), "t\n");
  EXPECT_TRUE(Dialog().IsEnabled(kToolButtonId));
}

// The cabinet waits until it is told to finish; only the dialog's loop, handling its messages
// while it waits for the cabinet, can tell it.
TEST_F(Programs, DialogHandlesMessagesWhileTheCabinetRuns) {
  StandardPackage("[CAB]\r\nPATH=cab.sh\r\n");
  Program("cab.sh",
          "touch \"$VIGIL_DEVICE_ROOT/started\"\n"
          "i=0\n"
          "while [ ! -f \"$VIGIL_DEVICE_ROOT/go\" ] && [ $i -lt 200000 ]; do i=$((i+1)); done\n"
          "touch \"$VIGIL_DEVICE_ROOT/ended\"");
  bool toldWhileRunning = false;
  bool buttonsDisabled = false;
  std::function<void()> watch = [&] {
    if (platform::FileExists(root / "started") && !platform::FileExists(root / "ended")) {
      toldWhileRunning = true;
      buttonsDisabled = !Dialog().IsEnabled(kInstallId) && !Dialog().IsEnabled(kDeleteDataId);
      Put(root / "go", "");
      return;
    }
    if (!platform::FileExists(root / "ended")) loop.PostDelayed(10, watch);
  };
  host.Do("watch the cabinet", [&] { loop.PostDelayed(10, watch); });
  ScriptInstall();
  host.Close();
  Run();
  EXPECT_TRUE(toldWhileRunning);
  EXPECT_TRUE(buttonsDisabled);
  EXPECT_TRUE(StoredRecord().Installed());
}

}  // namespace
}  // namespace vigil::installer::test
