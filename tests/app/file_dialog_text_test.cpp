#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>

#include "TempFolder.h"
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

}  // namespace
}  // namespace vigil::ui::qt
