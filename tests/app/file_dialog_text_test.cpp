#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>

#include "TempFolder.h"
#include "platform/Files.h"
#include "ui/qt/FileDialogText.h"

namespace vigil::ui::qt {
namespace {

struct FilterCase {
  const char* windowsFilter;
  const char* qtFilter;
  const char* comment;
};

class QtFilterTest : public ::testing::TestWithParam<FilterCase> {};

TEST_P(QtFilterTest, Converts) {
  EXPECT_EQ(QtFileFilter(GetParam().windowsFilter), GetParam().qtFilter) << GetParam().comment;
}

INSTANTIATE_TEST_SUITE_P(
    Table, QtFilterTest,
    ::testing::Values(FilterCase{"Text Files (*.txt)|*.txt|All Files (*.*)|*.*||",
                                 "Text Files (*.txt);;All Files (*)",
                                 "*.* would hide files without an extension on Linux"},
                      FilterCase{"Coordinates|*.csv;*.txt||", "Coordinates (*.csv *.txt)",
                                 "several patterns, no own brackets"},
                      FilterCase{"Data (*.dat)|*.txt||", "Data (*.txt)",
                                 "the pattern, not the description's brackets, counts"},
                      FilterCase{"", "All Files (*)", "no filter"},
                      FilterCase{"Broken|", "All Files (*)", "a description without patterns is dropped"},
                      FilterCase{"|*.txt||", "Files (*.txt)", "no description"},
                      FilterCase{"A|*.a|B", "A (*.a)", "an odd piece at the end is ignored"}));

TEST(ControllerPathOf, FilesBelowTheRootBecomeControllerPaths) {
  test::TempFolder folder;
  const auto root = folder.path() / "device";
  std::filesystem::create_directories(root / "Storage Card" / "Data");
  EXPECT_EQ(ControllerPathOf(root, root / "Storage Card" / "Data" / "a.txt"),
            std::optional<std::string>("\\Storage Card\\Data\\a.txt"));
  EXPECT_EQ(ControllerPathOf(root, root / "Storage Card" / "." / "b.txt"),
            std::optional<std::string>("\\Storage Card\\b.txt"));
}

TEST(ControllerPathOf, NothingOutsideTheRoot) {
  test::TempFolder folder;
  const auto root = folder.path() / "device";
  std::filesystem::create_directories(root);
  std::filesystem::create_directories(folder.path() / "device2");
  EXPECT_EQ(ControllerPathOf(root, folder.path() / "outside.txt"), std::nullopt);
  EXPECT_EQ(ControllerPathOf(root, root / ".." / "outside.txt"), std::nullopt) << "climbing out";
  EXPECT_EQ(ControllerPathOf(root, folder.path() / "device2" / "x.txt"), std::nullopt)
      << "a sibling whose name starts like the root";
  EXPECT_EQ(ControllerPathOf(root, root), std::nullopt) << "the root itself is no file";
  EXPECT_EQ(ControllerPathOf({}, root / "a.txt"), std::nullopt) << "no root";
}

// The program's Data folder sits beside the program, outside the device root: the download
// screen offers it as a native path, and a file chosen there once came back as nothing.
TEST(ChosenFileText, KeepsTheFormOfTheOfferedFolder) {
  test::TempFolder folder;
  const auto root = folder.path() / "device";
  const auto data = folder.path() / "home" / "Data";
  std::filesystem::create_directories(root / "Storage Card");
  std::filesystem::create_directories(data);
  const std::string dataText = platform::PathText(data);
  EXPECT_EQ(ChosenFileText(root, "\\Storage Card", root / "Storage Card" / "a.txt"),
            std::optional<std::string>("\\Storage Card\\a.txt"));
  EXPECT_EQ(ChosenFileText(root, "\\Storage Card", data / "a.vgl"), std::nullopt) << "outside the root";
  EXPECT_EQ(ChosenFileText(root, dataText, data / "a.vgl"),
            std::optional<std::string>(platform::PathText(data / "a.vgl")));
  EXPECT_EQ(ChosenFileText(root, dataText, root / "Storage Card" / "a.txt"),
            std::optional<std::string>("\\Storage Card\\a.txt"))
      << "a file on the device is still named the device's way";
  EXPECT_EQ(ChosenFileText(root, dataText, data / ".." / "b.vgl"), std::nullopt) << "climbing out of Data";
  EXPECT_EQ(ChosenFileText(root, dataText, folder.path() / "other.vgl"), std::nullopt);
  EXPECT_EQ(StartFolderOf(root, dataText), data);
  EXPECT_EQ(StartFolderOf(root, "\\Storage Card"), root / "Storage Card");
}

}  // namespace
}  // namespace vigil::ui::qt
