#include <gtest/gtest.h>

#include <string>

#include "training/PointNames.h"
#include "training/TrainingStore.h"

namespace vigil::training {
namespace {

struct NameCase {
  const char* last;
  const char* expected;
  const char* comment;
};

TEST(NextPointName, FollowsTheLastName) {
  const NameCase cases[] = {
      {"XYZ001", "XYZ002", ""},
      {"XYZ009", "XYZ010", "carry into the tens"},
      {"XYZ099", "XYZ100", ""},
      {"XYZ999", "XYZ1000", "grows past three digits"},
      {"REF12A", "REF013", "text after the digits is dropped"},
      {"P7", "P008", "padded to three digits"},
      {"ABC", "ABC001", "no digits counts as 0"},
      {"", "001", "empty name"},
      {"12", "013", "no prefix"},
      {"A0B5", "A001", "only the first run of digits counts"},
      {"X000", "X001", ""},
      {"X0000099", "X100", "leading zeros are not kept beyond three digits"},
      {"Pt 9-3", "Pt 010", "prefix keeps spaces"},
      {"P\xC3\xA9"
       "41",
       "P\xC3\xA9"
       "042",
       "non-ASCII prefix is not taken for digits"},
      {"P99999999999", "P100000000000", "once wrapped as a 32-bit number"},
      {"P2147483647", "P2147483648", "once overflowed to a negative number"},
  };
  for (const NameCase& c : cases) {
    EXPECT_EQ(NextPointNameAfter(c.last), c.expected) << c.last << " " << c.comment;
  }
}

TEST(NextPointName, StoreUsesTheLastRow) {
  TrainingStore store(store::ProjectStationSettings{}, {});
  EXPECT_EQ(store.NextPointName(), "XYZ001");
  store.AddTrainingRow("REF05", "1", "2", "3", "4", "5", "6", "0");
  store.AddTrainingRow("MON12", "1", "2", "3", "4", "5", "6", "2");
  EXPECT_EQ(store.NextPointName(), "MON013");
  store.RemoveTrainingRow(1);
  EXPECT_EQ(store.NextPointName(), "REF006");
}

}  // namespace
}  // namespace vigil::training
