#include "installer/PackageRecord.h"

#include <gtest/gtest.h>

#include <string>

namespace vigil::installer {
namespace {

std::string Patterned() {
  std::string bytes(80, '\0');
  for (int i = 0; i < 80; ++i) bytes[static_cast<std::size_t>(i)] = static_cast<char>(0xA0 + i);
  return bytes;
}

TEST(PackageRecord, ShortFileIsRefused) {
  EXPECT_FALSE(PackageRecord::FromBytes(std::string(79, '\1')));
  EXPECT_TRUE(PackageRecord::FromBytes(std::string(80, '\0')));
}

TEST(PackageRecord, InstalledFlagChangesOnlyItsByte) {
  auto record = PackageRecord::FromBytes(Patterned());
  ASSERT_TRUE(record);
  record->SetInstalled(false);
  std::string expected = Patterned();
  expected[4] = '\0';
  EXPECT_EQ(record->ToBytes(), expected);
  record->SetInstalled(true);
  expected[4] = '\1';
  EXPECT_EQ(record->ToBytes(), expected);
}

TEST(PackageRecord, LongerFileGivesItsFirst80Bytes) {
  const auto record = PackageRecord::FromBytes(Patterned() + "tail");
  ASSERT_TRUE(record);
  EXPECT_EQ(record->ToBytes(), Patterned());
}

TEST(PackageRecord, FamilyOffsets) {
  struct Case {
    int family;
    int offset;
  } cases[] = {{8, 12}, {6, 13}, {7, 14},  {5, 15}, {3, 16}, {2, 17},
               {4, 18}, {9, 19}, {10, 20}, {1, -1}, {11, -1}};
  for (const Case& c : cases) {
    EXPECT_EQ(PackageRecord::FamilyOffset(c.family), c.offset) << c.family;
    if (c.offset < 0) continue;
    PackageRecord record;
    record.SetByte(static_cast<std::size_t>(c.offset), 0x80);  // any non-zero byte marks support
    for (int other = 2; other <= 10; ++other) EXPECT_EQ(record.SupportsFamily(other), other == c.family);
  }
}

TEST(PackageRecord, SingleUseIsByte5) {
  PackageRecord record;
  EXPECT_FALSE(record.SingleUse());
  record.SetByte(5, 2);
  EXPECT_TRUE(record.SingleUse());
}

}  // namespace
}  // namespace vigil::installer
