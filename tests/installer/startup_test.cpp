#include <functional>

#include "InstallerWorld.h"

namespace vigil::installer::test {
namespace {

using Startup = InstallerWorld;

TEST_F(Startup, PassesAndFillsTheDialog) {
  StandardPackage();
  host.Close();
  Run();
  InstallerDialog& d = Dialog();
  EXPECT_EQ(d.StartupFailure(), 0);
  EXPECT_TRUE(host.MessageTexts().empty());
  EXPECT_EQ(d.Title(), "#1");
  EXPECT_EQ(d.Text(kProductLabelId), "#50");
  EXPECT_EQ(d.Text(kVersionLabelId), "#51");
  EXPECT_EQ(d.Text(kFileNameLabelId), "#54");
  EXPECT_EQ(d.Text(kInstallId), "#57");
  EXPECT_EQ(d.Text(kUninstallId), "#58");
  EXPECT_EQ(d.Text(kDeleteDataId), "#59");
  EXPECT_EQ(d.Text(kProductId), "Crack gauge");
  EXPECT_EQ(d.Text(kVersionId), "1.4");
  EXPECT_EQ(d.Text(kSetupVersionId), "#74 0.1.0") << "once shown without a label";
  for (int id : {kStatusLineId, kFileNameLabelId, kFileNameId, kCounterId}) EXPECT_FALSE(d.IsShown(id)) << id;
  for (int id : {kToolBoxId, kToolMessageId, kToolButtonId})
    EXPECT_FALSE(d.IsShown(id)) << "no [TOOL] message";
  EXPECT_EQ(d.ProgramFolderName(), "Gauge");
  EXPECT_EQ(d.IniFileName(), "gauge.ini");
  EXPECT_EQ(d.NeededBytes(), 1004u) << "no [CAB]: the program folder's size";
  EXPECT_FALSE(d.Installed());
  EXPECT_TRUE(d.IsEnabled(kInstallId));
  EXPECT_TRUE(d.IsShown(kUninstallId));
  EXPECT_FALSE(d.IsEnabled(kUninstallId)) << "nothing to uninstall yet";
}

TEST_F(Startup, ThePackageIniOnTheInstrumentMarksItInstalled) {
  StandardPackage();
  Put(Dev("\\ROMDisk2\\INI\\gauge.ini"), "x");
  host.Close();
  Run();
  EXPECT_TRUE(Dialog().Installed());
  EXPECT_TRUE(Dialog().IsEnabled(kUninstallId));
}

TEST_F(Startup, ToolBoxShowsTheToolMessage) {
  StandardPackage("[TOOL]\r\nMESSAGE=Calibrate the gauge\r\nPATH=tool.sh\r\n");
  host.Close();
  Run();
  EXPECT_TRUE(Dialog().IsShown(kToolButtonId));
  EXPECT_EQ(Dialog().Text(kToolMessageId), "Calibrate the gauge");
  EXPECT_EQ(Dialog().Text(kToolBoxId), "#55");
  EXPECT_EQ(Dialog().Text(kToolButtonId), "#56");
}

TEST_F(Startup, CabinetPackageNeedsTheScriptsSize) {
  StandardPackage("[CAB]\r\nPATH=\\cab.sh\r\nSIZE=5000\r\n");
  host.Close();
  Run();
  EXPECT_EQ(Dialog().NeededBytes(), 5000u);
  EXPECT_EQ(Dialog().ProgramFolderName(), "");
}

TEST_F(Startup, DriverIsQueriedOnceForTheLastFamilyChecked) {
  StandardPackage();
  Model("VS-1003");  // family 10: all nine predicates are asked
  PackageRecord record;
  record.SetSupportsFamily(10, true);
  Record(record);
  host.Close();
  Run();
  EXPECT_EQ(Dialog().StartupFailure(), 0);
  EXPECT_EQ(models.QueryCount(), 1);
}

struct SingleUseCase {
  bool installed;
  bool withCabinet;
  bool installShown;
  bool uninstallShown;
  bool uninstallEnabled;
};

void PrintTo(const SingleUseCase& c, std::ostream* os) {
  *os << (c.installed ? "installed" : "not installed") << (c.withCabinet ? ", cabinet" : "");
}

class SingleUse : public InstallerWorld, public ::testing::WithParamInterface<SingleUseCase> {};

TEST_P(SingleUse, OffersOnlyOneActionWithoutACabinet) {
  const SingleUseCase& c = GetParam();
  StandardPackage(c.withCabinet ? "[CAB]\r\nPATH=cab.sh\r\n" : "");
  PackageRecord record = StoredRecord();
  record.SetByte(5, 1);
  Record(record);
  if (c.installed) Put(Dev("\\ROMDisk2\\INI\\gauge.ini"), "x");
  host.Close();
  Run();
  EXPECT_EQ(Dialog().SingleUse(), !c.withCabinet);
  EXPECT_EQ(Dialog().IsShown(kInstallId), c.installShown);
  EXPECT_EQ(Dialog().IsShown(kUninstallId), c.uninstallShown);
  EXPECT_EQ(Dialog().IsEnabled(kUninstallId), c.uninstallEnabled);
}

INSTANTIATE_TEST_SUITE_P(Buttons, SingleUse,
                         ::testing::Values(SingleUseCase{false, false, true, false, true},
                                           SingleUseCase{true, false, false, true, true},
                                           SingleUseCase{false, true, true, true, false},
                                           SingleUseCase{true, true, true, true, true}));

struct FailureCase {
  const char* comment;
  std::function<void(InstallerWorld&)> breakIt;
  int message;
  std::string detail;
};

void PrintTo(const FailureCase& c, std::ostream* os) {
  *os << c.comment;
}

class StartupFailure : public InstallerWorld, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(StartupFailure, ShowsItsMessageThenEnds) {
  const FailureCase& c = GetParam();
  StandardPackage();
  c.breakIt(*this);
  host.AnswerMessageBox(M(c.message) + (c.detail.empty() ? "" : "\n" + c.detail))
      .AnswerMessageBox(M(msg::kSetupEnds));
  EXPECT_EQ(Run(), platform::kIdCancel);
  EXPECT_EQ(Dialog().StartupFailure(), c.message) << c.comment;
  const auto boxes = host.Events(ui::HostEvent::Kind::MessageBox);
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(boxes[0].icon, platform::MessageIcon::Exclamation);
  EXPECT_EQ(boxes[0].caption, "#1");
  EXPECT_EQ(boxes[1].icon, platform::MessageIcon::Error);
  EXPECT_FALSE(platform::FileExists(Dev("\\ROMDisk\\PROGRAM\\Gauge"))) << "nothing installed";
}

INSTANTIATE_TEST_SUITE_P(
    Checks, StartupFailure,
    ::testing::Values(
        FailureCase{"no record", [](InstallerWorld& w) { fs::remove(w.pkg / "SETUP.DAT"); }, 20, ""},
        FailureCase{"short record",
                    [](InstallerWorld& w) { Put(w.pkg / "SETUP.DAT", std::string(79, '\1')); }, 21, ""},
        FailureCase{"no script", [](InstallerWorld& w) { fs::remove(w.pkg / "SETUP.INI"); }, 17, ""},
        FailureCase{"unreadable script",
                    [](InstallerWorld&) {
                      platform::SetFileFaultHook([](platform::FileOp op, const fs::path& p) {
                        return op == platform::FileOp::Read && p.filename() == "SETUP.INI"
                                   ? platform::FaultAction::Fail
                                   : platform::FaultAction::Proceed;
                      });
                    },
                    18, ""},
        FailureCase{"no launcher", [](InstallerWorld& w) { fs::remove(w.Dev(kLauncherProgram)); }, 26, ""},
        FailureCase{"no driver answer", [](InstallerWorld& w) { fs::remove(w.Dev(kModelAnswerFile)); }, 25,
                    ""},
        FailureCase{"model name differs only in letter case", [](InstallerWorld& w) { w.Model("vs-201"); },
                    25, ""},
        FailureCase{"every family byte 0", [](InstallerWorld& w) { w.Record(PackageRecord{}); }, 22, ""},
        FailureCase{"family 7 not supported", [](InstallerWorld& w) { w.Model("VS-701R"); }, 47, ""},
        FailureCase{"only an INI program folder",
                    [](InstallerWorld& w) {
                      fs::remove_all(w.pkg / "PROGRAM");
                      Put(w.pkg / "PROGRAM" / "ini" / "x", "x");
                    },
                    34, ""},
        FailureCase{"no INI file", [](InstallerWorld& w) { fs::remove(w.pkg / "INI" / "gauge.ini"); }, 29,
                    ""},
        FailureCase{"cabinet outside the package",
                    [](InstallerWorld& w) { w.Script("[CAB]\r\nPATH=\\..\\other\\cab.sh\r\n"); }, 70,
                    "..\\other\\cab.sh"},
        FailureCase{"finish program on a drive",
                    [](InstallerWorld& w) { w.Script("[FINISH]\r\nPATH=C:\\f.exe\r\n"); }, 70, "C:\\f.exe"},
        FailureCase{"tool program absolute",
                    [](InstallerWorld& w) { w.Script("[TOOL]\r\nPATH=\\\\ROMDisk\\t\r\n"); }, 70,
                    "\\ROMDisk\\t"},
        FailureCase{"DELETE line outside the device root",
                    [](InstallerWorld& w) {
                      w.Script("[CAB]\r\nPATH=cab.sh\r\nDELETE=\\ROMDisk\\..\\..\\home\\\r\n");
                    },
                    70, "\\ROMDisk\\..\\..\\home\\"},
        FailureCase{"DELETE line naming the device root",
                    [](InstallerWorld& w) { w.Script("[CAB]\r\nPATH=cab.sh\r\nDELETE=\\\r\n"); }, 70, "\\"},
        FailureCase{
            "overlong line",
            [](InstallerWorld& w) { w.Script("[PRODUCT]\r\nNAME=" + std::string(300, 'n') + "\r\n"); }, 71,
            "2"}));

}  // namespace
}  // namespace vigil::installer::test
