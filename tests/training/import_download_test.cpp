// Import of coordinate and training files from the card, and download of the training file.
#include <gtest/gtest.h>

#include "TrainingFixture.h"
#include "training/CoordinateFile.h"
#include "training/ImportTypeDialog.h"
#include "training/TrainingFileFormat.h"

namespace vigil::training::test {
namespace {

using ITD = ImportTypeDialog;

constexpr const char* kUnicodeQuestion =
    "Please make sure that you import a file of UNICODE format.  Continue?";
constexpr const char* kOverwriteCoordinates =
    "Warning: Loading coordinate file will overwrite existing data of PROJ-STN1. Do you wish to continue?";

class Import : public TrainingFixture {
 protected:
  void PutOnCard(const std::string& name, const std::string& bytes) {
    ASSERT_TRUE(platform::WriteFileBytesAtomic(Card() / name, bytes));
  }
  static std::string Unicode(std::string_view text) {
    return std::string("\xFF\xFE") + platform::Utf8ToUtf16Le(text);
  }
  /// Import, type chosen, UNICODE question answered Yes, `file` chosen on the card.
  ScriptedHost& ImportFile(const std::string& file, bool coordinates = true) {
    host_.Press(TD::kKey1Id).WaitForDialog<ITD>();
    if (!coordinates) host_.Press(ITD::kTrainingRadioId);
    return host_.Press(ITD::kOkButtonId)
        .AnswerMessageBox(kUnicodeQuestion, platform::kIdYes)
        .AnswerOpenFile("\\Storage Card\\" + file);
  }
};

TEST_F(Import, CommaSeparatedWithTheMarkImportsLikeTab) {
  const std::string rows[] = {
      "Name\tEasting\tNorthing\tRL\r\nE1\t1100.000\t2000.000\t100.000\r\n"
      "S1\t1000.000\t1900.000\t110.000\r\n",
      "Name,Easting,Northing,RL\r\nE1,1100.000,2000.000,100.000\r\n"
      "S1,1000.000,1900.000,110.000\r\n"};
  std::vector<std::vector<TrainingPoint>> imported;
  for (const std::string& text : rows) {
    PutOnCard("points.txt", Unicode(text));
    TD dialog(Context());
    ImportFile("points.txt");
    if (!imported.empty()) host_.AnswerMessageBox(kOverwriteCoordinates, platform::kIdYes);
    host_.Close();
    host_.Run(dialog);
    imported.push_back(dialog.List()->Rows());
  }
  ASSERT_EQ(imported[0].size(), 2u);
  EXPECT_EQ(imported[0], imported[1]);
  const TrainingPoint& east = imported[0][0];
  EXPECT_EQ(east.name, "E1");
  EXPECT_EQ(east.ha, "100.00000");
  EXPECT_EQ(east.va, "100.00000");
  EXPECT_EQ(east.sd, "100.0000");
  EXPECT_EQ(east.easting, "1100.000") << "coordinates exactly as in the file";
  EXPECT_EQ(east.prism_type, "-1");
  EXPECT_EQ(east.prism_label, "");
  EXPECT_EQ(imported[0][1].ha, "200.00000");
  EXPECT_EQ(imported[0][1].va, "93.65490") << "10 m up over 100 m";
  EXPECT_EQ(sim_.toBasicState(), 0);
}

TEST_F(Import, AnEightBitFileIsRefusedWithTheUnicodeMessage) {
  WriteTrainingFile({{"KEEP", "1", "2", "3", "4", "5", "6", "2", ""}});
  const std::string before = TrainingFileText();
  PutOnCard("points.txt", "Name,Easting,Northing,RL\r\nE1,1100,2000,100\r\n");
  ImportFile("points.txt")
      .AnswerMessageBox(kOverwriteCoordinates, platform::kIdYes)
      .AnswerMessageBox(
          "The file you import is not accepted. Please save it as a UNICODE file, then import again.");
  RunTraining();
  EXPECT_EQ(Names(), std::vector<std::string>{"KEEP"});
  EXPECT_EQ(TrainingFileText(), before);
}

TEST_F(Import, AStationLineMovesTheStationForTheLinesAfterIt) {
  Settings().instrument_height = 1.5;
  PutOnCard("points.txt", Unicode("E1,1100,2000,100\r\nSTN9,1000,2100,98.5\r\nE2,1100,2000,100\r\n"));
  ImportFile("points.txt");
  RunTraining();
  ASSERT_EQ(Names(), (std::vector<std::string>{"E1", "E2"}));
  EXPECT_EQ(Row(0).ha, "100.00000") << "from the old station";
  EXPECT_EQ(Row(1).ha, "150.00000") << "south-east of the new one";
  EXPECT_NEAR(Settings().northing, 2100.0, 1e-9);
  EXPECT_NEAR(Settings().reduced_level, 100.0, 1e-9) << "the mark plus the instrument height";
  const std::string station = platform::ReadUtf16File(Context().Store().StationFilePath()).value_or("");
  EXPECT_NE(station.find("northing=2100.000000"), std::string::npos) << station;
  EXPECT_NE(station.find("reduced_level=98.500000"), std::string::npos) << station;
}

TEST_F(Import, OnlyAHeaderLeavesAFileWithTheHeaderAlone) {
  WriteTrainingFile({{"GONE", "1", "2", "3", "4", "5", "6", "2", ""}});
  PutOnCard("points.txt", Unicode("Name,Easting,Northing,RL\r\n"));
  ImportFile("points.txt").AnswerMessageBox(kOverwriteCoordinates, platform::kIdYes);
  RunTraining();
  EXPECT_TRUE(Names().empty());
  EXPECT_EQ(TrainingFileText(), BuildTrainingText(TrainingColumns(Settings()), {}));
}

TEST_F(Import, NoToTheOverwriteWarningChangesNothing) {
  WriteTrainingFile({{"KEEP", "1", "2", "3", "4", "5", "6", "2", ""}});
  PutOnCard("points.txt", Unicode("E1,1100,2000,100\r\n"));
  ImportFile("points.txt").AnswerMessageBox(kOverwriteCoordinates, platform::kIdNo);
  RunTraining();
  EXPECT_EQ(Names(), std::vector<std::string>{"KEEP"});
}

TEST_F(Import, BadLinesAreSkippedAndCounted) {
  std::string text =
      "Name,Easting,Northing,RL\r\nE1,1100,2000,100\r\nBAD,1,2\r\nC\rR,1,2,3\r\nNUM,1e999,2,3\r\n";
  for (int i = 0; i < 2000; ++i) text += "P" + std::to_string(i) + ",1100,2000,100\r\n";
  PutOnCard("points.txt", Unicode(text));
  ImportFile("points.txt").AnswerMessageBox("3 lines of the file could not be read and were skipped.");
  RunTraining();
  EXPECT_EQ(Names().size(), 2001u) << "a long file imports every point";
  EXPECT_EQ(Names().back(), "P1999");
}

TEST_F(Import, ATrainingFileIsTakenAsText) {
  std::vector<TrainingPoint> rows;
  for (int i = 0; i < 400; ++i) {
    rows.push_back({"T" + std::to_string(i), "12.34560", "99.00000", "55.5000", "1", "2", "3", "0", ""});
  }
  PutOnCard("other.ini", platform::Utf8ToUtf16Le(BuildTrainingText(TrainingColumns(Settings()), rows)));
  ASSERT_GT(std::filesystem::file_size(Card() / "other.ini"), 22528u);
  ImportFile("other.ini", false);
  RunTraining();
  ASSERT_EQ(Names().size(), 400u) << "read whole";
  EXPECT_EQ(Row(399).ha, "12.34560") << "not recomputed for this station";
  EXPECT_EQ(Row(0).prism_label, "Reference Prism (-30.0)");
  EXPECT_NE(TrainingFileText().find("1\tT399\t"), std::string::npos);
}

TEST_F(Import, ATrainingFileWithoutPointsNeverEmptiesTheList) {
  const std::string header = "Stat\tPt. Name\tHa(gons)\tVa(gons)\tSD(m)\tEasting(m)\tNorthing(m)\tRL(m)\r\n";
  const std::string line = "1\tNEW\t1\t2\t3\t4\t5\t6\t2";
  const struct {
    std::string bytes;
    const char* skipped;  // the message after a list that was replaced
    const char* comment;
  } cases[] = {
      {header + line + "\r\n", "8-bit", "8-bit text once emptied the list"},
      {platform::Utf8ToUtf16Le(header), "", "only a header"},
      {platform::Utf8ToUtf16Le("Stat\tPt. Name\tEasting(m)\n" + line + "\nBAD\t1\n" + line + "\n"),
       "1 lines of the file could not be read and were skipped.", "bare LF reads as CR LF"},
  };
  for (const auto& c : cases) {
    WriteTrainingFile({{"KEEP", "1", "2", "3", "4", "5", "6", "2", ""}});
    const std::string before = TrainingFileText();
    PutOnCard("other.ini", c.bytes);
    ImportFile("other.ini", false)
        .AnswerMessageBox(
            "Warning: Importing of training file will overwrite existing data of PROJ-STN1. Do you wish to "
            "continue?",
            platform::kIdYes);
    const bool replaced = std::string_view(c.skipped).find("skipped") != std::string_view::npos;
    host_.AnswerMessageBox(replaced ? c.skipped
                                    : "The file you import holds no points that can be read. The "
                                      "training list is left as it was.");
    RunTraining();
    if (replaced) {
      EXPECT_EQ(Names(), (std::vector<std::string>{"NEW", "NEW"})) << c.comment;
    } else {
      EXPECT_EQ(Names(), std::vector<std::string>{"KEEP"}) << c.comment;
      EXPECT_EQ(TrainingFileText(), before) << c.comment;
    }
  }
}

TEST_F(Import, WithoutStorageNothingIsAsked) {
  host_.Press(TD::kKey1Id)
      .WaitForDialog<ITD>()
      .Press(ITD::kOkButtonId)
      .AnswerMessageBox(
          "No CF Card or USB Memory is found.  Please make sure to plug-in an external memory that contains "
          "the "
          "file to import.");
  RunTraining();
}

using Download = TrainingFixture;

TEST_F(Download, CopiesTheFileToTheCardReplacingAnOlderCopy) {
  WriteTrainingFile({{"A", "1", "2", "3", "4", "5", "6", "2", ""}});
  ASSERT_TRUE(platform::WriteFileBytesAtomic(Card() / "PROJ_STN1.ini", "old"));
  std::filesystem::create_directories(Card() / "Backup");
  dialog_.SetFolderBrowser(
      [](ui::AppContext&) { return std::optional<std::string>("\\Storage Card\\Backup"); });
  host_.Press(TD::kKey2Id).AnswerMessageBox("Training file is successfully downloaded.");
  RunTraining();
  EXPECT_EQ(platform::ReadUtf16File(Card() / "Backup" / "PROJ_STN1.ini"), TrainingFileText());
  EXPECT_EQ(platform::ReadFileBytes(Card() / "PROJ_STN1.ini"), "old") << "only the chosen folder";

  TD again(Context());
  host_.Press(TD::kKey2Id).AnswerMessageBox("Training file is successfully downloaded.").Close();
  host_.Run(again);
  EXPECT_EQ(platform::ReadUtf16File(Card() / "PROJ_STN1.ini"), TrainingFileText()) << "no browser: the root";
}

TEST_F(Download, WithoutAFileOrStorageItSaysWhy) {
  host_.Press(TD::kKey2Id).AnswerMessageBox("Training file not found.  Nothing to download.");
  RunTraining();
  WriteTrainingFile({});
  TD again(Context());
  host_.Press(TD::kKey2Id)
      .AnswerMessageBox(
          "No CF Card or USB Memory is found.  Please make sure to plug-in an external memory to save the "
          "file.")
      .Close();
  host_.Run(again);
}

}  // namespace
}  // namespace vigil::training::test
