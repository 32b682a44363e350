// Opening, saving and refusing on the settings sheet.
#include <gtest/gtest.h>

#include "SheetFixture.h"
#include "platform/Text.h"
#include "store/SettingsEntries.h"
#include "ui/StationSettingsSheet.h"

namespace vigil::ui {
namespace {

using Sheet = StationSettingsSheet;

class SheetSaveTest : public test::SheetFixture {};

TEST_F(SheetSaveTest, OpensWithTranslatedCaptionsAndTheStationPage) {
  WriteFile(store_.Layout().TranslationsFilePath(),
            "IDS_STN_DLG_TITLE_SETTINGS=Stationseinstellungen\r\nIDS_STN_TAB_UNITS=Einheiten\r\n"
            "IDS_STN_CRDTAB_EASTING=Rechtswert\r\nIDS_STN_BTN_LOAD=Laden");
  Sheet sheet(store_, bracket_, false);
  host_.Do("look", [&] {
    EXPECT_EQ(sheet.Title(), "Stationseinstellungen : PROJ - STN1");
    EXPECT_EQ(sheet.TabCurrent(Sheet::kTabId), Sheet::kStation);
    EXPECT_EQ(sheet.TabCount(Sheet::kTabId), 6);
    const platform::Control* tabs = sheet.Find(Sheet::kTabId);
    ASSERT_NE(tabs, nullptr);
    EXPECT_EQ(tabs->items, (std::vector<std::string>{"Station", "Einheiten", "Coordinates", "Prism Constants",
                                                     "Configure Reading", "Cycles"}));
    EXPECT_EQ(sheet.Text(Sheet::kLoadKeyId), "Laden");
    EXPECT_EQ(sheet.Coordinates().Text(CoordinatesPage::kEastingLabelId), "Rechtswert (m)");
    EXPECT_TRUE(sheet.Station().IsShown(StationPage::kProjectEditId));
    EXPECT_FALSE(sheet.Units().IsShown(UnitsPage::kTemperatureEditId)) << "only the current page is shown";
    EXPECT_EQ(host_.SoftKeys().Current(), &sheet);
  });
  host_.PressSoftKey(1);
  host_.Run(sheet);
}

TEST_F(SheetSaveTest, AnUntouchedSheetSavesTheSettingsInTheirStoredForm) {
  store::ProjectStationSettings& s = store_.Settings();
  s.temperature = 21.25;
  s.reduced_level = 101.5;  // the axis; the file holds the mark
  s.instrument_height = 1.5;
  s.orientation = 399.999994;
  s.const_custom_name = "X";
  s.const_custom = -17.5;
  s.sequence = 2;
  s.retry = 9;
  s.mode = 1;
  s.cycles = "1,03:00 AM";
  Sheet sheet(store_, bracket_, true);
  host_.PressSoftKey(4);
  EXPECT_EQ(host_.Run(sheet), platform::kIdOk);

  std::vector<std::string> expected{"project=PROJ", "station=STN1"};
  for (const auto& [key, value] : store::SettingsEntriesFor(s)) expected.push_back(key + "=" + value);
  EXPECT_EQ(platform::Split(FileText(StationFile("PROJ_STN1")), "\r\n"), expected);
}

TEST_F(SheetSaveTest, TypedValuesAreSavedAsTyped) {
  Sheet sheet(store_, bracket_, true);
  host_.Type(StationPage::kProjectEditId, "Dam", Sheet::kStation)
      .Type(StationPage::kStationEditId, "West_2", Sheet::kStation)
      .Select(Sheet::kTabId, Sheet::kUnits)
      .Type(UnitsPage::kPressureEditId, "998.25", Sheet::kUnits)
      .Select(Sheet::kTabId, Sheet::kCoordinates)
      .Type(CoordinatesPage::kLevelEditId, "12.3", Sheet::kCoordinates)
      .Type(CoordinatesPage::kNorthingEditId, "n/a", Sheet::kCoordinates)
      .Select(Sheet::kTabId, Sheet::kPrismConstants)
      .Type(PrismConstantsPage::kCustomNameEditId, "Q", Sheet::kPrismConstants)
      .Type(PrismConstantsPage::kCustomConstantEditId, "17.44", Sheet::kPrismConstants)
      .Select(Sheet::kTabId, Sheet::kReading)
      .Select(ReadingPage::kSequenceListId, 1, Sheet::kReading)
      .Type(ReadingPage::kRoundsEditId, "2", Sheet::kReading)
      .PressSoftKey(4);
  EXPECT_EQ(host_.Run(sheet), platform::kIdOk);
  const std::string text = FileText(StationFile("Dam_West_2"));
  for (const char* line : {"project=Dam", "station=West_2", "pressure=998.25", "reduced_level=12.3000",
                           "northing=n/a", "const_custom=Q:17.4", "sequence=1", "rounds=2"}) {
    EXPECT_TRUE(platform::Contains(text, std::string(line) + "\r\n") || platform::EndsWith(text, line))
        << line;
  }
  EXPECT_EQ(store_.Settings().project, "Dam");
  EXPECT_EQ(store_.Settings().station, "West_2");
}

TEST_F(SheetSaveTest, NamesThatAreNotFileNamesAreRefusedAndNothingIsWritten) {
  struct Case {
    const char* what;
    std::string project;
    std::string station;
  };
  const Case cases[] = {
      {"empty project", "", "STN1"},
      {"empty station", "PROJ", ""},
      {"parent folder", "..", "x"},
      {"this folder", "PROJ", "."},
      {"slash leaves the folder", "../../etc", "x"},
      {"backslash", "a\\b", "x"},
      {"control character",
       "a\x01"
       "b",
       "x"},
      {"reserved character", "a:b", "x"},
      {"too long", std::string(101, 'p'), "x"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ScriptedHost host(loop_);
    host.SetFailureHandler([](const std::string& what) { ADD_FAILURE() << what; });
    platform::BasicStateBracket bracket(host, {});
    Sheet sheet(store_, bracket, true);
    host.Type(StationPage::kProjectEditId, c.project, Sheet::kStation)
        .Type(StationPage::kStationEditId, c.station, Sheet::kStation)
        .PressSoftKey(4)
        .AnswerMessageBox("The project and station names become file names.", platform::kIdOk,
                          TextMatch::Contains)
        .Do("still open with the entries",
            [&] {
              EXPECT_EQ(host.TopDialog(), &sheet);
              EXPECT_EQ(sheet.Station().Project(), c.project);
            })
        .PressSoftKey(1);
    EXPECT_EQ(host.Run(sheet), Sheet::kResultLoad);
    EXPECT_EQ(host.Events(HostEvent::Kind::MessageBox).at(0).icon, platform::MessageIcon::Exclamation);
    EXPECT_TRUE(StationFiles().empty());
    EXPECT_FALSE(platform::FolderExists(dir_.path().parent_path() / "etc"));
    EXPECT_EQ(store_.Settings().project, "PROJ") << "the current names stay";
  }
}

TEST_F(SheetSaveTest, AnExistingProjectStationIsNotOverwrittenByANewOne) {
  WriteFile(StationFile("PROJ_STN1"), "project=PROJ\r\nstation=STN1\r\ntemperature=5.0");
  Sheet sheet(store_, bracket_, true);
  host_.PressSoftKey(4)
      .AnswerMessageBox(
          "The Project-Station you're setting up already exists.\r\nPlease provide a different "
          "project and/or station name, or edit the existing project-station.")
      .Type(StationPage::kStationEditId, "STN2", Sheet::kStation)
      .PressSoftKey(4);
  EXPECT_EQ(host_.Run(sheet), platform::kIdOk);
  EXPECT_EQ(FileText(StationFile("PROJ_STN1")), "project=PROJ\r\nstation=STN1\r\ntemperature=5.0");
  EXPECT_TRUE(platform::StartsWith(FileText(StationFile("PROJ_STN2")), "project=PROJ\r\nstation=STN2\r\n"));
}

TEST_F(SheetSaveTest, RenamingOntoAnotherProjectStationIsRefused) {
  WriteFile(StationFile("PROJ_STN1"), "project=PROJ\r\nstation=STN1");
  WriteFile(StationFile("PROJ_OTHER"), "project=PROJ\r\nstation=OTHER\r\nretry=1");
  ASSERT_EQ(store_.LoadProjectStation(false), store::LoadResult::Loaded);
  Sheet sheet(store_, bracket_, false);
  host_.Type(StationPage::kStationEditId, "OTHER", Sheet::kStation)
      .PressSoftKey(4)
      .AnswerMessageBox("already exists", platform::kIdOk, TextMatch::Contains)
      .PressSoftKey(1);
  EXPECT_EQ(host_.Run(sheet), Sheet::kResultLoad);
  EXPECT_EQ(FileText(StationFile("PROJ_OTHER")), "project=PROJ\r\nstation=OTHER\r\nretry=1");
  EXPECT_TRUE(platform::FileExists(StationFile("PROJ_STN1")));
}

TEST_F(SheetSaveTest, AFailedWriteIsReportedAndTheSheetStaysOpen) {
  Sheet sheet(store_, bracket_, true);
  host_
      .Do("fail writes",
          [] {
            platform::SetFileFaultHook([](platform::FileOp op, const std::filesystem::path&) {
              return op == platform::FileOp::Write ? platform::FaultAction::Fail
                                                   : platform::FaultAction::Proceed;
            });
          })
      .PressSoftKey(4)
      .AnswerMessageBox("The project-station could not be saved.", platform::kIdOk, TextMatch::Contains)
      .Do("writes work again", [] { platform::SetFileFaultHook(nullptr); })
      .PressSoftKey(4);
  EXPECT_EQ(host_.Run(sheet), platform::kIdOk);
  EXPECT_TRUE(platform::FileExists(StationFile("PROJ_STN1")));
}

TEST_F(SheetSaveTest, ALineBreakInAValueIsRefused) {
  Sheet sheet(store_, bracket_, true);
  host_.Select(Sheet::kTabId, Sheet::kUnits)
      .Type(UnitsPage::kTemperatureEditId, "20\r\nproject=EVIL", Sheet::kUnits)
      .PressSoftKey(4)
      .AnswerMessageBox("line break", platform::kIdOk, TextMatch::Contains)
      .PressSoftKey(1);
  EXPECT_EQ(host_.Run(sheet), Sheet::kResultLoad);
  EXPECT_TRUE(StationFiles().empty());
}

TEST_F(SheetSaveTest, TheCloseMessageDoesNotEndTheSheet) {
  Sheet sheet(store_, bracket_, true);
  host_.HardwareKey(60)
      .Close()
      .Do("still open", [&] { EXPECT_EQ(host_.TopDialog(), &sheet); })
      .PressSoftKey(1);
  EXPECT_EQ(host_.Run(sheet), Sheet::kResultLoad);
}

}  // namespace
}  // namespace vigil::ui
