#include "InstallerWorld.h"

namespace vigil::installer::test {
namespace {

using platform::MessageIcon;
using Install = InstallerWorld;

TEST_F(Install, CopiesTheProgramFolderAndRecordsIt) {
  StandardPackage();
  Put(Dev(kResumeFile), "resume");
  ScriptInstall();
  host.Close();
  Run();
  EXPECT_EQ(host.MessageTexts(), (std::vector<std::string>{"#10", "#15"}));
  const auto boxes = host.Events(ui::HostEvent::Kind::MessageBox);
  EXPECT_EQ(boxes[0].icon, MessageIcon::Information);
  EXPECT_EQ(boxes[0].buttons, platform::MessageButtons::YesNo);
  EXPECT_EQ(boxes[1].icon, MessageIcon::Information);
  EXPECT_EQ(Get(Dev("\\ROMDisk\\PROGRAM\\Gauge\\gauge.bin")), std::string(1000, 'g'));
  EXPECT_EQ(Get(Dev("\\ROMDisk\\PROGRAM\\Gauge\\help\\gauge.txt")), "help");
  EXPECT_EQ(Get(Dev("\\ROMDisk2\\INI\\gauge.ini")), "[gauge]\r\n");
  EXPECT_FALSE(platform::FileExists(Dev(kResumeFile))) << "the launcher starts afresh";
  EXPECT_FALSE(platform::FileExists(pkg / "INSTDUMMY.DAT"));

  PackageRecord expected;
  expected.SetSupportsFamily(2, true);
  for (std::size_t i : {0u, 1u, 2u, 3u, 6u, 30u, 79u})
    expected.SetByte(i, static_cast<std::uint8_t>(0xC0 + i));
  expected.SetInstalled(true);
  EXPECT_EQ(Get(pkg / "SETUP.DAT"), expected.ToBytes()) << "only the installed flag changed";

  InstallerDialog& d = Dialog();
  EXPECT_TRUE(d.Installed());
  EXPECT_TRUE(d.IsShown(kUninstallId) && d.IsEnabled(kUninstallId));
  EXPECT_TRUE(d.IsEnabled(kInstallId));
  EXPECT_TRUE(d.IsEnabled(kDeleteDataId));
  EXPECT_EQ(d.Text(kCounterId), "2 / 2");
  EXPECT_FALSE(d.IsShown(kCounterId)) << "progress lines hidden again";
}

TEST_F(Install, AnsweringNoChangesNothing) {
  StandardPackage();
  host.Press(kInstallId).AnswerMessageBox(M(msg::kAskInstall), kIdNo).Close();
  Run();
  EXPECT_FALSE(platform::FileExists(Dev("\\ROMDisk\\PROGRAM")));
  EXPECT_FALSE(StoredRecord().Installed());
  EXPECT_TRUE(Dialog().IsEnabled(kInstallId));
}

TEST_F(Install, HiddenFilesAreCopiedButNotCounted) {
  StandardPackage();
  ProgramFile(".state", "hidden");
  ProgramFile("help/.index", "hidden too");
  ScriptInstall();
  host.Close();
  Run();
  EXPECT_EQ(Get(Dev("\\ROMDisk\\PROGRAM\\Gauge\\.state")), "hidden");
  EXPECT_EQ(Get(Dev("\\ROMDisk\\PROGRAM\\Gauge\\help\\.index")), "hidden too");
  EXPECT_EQ(Dialog().Text(kCounterId), "2 / 2");
  EXPECT_EQ(Dialog().Text(kFileNameId), "gauge.txt") << "the last file shown is not a hidden one";
}

TEST_F(Install, WriteProtectedMediumStopsBeforeAnythingIsAsked) {
  StandardPackage();
  Put(Dev("\\ROMDisk2\\INI\\gauge.ini"), "installed");
  WriteProtect();
  host.Press(kInstallId).AnswerMessageBox(M(msg::kWriteProtected));
  host.Press(kUninstallId).AnswerMessageBox(M(msg::kWriteProtected));
  host.Close();
  Run();
  EXPECT_EQ(host.MessageTexts(), (std::vector<std::string>{"#39", "#39"}));
  EXPECT_FALSE(platform::FileExists(Dev("\\ROMDisk\\PROGRAM")));
  EXPECT_TRUE(platform::FileExists(Dev("\\ROMDisk2\\INI\\gauge.ini")));
}

struct SpaceCase {
  std::optional<std::uint64_t> freeBytes;
  std::uint64_t existingCopyBytes;  ///< of gauge.bin already on the instrument; 0 none
  bool accepted;
  const char* comment;
};

void PrintTo(const SpaceCase& c, std::ostream* os) {
  *os << c.comment;
}

class InstallSpace : public InstallerWorld, public ::testing::WithParamInterface<SpaceCase> {};

// The package needs 1,004 bytes.
TEST_P(InstallSpace, FreePlusReclaimableMustCoverTheNeed) {
  const SpaceCase& c = GetParam();
  StandardPackage();
  freeBytes = c.freeBytes;
  if (c.existingCopyBytes > 0)
    Put(Dev("\\ROMDisk\\PROGRAM\\Gauge\\gauge.bin"), std::string(c.existingCopyBytes, 'o'));
  if (c.accepted) {
    ScriptInstall();
  } else {
    host.Press(kInstallId).AnswerMessageBox(M(msg::kNoSpace));
  }
  host.Close();
  Run();
  EXPECT_EQ(StoredRecord().Installed(), c.accepted) << c.comment;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, InstallSpace,
    ::testing::Values(SpaceCase{999999, 0, false, "below the reserve: once wrapped round to plenty"},
                      SpaceCase{0, 0, false, "nothing free"},
                      SpaceCase{1000000, 0, false, "exactly the reserve"},
                      SpaceCase{1001003, 0, false, "one byte short"},
                      SpaceCase{1001004, 0, true, "just enough"},
                      SpaceCase{0x100000000ull, 0, true, "beyond 32 bits"},
                      SpaceCase{std::nullopt, 0, false, "free space unknown"},
                      SpaceCase{1000010, 1000, true, "the old copy of gauge.bin is reclaimed"},
                      SpaceCase{1000010, 900, false, "old copy too small to make up the rest"}));

TEST_F(Install, DeleteDataClearsThePackagesFoldersFirst) {
  StandardPackage();
  Put(Dev("\\ROMDisk\\PROGRAM\\Gauge\\old.bin"), "old");
  Put(Dev("\\ROMDisk\\DATA\\Gauge\\readings.txt"), "data");
  Put(Dev("\\ROMDisk\\SETTINGS\\Gauge\\gauge.cfg"), "cfg");
  Put(Dev("\\ROMDisk\\DATA\\Other\\keep.txt"), "other package");
  host.Check(kDeleteDataId, true)
      .Press(kInstallId)
      .AnswerMessageBox(M(msg::kAskInstallDeleteData), kIdYes)
      .AnswerMessageBox(M(msg::kInstalled))
      .Close();
  Run();
  EXPECT_FALSE(platform::FileExists(Dev("\\ROMDisk\\PROGRAM\\Gauge\\old.bin")));
  EXPECT_FALSE(platform::FileExists(Dev("\\ROMDisk\\DATA\\Gauge")));
  EXPECT_FALSE(platform::FileExists(Dev("\\ROMDisk\\SETTINGS\\Gauge")));
  EXPECT_TRUE(platform::FileExists(Dev("\\ROMDisk\\PROGRAM\\Gauge\\gauge.bin")));
  EXPECT_TRUE(platform::FileExists(Dev("\\ROMDisk\\DATA\\Other\\keep.txt")));
}

TEST_F(Install, ProgramFolderThatCannotBeMadeAborts) {
  StandardPackage();
  Put(Dev("\\ROMDisk\\PROGRAM"), "a file in the way");
  host.Press(kInstallId)
      .AnswerMessageBox(M(msg::kAskInstall), kIdYes)
      .AnswerMessageBox(M(msg::kProgramFolderNotCreated))
      .Close();
  Run();
  EXPECT_FALSE(StoredRecord().Installed());
  EXPECT_TRUE(Dialog().IsEnabled(kInstallId)) << "the dialog is enabled again after an abort";
}

TEST_F(Install, FailedCopyAbortsWithoutRecordOrIni) {
  StandardPackage();
  Put(Dev(kResumeFile), "resume");
  platform::SetFileFaultHook([](platform::FileOp op, const fs::path& p) {
    return op == platform::FileOp::Copy && p.filename() == "gauge.txt" ? platform::FaultAction::Fail
                                                                       : platform::FaultAction::Proceed;
  });
  host.Press(kInstallId)
      .AnswerMessageBox(M(msg::kAskInstall), kIdYes)
      .AnswerMessageBox(M(msg::kCopyFailed))
      .Close();
  Run();
  EXPECT_FALSE(StoredRecord().Installed());
  EXPECT_FALSE(platform::FileExists(Dev("\\ROMDisk2\\INI\\gauge.ini")));
  EXPECT_TRUE(platform::FileExists(Dev(kResumeFile))) << "written only after a complete run";
  EXPECT_FALSE(Dialog().Installed());
}

TEST_F(Install, IniFolderThatCannotBeMadeAborts) {
  StandardPackage();
  Put(Dev("\\ROMDisk2\\INI"), "a file in the way");
  host.Press(kInstallId)
      .AnswerMessageBox(M(msg::kAskInstall), kIdYes)
      .AnswerMessageBox(M(msg::kIniFolderNotCreated))
      .Close();
  Run();
  EXPECT_FALSE(StoredRecord().Installed());
}

// A record that could not be written was once followed by the success message.
TEST_F(Install, RecordThatCannotBeWrittenIsReported) {
  StandardPackage();
  platform::SetFileFaultHook([](platform::FileOp op, const fs::path& p) {
    return op == platform::FileOp::Rename && p.filename() == "SETUP.DAT" ? platform::FaultAction::Fail
                                                                         : platform::FaultAction::Proceed;
  });
  host.Press(kInstallId)
      .AnswerMessageBox(M(msg::kAskInstall), kIdYes)
      .AnswerMessageBox(M(msg::kRecordNotWritten))
      .Close();
  Run();
  EXPECT_EQ(host.MessageTexts(), (std::vector<std::string>{"#10", "#72"}));
}

}  // namespace
}  // namespace vigil::installer::test
