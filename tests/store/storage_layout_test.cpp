#include "store/StorageLayout.h"

#include <gtest/gtest.h>

#include "TempFolder.h"
#include "platform/Files.h"

namespace vigil::store {
namespace {

class StorageLayoutTest : public ::testing::Test {
 protected:
  StorageLayoutTest() : layout_(platform::Paths(dir_.path() / "Mon", dir_.path() / "device")) {
    platform::CreateFolder(dir_.path() / "Mon");
    platform::CreateFolder(dir_.path() / "device");
  }
  test::TempFolder dir_;
  StorageLayout layout_;
};

TEST_F(StorageLayoutTest, FilesOfAProjectStationAreInTheirFolders) {
  const fs::path program = dir_.path() / "Mon";
  EXPECT_EQ(layout_.StationFilePath("PROJ", "STN1"), program / "Station" / "PROJ_STN1.txt");
  EXPECT_EQ(layout_.TrainingFilePath("PROJ", "STN1"), program / "Training" / "PROJ_STN1.ini");
  EXPECT_EQ(layout_.StationFilePath("A", "B_C"), program / "Station" / "A_B_C.txt");
  EXPECT_EQ(layout_.TranslationsFilePath(), program / "Language" / "translations.txt");
  EXPECT_EQ(layout_.DataFolder(), program / "Data");
  EXPECT_EQ(platform::PathText(layout_.StationFilePath("Z\xC3\xBCrich", "S")),
            platform::PathText(program / "Station") + "/Z\xC3\xBCrich_S.txt");
}

TEST_F(StorageLayoutTest, MediaArePresentOnlyAsFolders) {
  const fs::path card = dir_.path() / "device" / "Storage Card";
  const fs::path usb = dir_.path() / "device" / "Removable Disk";
  EXPECT_EQ(layout_.CardPath(), fs::path());
  EXPECT_EQ(layout_.UsbPath(), fs::path());

  // A file of the mount name is not an inserted medium.
  ASSERT_TRUE(platform::WriteUtf16FileAtomic(card, "x"));
  EXPECT_EQ(layout_.CardPath(), fs::path());

  ASSERT_TRUE(platform::DeleteFileAt(card));
  ASSERT_TRUE(platform::CreateFolder(card));
  ASSERT_TRUE(platform::CreateFolder(usb));
  EXPECT_EQ(layout_.CardPath(), card);
  EXPECT_EQ(layout_.UsbPath(), usb);

  // Detection is made afresh on every call.
  ASSERT_TRUE(platform::RemoveFolder(usb));
  EXPECT_EQ(layout_.UsbPath(), fs::path());
}

}  // namespace
}  // namespace vigil::store
