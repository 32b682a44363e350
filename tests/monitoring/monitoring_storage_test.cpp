// Stored cycles: the Cycles list and viewer, Save As, and the Download screen with its
// folder browser and every deletion question.
#include <gtest/gtest.h>

#include "MonitoringWorld.h"
#include "SyntheticSite.h"
#include "monitoring/CorrectedDialog.h"
#include "monitoring/CycleFileText.h"
#include "monitoring/CyclesDialog.h"
#include "monitoring/DownloadDialog.h"
#include "monitoring/FolderBrowserDialog.h"
#include "monitoring/PointPlotDialog.h"
#include "results/CycleStore.h"

namespace vigil::monitoring {
namespace {

using MD = MonitoringDialog;
using DL = DownloadDialog;
using FB = FolderBrowserDialog;
using CY = CyclesDialog;
using test::MonitoringWorld;

constexpr const char* kSelectCycle = "Please select a cycle to view.";
constexpr const char* kStartFirst =
    "Please start monitoring first before you can save a copy of the data.\r\n(Note: Only the last and just "
    "monitored data can be \"saved as\".  Please use \"Download\" to get all other data.)";
constexpr const char* kNoCard =
    "No CF Card or USB Memory is found.  Please make sure to plug-in an external memory.";
constexpr const char* kConfirmDelete =
    "Data file is successfully downloaded.\r\n\r\nIt is suggested to delete the file to free up space in the "
    "instrument.\r\nDo you want to delete it?";
constexpr const char* kDeleted = "Successfully deleted file from the instrument.";
constexpr const char* kSuggestDeleteAll =
    "NOTE: It is suggested to delete the files to free up space in the instrument.\r\nDo you want to delete "
    "them "
    "after downloading?";
constexpr const char* kConfirmDeleteAll =
    "All downloaded files will be deleted from the instrument.\r\nContinue?";
constexpr const char* kAllDownloaded = "All data files are successfully downloaded.";
constexpr const char* kWithError = "Download complete, but some files may have error downloading.";

class StorageTest : public MonitoringWorld {
 protected:
  StorageTest() {
    Settings().sequence = 2;
    Settings().repeat = 1;
    WriteTrainingAB();
  }
  std::filesystem::path Device(const std::string& sub = {}) { return dir_.path() / "device" / sub; }
  void PutDataFile(const std::string& name, const std::string& text = "x\r\n") {
    ASSERT_TRUE(platform::CreateFolder(DataFolder()));
    ASSERT_TRUE(platform::WriteUtf16FileAtomic(DataFolder() / name, text));
  }
  void MakeCard() {
    ASSERT_TRUE(platform::CreateFolder(Device()));
    ASSERT_TRUE(platform::CreateFolder(Device("Storage Card")));
    ASSERT_TRUE(platform::CreateFolder(Device("Storage Card/Out")));
  }
  /// In the open folder browser: choose "\Storage Card\Out" and OK.
  ui::ScriptedHost& ChooseCardOut() {
    return host_.WaitForDialog<FB>()
        .Do("tree",
            [&] {
              FB* fb = host_.Front<FB>();
              ASSERT_EQ(fb->TreeNodeCount(FB::kTreeId), 2);
              EXPECT_EQ(fb->TreeText(FB::kTreeId, 0), "Storage Card");
            })
        .Select(FB::kTreeId, 1)
        .Do("path", [&] { EXPECT_EQ(host_.Front<FB>()->Text(FB::kPathEditId), "\\Storage Card\\Out"); })
        .Press(FB::kOkKeyId);
  }
};

TEST_F(StorageTest, WithoutDataTheCyclesListIsEmptyAndViewAsksForACycle) {
  PutDataFile("STN1_PROJX_07-Dec-2026_Cycle_1.vgl");  // another project whose name begins like this one
  MD dialog(Window(), false);
  host_.Press(MD::kButton3Id)
      .WaitForDialog<CY>()
      .Do("empty",
          [&] {
            EXPECT_EQ(host_.Front<CY>()->ListRowCount(CY::kListId), 0);
            EXPECT_EQ(host_.Front<CY>()->Title(), "Cycles");
          })
      .Press(CY::kViewKeyId)
      .AnswerMessageBox(kSelectCycle)
      .Do("still open", [&] { EXPECT_NE(host_.Front<CY>(), nullptr); })
      .Press(CY::kCloseKeyId)
      .WaitForDialog<MD>();
  host_.EndAll();
  host_.Run(dialog);
}

TEST_F(StorageTest, AViewedCycleFillsBothListsWithItsDifferences) {
  store::ProjectStationSettings s;
  CycleRow a{"4",      "2",         "1",         "07-12-2026", "08:00:01", "A",
             "1",      "100.00000", "100.00000", "99.9700",    "1013.3",   "20.0",
             "0.0000", "1100.0020", "2000.0000", "99.9990",    "0.00000",  "0.00000"};
  CycleRow b{"4", "2", "1", "07-12-2026", "08:00:09", "B", "1", "0.00000", "97.00000", "100.0000"};
  PutDataFile("STN1_PROJ_07-Dec-2026_Cycle_2.vgl",
              CycleHeaderLine(s) + CycleDataLine(s, a) + CycleDataLine(s, b));
  PutDataFile("STN1_PROJ_06-Dec-2026_Cycle_1.vgl");
  MD dialog(Window(), false);
  host_.Press(MD::kButton3Id)
      .WaitForDialog<CY>()
      .Do("two cycles",
          [&] {
            CY* cy = host_.Front<CY>();
            ASSERT_EQ(cy->ListRowCount(CY::kListId), 2);
            EXPECT_EQ(cy->ListRow(CY::kListId, 1),
                      (std::vector<std::string>{"07-Dec-2026", "2", "STN1_PROJ_07-Dec-2026_Cycle_2.vgl"}));
          })
      .Select(CY::kListId, 1)
      .Press(CY::kViewKeyId)
      .WaitForDialog<MD>()
      .Press(MD::kButton2Id)
      .Do("differences shown", [&] {
        EXPECT_TRUE(dialog.IsShown(MD::kDifferencesListId));
        EXPECT_FALSE(dialog.IsShown(MD::kReadingsListId));
        EXPECT_EQ(dialog.Text(MD::kButton2Id), "Readings");
      });
  host_.EndAll();
  host_.Run(dialog);
  ASSERT_EQ(dialog.ListRowCount(MD::kReadingsListId), 2);
  EXPECT_EQ(dialog.ListCell(MD::kReadingsListId, 0, kCycleTime), "08:00:01");
  EXPECT_EQ(dialog.ListRow(MD::kDifferencesListId, 0),
            (std::vector<std::string>{"A", "2.00", "0.00", "-1.00", "1100.0000", "2000.0000", "100.0000"}));
  EXPECT_EQ(dialog.ListCell(MD::kDifferencesListId, 1, 1), "") << "a failed line has no differences";
  EXPECT_EQ(dialog.References().size(), 2u);
}

// Sorted as text the list put Cycle_10 before Cycle_2 and January before December.
TEST_F(StorageTest, TheCycleListIsInDateThenCycleOrder) {
  const std::vector<std::string> made = {
      "STN1_PROJ_30-Nov-2026_Cycle_1.vgl", "STN1_PROJ_07-Dec-2026_Cycle_2.vgl",
      "STN1_PROJ_07-Dec-2026_Cycle_10.vgl", "STN1_PROJ_01-Jan-2027_Cycle_1.vgl",
      "STN1_PROJ_xx-Dec-2026_Cycle_1.vgl"};  // no date to read: last
  for (auto name = made.rbegin(); name != made.rend(); ++name) PutDataFile(*name);
  MD dialog(Window(), false);
  host_.Press(MD::kButton3Id).WaitForDialog<CY>().Do("in order", [&] {
    std::vector<std::string> listed;
    for (int row = 0; row < host_.Front<CY>()->ListRowCount(CY::kListId); ++row)
      listed.push_back(host_.Front<CY>()->ListCell(CY::kListId, row, 2));
    EXPECT_EQ(listed, made);
  });
  host_.EndAll();
  host_.Run(dialog);
}

TEST_F(StorageTest, SaveAsBeforeAnyCycleAsksToStartFirstEvenWithOlderFiles) {
  PutDataFile("STN1_PROJ_06-Dec-2026_Cycle_1.vgl");
  MakeCard();
  MD dialog(Window(), false);
  host_.Press(MD::kButton4Id)
      .Do("page 2",
          [&] {
            EXPECT_EQ(dialog.Text(MD::kButton1Id), "Save As");
            EXPECT_EQ(dialog.Text(MD::kButton2Id), "Download");
            EXPECT_EQ(dialog.Text(MD::kButton3Id), "Corrected");
            EXPECT_EQ(dialog.Text(MD::kButton4Id), "P2");
          })
      .Press(MD::kButton1Id)
      .AnswerMessageBox(kStartFirst)
      .Press(MD::kButton4Id)
      .Do("page 1", [&] { EXPECT_EQ(dialog.Text(MD::kButton1Id), "Start"); });
  host_.EndAll();
  host_.Run(dialog);
}

TEST_F(StorageTest, SaveAsCopiesTheLastCycleToTheCardAndDeletesItOnYes) {
  MD dialog(Window(), false);
  ScriptUserCycle(dialog)
      .Press(MD::kButton4Id)
      .Press(MD::kButton1Id)
      .AnswerMessageBox(kNoCard)
      .Do("a card is plugged in", [&] { MakeCard(); })
      .Press(MD::kButton1Id);
  ChooseCardOut().AnswerMessageBox(kConfirmDelete, platform::kIdYes).AnswerMessageBox(kDeleted);
  host_.EndAll();
  host_.Run(dialog);
  const std::string name = "STN1_PROJ_07-Dec-2026_Cycle_1.vgl";
  EXPECT_TRUE(DataFiles().empty());
  const auto copy = platform::ReadUtf16File(Device("Storage Card/Out") / name);
  ASSERT_TRUE(copy.has_value());
  EXPECT_EQ(platform::Split(*copy, "\r\n").size(), 4u);
}

TEST_F(StorageTest, TheFolderBrowserWithoutStorageSaysSoAndNeedsAFolder) {
  FB browser(Context());
  host_.AnswerMessageBox(kNoCard)
      .Press(FB::kOkKeyId)
      .AnswerMessageBox("Please select a folder.")
      .Do("still open", [&] { EXPECT_EQ(host_.TopDialog(), &browser); })
      .Press(FB::kCancelKeyId);
  EXPECT_EQ(host_.Run(browser), platform::kIdCancel);
  const auto boxes = host_.Events(ui::HostEvent::Kind::MessageBox);
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(boxes[0].icon, platform::MessageIcon::Exclamation);
}

class DownloadTest : public StorageTest {
 protected:
  DownloadTest() {
    MakeCard();
    PutDataFile("STN1_PROJ_06-Dec-2026_Cycle_1.vgl", "one");
    PutDataFile("STN2_OTHER_06-Dec-2026_Cycle_1.vgl", "two");
  }
  ui::ScriptedHost& PickOutputFolder() {
    host_.Do("opening", [&] {
      EXPECT_TRUE(dialog_.IsChecked(DL::kAllRadioId));
      EXPECT_FALSE(dialog_.IsEnabled(DL::kFileEditId));
      EXPECT_FALSE(dialog_.IsEnabled(DL::kFileBrowseId));
    });
    host_.Press(DL::kOutBrowseId);
    return ChooseCardOut().WaitForDialog<DL>().Do(
        "chosen", [&] { EXPECT_EQ(dialog_.Text(DL::kOutEditId), "\\Storage Card\\Out"); });
  }
  std::vector<std::string> Copied() { return platform::FindFiles(Device("Storage Card/Out"), "*"); }
  DL dialog_{Context(), Context().Layout().DataFolder()};
};

TEST_F(DownloadTest, AllWithDeletionConfirmedTwiceEmptiesTheDataFolder) {
  PickOutputFolder()
      .Press(DL::kStartKeyId)
      .AnswerMessageBox(kSuggestDeleteAll, platform::kIdYes)
      .AnswerMessageBox(kConfirmDeleteAll, platform::kIdYes)
      .AnswerMessageBox(kAllDownloaded)
      .Do("Start DL enabled again", [&] { EXPECT_TRUE(dialog_.IsEnabled(DL::kStartKeyId)); });
  host_.EndAll();
  host_.Run(dialog_);
  EXPECT_TRUE(DataFiles().empty());
  EXPECT_EQ(Copied().size(), 2u);
}

TEST_F(DownloadTest, AFailedCopyKeepsItsFileAndIsReported) {
  platform::SetFileFaultHook([](platform::FileOp op, const std::filesystem::path& path) {
    const bool fail = op == platform::FileOp::Copy && path.filename().string().rfind("STN2", 0) == 0;
    return fail ? platform::FaultAction::Fail : platform::FaultAction::Proceed;
  });
  PickOutputFolder()
      .Press(DL::kStartKeyId)
      .AnswerMessageBox(kSuggestDeleteAll, platform::kIdYes)
      .AnswerMessageBox(kConfirmDeleteAll, platform::kIdYes)
      .AnswerMessageBox(kWithError);
  host_.EndAll();
  host_.Run(dialog_);
  EXPECT_EQ(DataFiles(), std::vector<std::string>{"STN2_OTHER_06-Dec-2026_Cycle_1.vgl"});
  EXPECT_EQ(Copied(), std::vector<std::string>{"STN1_PROJ_06-Dec-2026_Cycle_1.vgl"});
}

TEST_F(DownloadTest, NoToTheSecondQuestionCopiesNothing) {
  PickOutputFolder()
      .Press(DL::kStartKeyId)
      .AnswerMessageBox(kSuggestDeleteAll, platform::kIdYes)
      .AnswerMessageBox(kConfirmDeleteAll, platform::kIdNo);
  host_.EndAll();
  host_.Run(dialog_);
  EXPECT_EQ(DataFiles().size(), 2u);
  EXPECT_TRUE(Copied().empty());
}

TEST_F(DownloadTest, NoToDeletingCopiesAndKeepsEverything) {
  PickOutputFolder()
      .Press(DL::kStartKeyId)
      .AnswerMessageBox(kSuggestDeleteAll, platform::kIdNo)
      .AnswerMessageBox(kAllDownloaded);
  host_.EndAll();
  host_.Run(dialog_);
  EXPECT_EQ(DataFiles().size(), 2u);
  EXPECT_EQ(Copied().size(), 2u);
}

TEST_F(DownloadTest, OneChosenFileIsCopiedAndDeletedOnYes) {
  const std::string chosen = platform::PathText(DataFolder() / "STN1_PROJ_06-Dec-2026_Cycle_1.vgl");
  host_.Press(DL::kStartKeyId)
      .AnswerMessageBox("Please select an output folder.")
      .Press(DL::kFileRadioId)
      .Do("file controls", [&] { EXPECT_TRUE(dialog_.IsEnabled(DL::kFileBrowseId)); })
      .Press(DL::kFileBrowseId)
      .AnswerOpenFile(chosen)
      .Do("shown", [&] { EXPECT_EQ(dialog_.Text(DL::kFileEditId), chosen); })
      .Press(DL::kOutBrowseId);
  ChooseCardOut()
      .WaitForDialog<DL>()
      .Press(DL::kStartKeyId)
      .AnswerMessageBox(kConfirmDelete, platform::kIdYes)
      .AnswerMessageBox(kDeleted);
  host_.EndAll();
  host_.Run(dialog_);
  EXPECT_EQ(DataFiles(), std::vector<std::string>{"STN2_OTHER_06-Dec-2026_Cycle_1.vgl"});
  EXPECT_EQ(Copied(), std::vector<std::string>{"STN1_PROJ_06-Dec-2026_Cycle_1.vgl"});
  const auto opened = host_.Events(ui::HostEvent::Kind::OpenFile);
  ASSERT_EQ(opened.size(), 1u);
  EXPECT_EQ(opened[0].caption, platform::PathText(DataFolder()));
}

TEST_F(DownloadTest, OneFileThatCannotBeCopiedReturnsSilently) {
  host_.Press(DL::kFileRadioId)
      .Type(DL::kFileEditId, "\\Storage Card\\missing.vgl")
      .Type(DL::kOutEditId, "\\Storage Card\\Out")
      .Press(DL::kStartKeyId)
      .Do("enabled again", [&] { EXPECT_TRUE(dialog_.IsEnabled(DL::kStartKeyId)); })
      .Press(DL::kAllRadioId)
      .Do("file controls off", [&] { EXPECT_FALSE(dialog_.IsEnabled(DL::kFileEditId)); });
  host_.EndAll();
  host_.Run(dialog_);
  EXPECT_TRUE(host_.MessageTexts().empty());
}

TEST_F(StorageTest, DownloadWithoutDataSaysSo) {
  MakeCard();
  DL dialog(Context(), DataFolder());
  host_.Type(DL::kOutEditId, "\\Storage Card\\Out")
      .Press(DL::kStartKeyId)
      .AnswerMessageBox("Data Folder not found!")
      .Do("an empty data folder", [&] { ASSERT_TRUE(platform::CreateFolder(DataFolder())); })
      .Press(DL::kStartKeyId)
      .AnswerMessageBox("No more data to download.")
      .Press(DL::kFileRadioId)
      .Press(DL::kStartKeyId)
      .AnswerMessageBox("Please select a file to download.");
  host_.EndAll();
  host_.Run(dialog);
}

TEST_F(StorageTest, TheCorrectedPageShowsTheLastEvaluatedCycleWithItsReferences) {
  const survey::StationPosition station{2250.0, 5120.0, 438.15};
  PutDataFile("STN1_PROJ_08-Dec-2026_Cycle_3.vgl", evaluation::test::CycleText(station, station, 2.0));
  std::string error;
  auto db = results::ResultsDatabase::Open(DataFolder() / results::kResultsFileName, error);
  ASSERT_TRUE(db) << error;
  ASSERT_EQ(results::StoreCycleFile(*db, DataFolder() / "STN1_PROJ_08-Dec-2026_Cycle_3.vgl", Settings(),
                                    evaluation::test::Trained(station), {})
                .outcome,
            results::StoreOutcome::kStored);
  MD dialog(Window(), false);
  host_.Press(MD::kButton4Id)
      .Press(MD::kButton3Id)
      .WaitForDialog<CorrectedDialog>()
      .Do("the last cycle",
          [&] {
            CorrectedDialog* c = host_.Front<CorrectedDialog>();
            EXPECT_EQ(c->Text(CorrectedDialog::kStateLabelId),
                      "2026-12-08 09:00, cycle 3: station from R1, R2, R3, R4");
            ASSERT_EQ(c->ListRowCount(CorrectedDialog::kListId), 8);
            const std::vector<std::string> m1 = c->ListRow(CorrectedDialog::kListId, 4);
            ASSERT_EQ(m1.size(), 5u);
            EXPECT_EQ(m1[0], "M1");
            const double expected[] = {3.0, -2.0, 1.0};  // within the rounding of the file's texts
            for (int k = 0; k < 3; ++k)
              EXPECT_NEAR(platform::ParseDoubleOr(m1[k + 1], 99.0), expected[k], 0.05);
            EXPECT_EQ(m1[4], "*");
            EXPECT_EQ(c->ListCell(CorrectedDialog::kListId, 5, 4), "") << "M2 has not moved";
            EXPECT_EQ(c->ListCell(CorrectedDialog::kListId, 7, 1), "") << "M4 was never measured";
          })
      .Press(CorrectedDialog::kCloseKeyId)
      .WaitForDialog<MD>();
  host_.EndAll();
  host_.Run(dialog);
}

TEST_F(StorageTest, APointsPlotShowsEveryCycleWithItsBandAndTheLimitsOfOneComponent) {
  const survey::StationPosition station{2250.0, 5120.0, 438.15};
  ASSERT_TRUE(platform::CreateFolder(DataFolder()));
  std::string error;
  auto db = results::ResultsDatabase::Open(DataFolder() / results::kResultsFileName, error);
  ASSERT_TRUE(db) << error;
  // M1 moves (3, -2, 1) mm in full; half of it on the first day.
  const struct {
    const char* file;
    const char* date;
    int cycle;
    double scale;
  } cycles[] = {{"STN1_PROJ_07-Dec-2026_Cycle_1.vgl", "07-12-2026", 1, 0.5},
                {"STN1_PROJ_08-Dec-2026_Cycle_3.vgl", "08-12-2026", 3, 1.0}};
  for (const auto& c : cycles) {
    PutDataFile(c.file, evaluation::test::CycleText(station, station, 0.0, c.cycle, c.date, c.scale));
    ASSERT_EQ(results::StoreCycleFile(*db, DataFolder() / c.file, Settings(),
                                      evaluation::test::Trained(station), {})
                  .outcome,
              results::StoreOutcome::kStored);
  }
  ASSERT_TRUE(platform::WriteFileBytesAtomic(Context().Layout().ProgramFolder() / "alarms.conf",
                                             "point.M1.alert.de_mm = 2\npoint.M1.alarm.de_mm = 4\n"));
  using PP = PointPlotDialog;
  const auto plot = [&] { return host_.Front<PP>()->Find(PP::kPlotId); };
  MD dialog(Window(), false);
  host_.Press(MD::kButton4Id)
      .Press(MD::kButton3Id)
      .WaitForDialog<CorrectedDialog>()
      .Press(CorrectedDialog::kSoftKey1Id)
      .AnswerMessageBox("Please select a point to plot.")
      .SelectText(CorrectedDialog::kListId, "M1")
      .Press(CorrectedDialog::kSoftKey1Id)
      .WaitForDialog<PP>()
      .Do("dE, dN, dH of both cycles, with bands",
          [&] {
            EXPECT_EQ(host_.Front<PP>()->Title(), "Plot : PROJ - STN1 [M1]");
            ASSERT_EQ(plot()->plotLines.size(), 3u);
            const double full[] = {3.0, -2.0, 1.0};
            for (int k = 0; k < 3; ++k) {
              const auto& points = plot()->plotLines[static_cast<std::size_t>(k)].points;
              ASSERT_EQ(points.size(), 2u);
              EXPECT_NEAR(points[0].y, 0.5 * full[k], 0.05);
              EXPECT_NEAR(points[1].y, full[k], 0.05);
              EXPECT_NEAR(points[1].x, 1.0, 1e-3) << "days since the first cycle";
              EXPECT_GT(points[1].band, 0.0);
            }
            EXPECT_TRUE(plot()->plotLevels.empty()) << "limits differ per component";
          })
      .Press(PP::kSoftKey1Id)
      .Do("dE alone with its limits",
          [&] {
            ASSERT_EQ(plot()->plotLines.size(), 1u);
            EXPECT_EQ(plot()->plotLines[0].name, "dE");
            ASSERT_EQ(plot()->plotLevels.size(), 4u);
            EXPECT_EQ(plot()->plotLevels[0].name, "alert");
            EXPECT_EQ(plot()->plotLevels[1].y, -2.0);
            EXPECT_EQ(plot()->plotLevels[3].severity, 1);
            EXPECT_EQ(host_.Front<PP>()->Text(PP::kSoftKey1Id), "All");
          })
      .Press(PP::kSoftKey1Id)
      .Do("all three again", [&] { EXPECT_EQ(plot()->plotLines.size(), 3u); })
      .Press(PP::kCloseKeyId)
      .WaitForDialog<CorrectedDialog>()
      .Press(CorrectedDialog::kCloseKeyId)
      .WaitForDialog<MD>();
  host_.EndAll();
  host_.Run(dialog);
}

TEST_F(StorageTest, ResultsThatCannotBeStoredAreShownAndTheCycleIsStoredAllTheSame) {
  struct Refusing final : ui::MainWindowHooks {
    bool OnCycleStored(ui::MainWindow&, const std::filesystem::path&) override { return false; }
  } refusing;
  Window().SetHooks(&refusing);
  MD dialog(Window(), false);
  ScriptUserCycle(dialog).Do("said on the screen", [&] {
    EXPECT_EQ(dialog.Text(MD::kNotWrittenLabelId),
              "Results database could not be written! Cycles not evaluated: 1");
  });
  host_.EndAll();
  host_.Run(dialog);
  EXPECT_EQ(dialog.UnstoredResults(), 1);
  EXPECT_EQ(DataFiles().size(), 1u);
  Window().SetHooks(&hooks_);
}

}  // namespace
}  // namespace vigil::monitoring
