// Names that would leave their folder or cannot be file names, typed or read wherever a name
// enters the program: the settings sheet, a new training point, an imported coordinate file.
// Point names never become file names: they are refused only for what the training file
// cannot hold and read back.
// Device names ("CON", "NUL") are taken: a name only ever appears joined to another one
// ("CON_STN1.txt"), and no file system treats such a name as a device.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../ui/SheetFixture.h"
#include "platform/Format.h"
#include "platform/Text.h"
#include "survey/Reading.h"
#include "training/CoordinateFile.h"
#include "training/NewPointNameDialog.h"
#include "ui/StationSettingsSheet.h"

namespace vigil {
namespace {

struct NameCase {
  std::string name;
  bool refused;       ///< as a project or station name
  bool pointRefused;  ///< as a point name
  const char* comment;
};

// The same names for every screen.
const std::vector<NameCase>& Names() {
  static const std::vector<NameCase> cases{
      {"Dam wall", false, false, ""},
      {"M\xC3\xBChle", false, false, "UTF-8 letters"},
      {"CON", false, false, "only ever part of a longer file name"},
      {"nul", false, false, ""},
      {"..", true, false, ""},
      {".", true, false, ""},
      {"../x", true, false, ""},
      {"..\\x", true, false, ""},
      {"a/b", true, false, ""},
      {"a\\b", true, false, ""},
      {"/etc", true, false, "absolute"},
      {"\\Storage Card", true, false, "absolute on the card"},
      {"C:x", true, false, "a drive"},
      {"x:", true, false, "an alternate stream"},
      {"A.", true, false, "the card drops a trailing dot: A. and A would be one file"},
      {"A ", true, false, "the card drops a trailing blank"},
      {"...", true, false, ""},
      {"a*", true, false, ""},
      {std::string("a\0b", 3), true, true, "an embedded NUL would cut the name"},
      {"\xC3", true, true, "a broken UTF-8 sequence"},
      {std::string(101, 'n'), true, false, ""},
  };
  return cases;
}

std::string Shown(const std::string& name) {
  return "\"" + platform::ReplaceAll(name, std::string(1, '\0'), "<NUL>") + "\"";
}

class SheetNames : public ui::test::SheetFixture {};

TEST_F(SheetNames, ProjectAndStationNames) {
  using Sheet = ui::StationSettingsSheet;
  for (const bool asProject : {true, false}) {
    for (const NameCase& c : Names()) {
      SCOPED_TRACE(std::string(asProject ? "project " : "station ") + Shown(c.name) + " " + c.comment);
      const std::vector<std::string> before = StationFiles();
      ui::ScriptedHost host(loop_);
      host.SetFailureHandler([](const std::string& what) { ADD_FAILURE() << what; });
      platform::BasicStateBracket bracket(host, {});
      Sheet sheet(store_, bracket, true);
      // A fresh other name each time, so no case meets the file of the one before.
      const std::string other = platform::Format("N%d", {static_cast<int>(before.size())});
      host.Type(ui::StationPage::kProjectEditId, asProject ? c.name : other, Sheet::kStation)
          .Type(ui::StationPage::kStationEditId, asProject ? other : c.name, Sheet::kStation)
          .PressSoftKey(4);
      if (c.refused) {
        host.AnswerMessageBox("The project and station names become file names.", platform::kIdOk,
                              ui::TextMatch::Contains)
            .PressSoftKey(1);
        EXPECT_EQ(host.Run(sheet), Sheet::kResultLoad);
        EXPECT_EQ(StationFiles(), before) << "nothing written";
      } else {
        EXPECT_EQ(host.Run(sheet), platform::kIdOk);
        EXPECT_EQ(StationFiles().size(), before.size() + 1);
      }
    }
  }
  // Nothing was created beside the program's folders.
  EXPECT_FALSE(platform::FileExists(dir_.path().parent_path() / "x_N0.txt"));
}

TEST(PointNames, ANewTrainingPointIsRefusedWithTheMessage) {
  constexpr const char* kInvalid = "Please enter a point name that is not empty and holds no TAB";
  platform::EventLoop loop(std::make_unique<platform::VirtualTimeDriver>());
  const store::ProjectStationSettings settings;
  for (const NameCase& c : Names()) {
    SCOPED_TRACE(Shown(c.name) + " " + c.comment);
    ui::ScriptedHost host(loop);
    host.SetFailureHandler([](const std::string& what) { ADD_FAILURE() << what; });
    std::vector<std::string> told;
    training::NewPointNameDialog dialog(
        settings, "P1", survey::kPrismMonitoring,
        [](const training::TextKey& k) { return std::string(k.defaultText); },
        [&](const training::TextKey& k) { told.emplace_back(k.defaultText); });
    host.Type(training::NewPointNameDialog::kNameEditId, c.name)
        .Press(training::NewPointNameDialog::kOkButtonId);
    if (c.pointRefused) host.Press(training::NewPointNameDialog::kCancelButtonId);
    const int result = host.Run(dialog);
    if (c.pointRefused) {
      EXPECT_EQ(result, platform::kIdCancel);
      ASSERT_EQ(told.size(), 1u);
      EXPECT_TRUE(platform::StartsWith(told[0], kInvalid)) << told[0];
    } else {
      EXPECT_EQ(result, platform::kIdOk);
      EXPECT_TRUE(told.empty());
      EXPECT_EQ(dialog.Name(), c.name);
    }
  }
}

std::string Utf16File(const std::string& text) {
  return "\xFF\xFE" + platform::Utf8ToUtf16Le(text);
}

TEST(PointNames, AnImportedCoordinateFileSkipsTheLine) {
  for (const NameCase& c : Names()) {
    // A TAB or comma inside the name would split it; those are not names of this table.
    SCOPED_TRACE(Shown(c.name) + " " + c.comment);
    // A UTF-16 file cannot hold a broken UTF-8 sequence.
    if (c.name == "\xC3") continue;
    // Blanks around a field are the file's padding: "A " is the point A.
    const bool refused = c.pointRefused && !platform::EndsWith(c.name, " ");
    const training::CoordinateFileContent content =
        training::ParseCoordinateFile(Utf16File("OK1\t1\t2\t3\r\n" + c.name + "\t10\t20\t30\r\n"));
    ASSERT_EQ(content.result, training::CoordinateFileResult::Read);
    EXPECT_EQ(content.skippedLines, refused ? 1 : 0);
    ASSERT_EQ(content.lines.size(), refused ? 1u : 2u);
    if (!refused) {
      EXPECT_EQ(content.lines[1].name, platform::Trim(c.name));
    }
  }
}

struct ValueCase {
  std::string line;
  bool taken;
  const char* comment;
};

TEST(CoordinateValues, OnlyWholePlainNumbersAreTaken) {
  const std::vector<ValueCase> cases{
      {"P1\t1100.5\t2000\t100", true, ""},
      {"P1\t1100,5\t2000\t100", false, "a decimal comma in a TAB file is not a point"},
      {"P1\t1100\t2000,25\t100", false, ""},
      {"P1\t1100\t2000\t", false, "nothing is not 0"},
      {"P1\t1100\t2000\tabc", false, ""},
      {"P1\t1100\t2000\t100m", false, ""},
      {"P1\t1100\t2000\t-", false, "a lone sign"},
      {"P1\t1100\t2000\t.", false, "a lone point"},
      {"P1\t1100\t2000\t0x10", false, ""},
      {"P1\t1100\t2000\tnan", false, ""},
      {"P1\t1100\t2000\t-0.5", true, ""},
  };
  for (const ValueCase& c : cases) {
    SCOPED_TRACE(c.line + " " + c.comment);
    const training::CoordinateFileContent content = training::ParseCoordinateFile(Utf16File(c.line + "\r\n"));
    EXPECT_EQ(content.lines.size(), c.taken ? 1u : 0u);
    EXPECT_EQ(content.skippedLines, c.taken ? 0 : 1);
  }
}

}  // namespace
}  // namespace vigil
