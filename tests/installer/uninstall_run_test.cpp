#include "InstallerWorld.h"

namespace vigil::installer::test {
namespace {

using Uninstall = InstallerWorld;

TEST_F(Uninstall, RemovesThePackagesFilesOnly) {
  StandardPackage();
  ScriptInstall();
  host.Do("the operator's own file", [this] { Put(Dev("\\ROMDisk\\PROGRAM\\Gauge\\mine.txt"), "mine"); });
  host.Do("resume file", [this] { Put(Dev(kResumeFile), "resume"); });
  ScriptUninstall();
  host.Close();
  Run();
  EXPECT_EQ(host.MessageTexts(), (std::vector<std::string>{"#10", "#15", "#11", "#16"}));
  EXPECT_FALSE(platform::FileExists(Dev("\\ROMDisk\\PROGRAM\\Gauge\\gauge.bin")));
  EXPECT_FALSE(platform::FileExists(Dev("\\ROMDisk\\PROGRAM\\Gauge\\help\\gauge.txt")));
  EXPECT_TRUE(platform::FileExists(Dev("\\ROMDisk\\PROGRAM\\Gauge\\mine.txt")));
  EXPECT_FALSE(platform::FileExists(Dev("\\ROMDisk2\\INI\\gauge.ini")));
  EXPECT_FALSE(platform::FileExists(Dev(kResumeFile)));
  EXPECT_FALSE(StoredRecord().Installed());
  EXPECT_EQ(StoredRecord().Byte(79), static_cast<std::uint8_t>(0xC0 + 79)) << "reserved bytes kept";
  InstallerDialog& d = Dialog();
  EXPECT_FALSE(d.Installed());
  EXPECT_TRUE(d.IsEnabled(kInstallId));
  EXPECT_FALSE(d.IsEnabled(kUninstallId));
  EXPECT_FALSE(d.IsShown(kStatusLineId));
}

TEST_F(Uninstall, ShowsTheRemovingLineWhileItWorks) {
  StandardPackage();
  Put(Dev("\\ROMDisk2\\INI\\gauge.ini"), "x");
  bool lineShown = false;
  platform::SetFileFaultHook([&](platform::FileOp op, const fs::path&) {
    if (op == platform::FileOp::Delete && dialog->IsShown(kStatusLineId)) {
      lineShown = lineShown || (dialog->Text(kStatusLineId) == "#53" && !dialog->IsEnabled(kInstallId));
    }
    return platform::FaultAction::Proceed;
  });
  ScriptUninstall();
  host.Close();
  Run();
  EXPECT_TRUE(lineShown);
}

TEST_F(Uninstall, DeleteDataRemovesTheThreeFolders) {
  StandardPackage();
  Put(Dev("\\ROMDisk2\\INI\\gauge.ini"), "x");
  Put(Dev("\\ROMDisk\\PROGRAM\\Gauge\\mine.txt"), "mine");
  Put(Dev("\\ROMDisk\\DATA\\Gauge\\r.txt"), "r");
  Put(Dev("\\ROMDisk\\SETTINGS\\Gauge\\s.cfg"), "s");
  Put(Dev("\\ROMDisk\\SETTINGS\\LMXAPP\\launcher.cfg"), "launcher");
  host.Check(kDeleteDataId, true)
      .Press(kUninstallId)
      .AnswerMessageBox(M(msg::kAskUninstallDeleteData), kIdYes)
      .AnswerMessageBox(M(msg::kUninstalled))
      .Close();
  Run();
  for (const char* gone :
       {"\\ROMDisk\\PROGRAM\\Gauge", "\\ROMDisk\\DATA\\Gauge", "\\ROMDisk\\SETTINGS\\Gauge"}) {
    EXPECT_FALSE(platform::FileExists(Dev(gone))) << gone;
  }
  EXPECT_TRUE(platform::FileExists(Dev("\\ROMDisk\\SETTINGS\\LMXAPP\\launcher.cfg")));
}

TEST_F(Uninstall, FileThatCannotBeDeletedAborts) {
  StandardPackage();
  Put(Dev("\\ROMDisk2\\INI\\gauge.ini"), "x");
  Put(Dev("\\ROMDisk\\PROGRAM\\Gauge\\gauge.bin"), "x");
  platform::SetFileFaultHook([](platform::FileOp op, const fs::path& p) {
    return op == platform::FileOp::Delete && p.filename() == "gauge.bin" ? platform::FaultAction::Fail
                                                                         : platform::FaultAction::Proceed;
  });
  ScriptUninstall(msg::kDeleteFailed);
  host.Close();
  Run();
  EXPECT_TRUE(platform::FileExists(Dev("\\ROMDisk2\\INI\\gauge.ini")));
  EXPECT_TRUE(Dialog().Installed());
  EXPECT_TRUE(Dialog().IsEnabled(kUninstallId));
}

TEST_F(Uninstall, BasicSettingsAreAsTheyWereAfterInstallAndUninstall) {
  StandardPackage("[OVERWRITE]\r\nFLG1=TRUE\r\n");
  Put(Dev("\\ROMDisk2\\INI\\VNT.ini"), "vnt settings");
  Put(Dev("\\ROMDisk2\\INI\\VNT8SURVEY.ini"), "survey settings");
  ScriptInstall();
  host.Do("backed up", [this] {
    EXPECT_FALSE(platform::FileExists(Dev("\\ROMDisk2\\INI\\VNT.ini")));
    EXPECT_EQ(Get(Dev("\\ROMDisk2\\INI\\VNT.bak")), "vnt settings");
    EXPECT_EQ(Get(Dev("\\ROMDisk2\\INI\\VNT8SURVEY.bak")), "survey settings");
  });
  ScriptUninstall();
  host.Close();
  Run();
  EXPECT_EQ(Get(Dev("\\ROMDisk2\\INI\\VNT.ini")), "vnt settings");
  EXPECT_EQ(Get(Dev("\\ROMDisk2\\INI\\VNT8SURVEY.ini")), "survey settings");
  EXPECT_FALSE(platform::FileExists(Dev("\\ROMDisk2\\INI\\VNT.bak")));
  EXPECT_FALSE(platform::FileExists(Dev("\\ROMDisk2\\INI\\VNT8SURVEY.bak")));
}

// While the package was installed the Basic-mode application wrote fresh settings; a
// rename that refused to replace them left the operator's own settings in the backup for good.
TEST_F(Uninstall, RestoredSettingsReplaceOnesWrittenMeanwhile) {
  StandardPackage("[OVERWRITE]\r\nFLG1=TRUE\r\n");
  Put(Dev("\\ROMDisk2\\INI\\VNT.ini"), "own settings");
  ScriptInstall();
  host.Do("fresh settings", [this] { Put(Dev("\\ROMDisk2\\INI\\VNT.ini"), "defaults"); });
  ScriptUninstall();
  host.Close();
  Run();
  EXPECT_EQ(Get(Dev("\\ROMDisk2\\INI\\VNT.ini")), "own settings");
  EXPECT_FALSE(platform::FileExists(Dev("\\ROMDisk2\\INI\\VNT.bak")));
}

TEST_F(Uninstall, AnOlderBackupIsKeptOnASecondInstall) {
  StandardPackage("[OVERWRITE]\r\nFLG1=TRUE\r\n");
  Put(Dev("\\ROMDisk2\\INI\\VNT.bak"), "own settings");
  Put(Dev("\\ROMDisk2\\INI\\VNT.ini"), "defaults");
  ScriptInstall();
  host.Close();
  Run();
  EXPECT_EQ(Get(Dev("\\ROMDisk2\\INI\\VNT.bak")), "own settings");
}

struct DeleteLineCase {
  const char* line;
  const char* comment;
  bool folderGone;
  bool fileGone;
};

void PrintTo(const DeleteLineCase& c, std::ostream* os) {
  *os << c.comment;
}

class DeleteLines : public InstallerWorld, public ::testing::WithParamInterface<DeleteLineCase> {};

TEST_P(DeleteLines, TrailingBackslashNamesTheFolder) {
  const DeleteLineCase& c = GetParam();
  StandardPackage(std::string("[CAB]\r\nPATH=cab.sh\r\n") + c.line + "\r\n");
  Put(Dev("\\ROMDisk2\\INI\\gauge.ini"), "x");
  Put(Dev("\\ROMDisk\\PROGRAM\\Tilt\\sub\\t.bin"), "t");
  Put(Dev("\\ROMDisk\\PROGRAM\\Tilt\\tilt.cfg"), "c");
  Put(Dev("\\ROMDisk\\PROGRAM\\tilt.cfg"), "same name one level up");
  ScriptUninstall();
  host.Close();
  Run();
  EXPECT_EQ(!platform::FileExists(Dev("\\ROMDisk\\PROGRAM\\Tilt")), c.folderGone) << c.comment;
  EXPECT_EQ(!platform::FileExists(Dev("\\ROMDisk\\PROGRAM\\Tilt\\tilt.cfg")), c.fileGone) << c.comment;
  EXPECT_TRUE(platform::FileExists(Dev("\\ROMDisk\\PROGRAM\\tilt.cfg")));
  EXPECT_FALSE(StoredRecord().Installed());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DeleteLines,
    ::testing::Values(
        DeleteLineCase{"DELETE=\\ROMDisk\\PROGRAM\\Tilt\\", "folder: emptied and removed", true, true},
        DeleteLineCase{"DELETE1=\\ROMDisk\\PROGRAM\\Tilt\\tilt.cfg", "file only", false, true},
        DeleteLineCase{"DELETE=\\ROMDisk\\PROGRAM\\Tilt", "a folder without \\ is no file", false, false},
        DeleteLineCase{"DELETE=\\ROMDisk\\PROGRAM\\Tilt\\missing.cfg", "missing file", false, false}));

TEST_F(Uninstall, CabinetUninstallReadsTheScriptAgainAndRefusesAnUnsafeLine) {
  StandardPackage("[CAB]\r\nPATH=cab.sh\r\nDELETE=\\ROMDisk\\PROGRAM\\Tilt\\\r\n");
  Put(Dev("\\ROMDisk2\\INI\\gauge.ini"), "x");
  Put(Dev("\\ROMDisk\\PROGRAM\\Tilt\\t.bin"), "t");
  Put(temp.path() / "home" / "precious.txt", "keep");
  host.Do("the script changes on the medium", [this] {
    Script("[CAB]\r\nPATH=cab.sh\r\nDELETE=\\ROMDisk\\PROGRAM\\Tilt\\\r\nDELETE=\\..\\home\\\r\n");
  });
  host.Press(kUninstallId)
      .AnswerMessageBox(M(msg::kAskUninstall), kIdYes)
      .AnswerMessageBox(M(msg::kUnsafePath) + "\n\\..\\home\\")
      .Close();
  Run();
  EXPECT_TRUE(platform::FileExists(Dev("\\ROMDisk\\PROGRAM\\Tilt\\t.bin"))) << "nothing deleted";
  EXPECT_TRUE(platform::FileExists(temp.path() / "home" / "precious.txt"));
  EXPECT_TRUE(Dialog().Installed());
}

TEST_F(Uninstall, CabinetUninstallWithoutItsScriptAborts) {
  StandardPackage("[CAB]\r\nPATH=cab.sh\r\nDELETE=\\ROMDisk\\PROGRAM\\Tilt\\\r\n");
  Put(Dev("\\ROMDisk2\\INI\\gauge.ini"), "x");
  host.Do("the script goes", [this] { fs::remove(pkg / "SETUP.INI"); });
  ScriptUninstall(msg::kScriptUnreadable);
  host.Close();
  Run();
  EXPECT_TRUE(Dialog().Installed());
}

// A cabinet package has no program folder of its own; "Delete Data" once emptied the whole
// of \ROMDisk\PROGRAM, DATA and SETTINGS.
TEST_F(Uninstall, CabinetPackageWithDeleteDataLeavesOtherPackagesAlone) {
  StandardPackage("[CAB]\r\nPATH=cab.sh\r\n");
  Program("cab.sh", "true");
  Put(Dev("\\ROMDisk\\PROGRAM\\Other\\o.bin"), "o");
  Put(Dev("\\ROMDisk\\DATA\\Other\\d.txt"), "d");
  host.Check(kDeleteDataId, true)
      .Press(kInstallId)
      .AnswerMessageBox(M(msg::kAskInstallDeleteData), kIdYes)
      .AnswerMessageBox(M(msg::kInstalled))
      .Press(kUninstallId)
      .AnswerMessageBox(M(msg::kAskUninstallDeleteData), kIdYes)
      .AnswerMessageBox(M(msg::kUninstalled))
      .Close();
  Run();
  EXPECT_TRUE(platform::FileExists(Dev("\\ROMDisk\\PROGRAM\\Other\\o.bin")));
  EXPECT_TRUE(platform::FileExists(Dev("\\ROMDisk\\DATA\\Other\\d.txt")));
}

}  // namespace
}  // namespace vigil::installer::test
