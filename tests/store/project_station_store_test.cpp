#include "store/ProjectStationStore.h"

#include <gtest/gtest.h>

#include "TempFolder.h"
#include "platform/Files.h"
#include "store/KeyValueFile.h"

namespace vigil::store {
namespace {

class ProjectStationStoreTest : public ::testing::Test {
 protected:
  ProjectStationStoreTest() : store_(StorageLayout(platform::Paths(dir_.path(), dir_.path() / "device"))) {}
  void TearDown() override { platform::SetFileFaultHook(nullptr); }

  fs::path StationFile(const char* name) const { return dir_.path() / "Station" / name; }
  fs::path TrainingFile(const char* name) const { return dir_.path() / "Training" / name; }
  void WriteFile(const fs::path& path, std::string_view text) {
    platform::CreateFolder(path.parent_path());
    ASSERT_TRUE(platform::WriteUtf16FileAtomic(path, text));
  }
  std::string Text(const fs::path& path) const { return platform::ReadUtf16File(path).value_or("<missing>"); }

  // Chooses an existing project-station as the project selection does.
  LoadResult Choose(const char* project, const char* station) {
    store_.Settings().project = project;
    store_.Settings().station = station;
    return store_.LoadProjectStation(false);
  }
  SaveResult Save(std::string_view project, std::string_view station, bool isNew) {
    return store_.SaveProjectStation(project, station, isNew, SettingsEntriesFor(store_.Settings()));
  }

  test::TempFolder dir_;
  ProjectStationStore store_;
};

TEST_F(ProjectStationStoreTest, ReducedLevelIsTheAxisInMemoryAndTheMarkInTheFile) {
  WriteFile(
      StationFile("P_S.txt"),
      "project=P\r\nstation=S\r\neasting=10.0000\r\nreduced_level=100.0000\r\ninstrument_height=1.5000\r\n"
      "foo=kept");
  ASSERT_EQ(Choose("P", "S"), LoadResult::Loaded);
  EXPECT_NEAR(store_.Settings().reduced_level, 101.5, 1e-12);

  store_.Settings().easting = 12.25;
  store_.Settings().orientation = 399.999999;
  ASSERT_TRUE(store_.SaveStationCoordinates());
  EXPECT_EQ(Text(StationFile("P_S.txt")),
            "project=P\r\nstation=S\r\neasting=12.250000\r\nreduced_level=100.000000\r\ninstrument_height=1."
            "5000\r\n"
            "foo=kept\r\nnorthing=30000.000000\r\norientation=399.999999");

  ASSERT_EQ(store_.LoadProjectStation(false), LoadResult::Loaded);
  EXPECT_NEAR(store_.Settings().reduced_level, 101.5, 1e-12) << "the height is not added twice";
}

TEST_F(ProjectStationStoreTest, LoadingSetsTheTrainingPathAndNothingElseWithoutAFile) {
  EXPECT_EQ(store_.TrainingFilePath(), fs::path());
  EXPECT_EQ(Choose("P", "S"), LoadResult::NothingToLoad);
  EXPECT_EQ(store_.TrainingFilePath(), TrainingFile("P_S.ini"));
  EXPECT_EQ(store_.Settings().easting, 30000.0);

  WriteFile(StationFile("Q_S.txt"), "station=S\r\neasting=1");
  EXPECT_EQ(Choose("Q", "S"), LoadResult::NothingToLoad);
  EXPECT_EQ(store_.Settings().easting, 30000.0);
}

TEST_F(ProjectStationStoreTest, ResetRestoresDefaults) {
  WriteFile(StationFile("P_S.txt"), "project=P\r\nstation=S\r\nmode=2\r\neasting=1\r\nconst_custom=M:1");
  ASSERT_EQ(Choose("P", "S"), LoadResult::Loaded);
  store_.ResetProjectStation();
  const ProjectStationSettings defaults;
  EXPECT_EQ(store_.Settings().project, defaults.project);
  EXPECT_EQ(store_.Settings().mode, 0);
  EXPECT_EQ(store_.Settings().easting, defaults.easting);
  EXPECT_EQ(store_.Settings().const_custom_name, "");
  EXPECT_EQ(store_.TrainingFilePath(), fs::path());
}

TEST_F(ProjectStationStoreTest, NewProjectStationIsWrittenInKeyOrderAndReadsBack) {
  store_.ResetProjectStation();
  store_.Settings().const_custom_name = "Mini";
  store_.Settings().const_custom = -17.5;
  store_.Settings().instrument_height = 1.5;
  store_.Settings().reduced_level = 101.5;
  ASSERT_EQ(Save("Dam", "N1", true), SaveResult::Saved);
  EXPECT_EQ(Text(StationFile("Dam_N1.txt")),
            "project=Dam\r\nstation=N1\r\ntemperature=30.0\r\npressure=1013.0\r\nangle_units=0\r\n"
            "distance_unit=0\r\ndist_standard=0\r\neasting=30000.0000\r\nnorthing=30000.0000\r\n"
            "reduced_level=100.0000\r\norientation=0.00000\r\ninstrument_height=1.5000\r\n"
            "const_monitoring=-30.0\r\nconst_connection=-7.0\r\nconst_reference=-30.0\r\n"
            "const_custom=Mini:-17.5\r\nsequence=0\r\nrepeat=3\r\nretry=5\r\nrounds=1\r\nmode=0\r\n"
            "interval=4\r\nstart_time=01:00 AM\r\n"
            "cycles=1,01:00 AM|2,05:00 AM|3,09:00 AM|4,01:00 PM|5,05:00 PM|6,09:00 PM");

  store_.ResetProjectStation();
  ASSERT_EQ(Choose("Dam", "N1"), LoadResult::Loaded);
  EXPECT_EQ(store_.Settings().const_custom_name, "Mini");
  EXPECT_EQ(store_.Settings().const_custom, -17.5);
  EXPECT_NEAR(store_.Settings().reduced_level, 101.5, 1e-12);
}

TEST_F(ProjectStationStoreTest, AnExistingProjectStationIsNotCreatedAgain) {
  WriteFile(StationFile("PROJ_STN1.txt"), "project=PROJ\r\nstation=STN1\r\neasting=5");
  const struct {
    const char* project;
    const char* station;
    const char* comment;
  } cases[] = {
      {"PROJ", "STN1", "same names"},
      {"proj", "stn1", "the controller's file system ignores letter case"},
  };
  for (const auto& c : cases) {
    store_.ResetProjectStation();
    EXPECT_EQ(Save(c.project, c.station, true), SaveResult::AlreadyExists) << c.comment;
    EXPECT_EQ(Text(StationFile("PROJ_STN1.txt")), "project=PROJ\r\nstation=STN1\r\neasting=5") << c.comment;
    EXPECT_EQ(platform::FindFiles(dir_.path() / "Station", "*").size(), 1u) << c.comment;
  }
}

TEST_F(ProjectStationStoreTest, CreatingANewOneKeepsTheFileOfTheDefaultNames) {
  // Once a new project-station deleted the file of the names reset had left (PROJ, STN1).
  WriteFile(StationFile("PROJ_STN1.txt"), "project=PROJ\r\nstation=STN1");
  store_.ResetProjectStation();
  ASSERT_EQ(Save("Dam", "N1", true), SaveResult::Saved);
  EXPECT_TRUE(platform::FileExists(StationFile("PROJ_STN1.txt")));
  EXPECT_TRUE(platform::FileExists(StationFile("Dam_N1.txt")));
  EXPECT_EQ(store_.Settings().project, "Dam");
}

TEST_F(ProjectStationStoreTest, EditingKeepsUnknownKeysAndTheirPlaces) {
  WriteFile(StationFile("P_S.txt"), "project=P\r\nstation=S\r\nfuture_key=x=1\r\n\r\ntemperature=20");
  ASSERT_EQ(Choose("P", "S"), LoadResult::Loaded);
  ASSERT_EQ(Save("P", "S", false), SaveResult::Saved);
  const KeyValueFile saved(StationFile("P_S.txt"));
  ASSERT_GE(saved.Lines().size(), 5u);
  EXPECT_EQ(saved.Lines()[2], "future_key=x=1");
  EXPECT_EQ(saved.Lines()[3], "temperature=20.0");
  EXPECT_EQ(saved.Lines()[4], "pressure=1013.0");
  EXPECT_EQ(saved.Lines().size(), 25u) << "the empty line is gone, nothing else";
}

TEST_F(ProjectStationStoreTest, RenamingMovesSettingsAndTraining) {
  WriteFile(StationFile("P_S.txt"), "project=P\r\nstation=S\r\neasting=7");
  WriteFile(TrainingFile("P_S.ini"), "training points");
  ASSERT_EQ(Choose("P", "S"), LoadResult::Loaded);
  ASSERT_EQ(Save("P", "S2", false), SaveResult::Saved);
  EXPECT_FALSE(platform::FileExists(StationFile("P_S.txt")));
  EXPECT_TRUE(platform::FileExists(StationFile("P_S2.txt")));

  ASSERT_EQ(store_.LoadProjectStation(true), LoadResult::Loaded);
  EXPECT_EQ(store_.Settings().station, "S2");
  EXPECT_EQ(store_.Settings().easting, 7.0);
  EXPECT_EQ(store_.TrainingFilePath(), TrainingFile("P_S2.ini"));
  EXPECT_EQ(Text(TrainingFile("P_S2.ini")), "training points");
  EXPECT_FALSE(platform::FileExists(TrainingFile("P_S.ini")));
}

TEST_F(ProjectStationStoreTest, RenamingOntoAnotherProjectStationIsRefused) {
  // Once this overwrote the other's settings and, through the training move, its points.
  WriteFile(StationFile("P_S.txt"), "project=P\r\nstation=S");
  WriteFile(StationFile("P_T.txt"), "project=P\r\nstation=T\r\neasting=9");
  WriteFile(TrainingFile("P_S.ini"), "points of S");
  WriteFile(TrainingFile("P_T.ini"), "points of T");
  ASSERT_EQ(Choose("P", "S"), LoadResult::Loaded);
  EXPECT_EQ(Save("P", "T", false), SaveResult::AlreadyExists);
  EXPECT_EQ(store_.Settings().station, "S");
  EXPECT_EQ(Text(StationFile("P_T.txt")), "project=P\r\nstation=T\r\neasting=9");
  EXPECT_TRUE(platform::FileExists(StationFile("P_S.txt")));
  store_.LoadProjectStation(true);
  EXPECT_EQ(Text(TrainingFile("P_T.ini")), "points of T");
  EXPECT_EQ(Text(TrainingFile("P_S.ini")), "points of S");
}

TEST_F(ProjectStationStoreTest, FailedWriteKeepsTheOldFileAndNames) {
  // Once the old file was deleted before the new one was written.
  WriteFile(StationFile("P_S.txt"), "project=P\r\nstation=S\r\neasting=7");
  ASSERT_EQ(Choose("P", "S"), LoadResult::Loaded);
  for (platform::FileOp failing : {platform::FileOp::Write, platform::FileOp::Rename}) {
    platform::SetFileFaultHook([failing](platform::FileOp op, const fs::path&) {
      return op == failing ? platform::FaultAction::Fail : platform::FaultAction::Proceed;
    });
    EXPECT_EQ(Save("P", "S2", false), SaveResult::WriteFailed);
    EXPECT_FALSE(store_.SaveStationCoordinates());
    platform::SetFileFaultHook(nullptr);
    EXPECT_EQ(Text(StationFile("P_S.txt")), "project=P\r\nstation=S\r\neasting=7");
    EXPECT_FALSE(platform::FileExists(StationFile("P_S2.txt")));
    EXPECT_EQ(store_.Settings().station, "S");
  }
}

TEST_F(ProjectStationStoreTest, NamesThatAreNotFileNamesAreRefused) {
  const struct {
    std::string project;
    std::string station;
    const char* comment;
  } cases[] = {
      {"", "S", "empty project"},
      {"P", "", "empty station"},
      {"..", "S", "parent folder"},
      {".", "S", "this folder"},
      {"../x", "S", "leaves the station folder"},
      {"P", "a/b", "slash"},
      {"P", "a\\b", "backslash"},
      {"P", "a\tb", "control character"},
      {"P", "a\r\nproject=X", "line break"},
      {"P", "a:b", "colon"},
      {"P", "a*", "wildcard"},
      {"P", std::string(101, 'x'), "too long"},
  };
  for (const auto& c : cases) {
    store_.ResetProjectStation();
    EXPECT_EQ(Save(c.project, c.station, true), SaveResult::NameInvalid) << c.comment;
    EXPECT_EQ(store_.Settings().project, "PROJ") << c.comment;
  }
  EXPECT_FALSE(platform::FolderExists(dir_.path() / "Station")) << "nothing written";
  EXPECT_TRUE(platform::FindFiles(dir_.path(), "*").empty());

  for (const char* good : {"P", "A_B", "Z\xC3\xBCrich", "North 2"}) {
    store_.ResetProjectStation();
    EXPECT_EQ(Save("Site", good, true), SaveResult::Saved) << good;
  }
}

TEST_F(ProjectStationStoreTest, NamesInAFileThatLeaveTheFolderAreNotLoaded) {
  WriteFile(StationFile("P_S.txt"), "project=../../x\r\nstation=S\r\neasting=1");
  WriteFile(TrainingFile("P_S.ini"), "points");
  ASSERT_EQ(Choose("P", "S"), LoadResult::NameInvalid);
  EXPECT_EQ(store_.Settings().project, "P");
  EXPECT_EQ(store_.Settings().easting, 30000.0);
  EXPECT_EQ(store_.TrainingFilePath(), TrainingFile("P_S.ini"));

  store_.Settings().project = "..";
  EXPECT_EQ(store_.LoadProjectStation(true), LoadResult::NameInvalid);
  EXPECT_EQ(store_.TrainingFilePath(), fs::path());
  EXPECT_EQ(store_.StationFilePath(), fs::path());
  EXPECT_FALSE(store_.SaveStationCoordinates());
  EXPECT_EQ(Text(TrainingFile("P_S.ini")), "points");
}

TEST_F(ProjectStationStoreTest, ValuesWithLineBreaksAreRefused) {
  store_.ResetProjectStation();
  SettingsEntries entries = SettingsEntriesFor(store_.Settings());
  entries.back().second = "1,01:00 AM\r\nproject=Other";
  EXPECT_EQ(store_.SaveProjectStation("P", "S", true, entries), SaveResult::ValueInvalid);
  EXPECT_FALSE(platform::FileExists(StationFile("P_S.txt")));

  entries = {{"project", "Other"}, {"station", "Other"}};
  ASSERT_EQ(store_.SaveProjectStation("P", "S", true, entries), SaveResult::Saved);
  EXPECT_EQ(Text(StationFile("P_S.txt")), "project=P\r\nstation=S") << "the given names are stored";
}

}  // namespace
}  // namespace vigil::store
