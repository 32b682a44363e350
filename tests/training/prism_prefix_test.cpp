// Point names that follow the chosen prism type.
#include <gtest/gtest.h>

#include "training/PrismPrefix.h"
#include "training/QuietTime.h"

namespace vigil::training {
namespace {

TEST(PrismPrefix, EachTypeAndTheNameItGives) {
  struct Case {
    int type;
    const char* custom;
    const char* name;
    const char* expected;
  } const cases[] = {
      {0, "", "XYZ001", "REF001"}, {1, "", "XYZ001", "CON001"}, {2, "", "REF012", "XYZ012"},
      {3, "", "XYZ001", "RFL001"}, {4, "", "XYZ001", "SHT001"}, {5, "Q", "XYZ001", "Q001"},
      {5, "AB", "P7", "AB7"},      {0, "", "TOP", "REF"},       {5, "Q", "TOP", "Q"},
      {0, "", "REF12A", "REF12A"}, {2, "", "", "XYZ"},          {0, "", "A1B2", "REF1B2"},
      {-1, "", "XYZ001", "001"},   {7, "", "XYZ001", "001"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(WithNamePrefix(c.name, PrismNamePrefix(c.type, c.custom)), c.expected)
        << "type " << c.type << " name " << c.name;
  }
}

TEST(QuietTime, FiveSecondsFromTheLastHitAcrossTheWrap) {
  struct Case {
    std::uint32_t lastHit;
    std::uint32_t now;
    bool over;
    std::uint32_t lastHitAfter;
    const char* comment;
  } const cases[] = {
      {1000, 6000, false, 1000, "exactly 5 s is not yet over"},
      {1000, 6001, true, 1000, "past 5 s"},
      // The sum last + 5000 wraps to 904 here; comparing with it ended scans at once.
      {0xFFFFF000u, 0xFFFFF3E8u, false, 0xFFFFF000u, "1 s after a hit just below the wrap"},
      {0xFFFFF000u, 0xFFFFFFFFu, false, 0xFFFFF000u, "4095 ms after the hit, just before the wrap"},
      {0xFFFFF000u, 905u, false, 905u, "the counter wrapped: the quiet time restarts, never ends early"},
      {5000, 10, false, 10, "a tick below the hit restarts the quiet time"},
  };
  for (const Case& c : cases) {
    std::uint32_t last = c.lastHit;
    EXPECT_EQ(QuietTimeOver(c.now, last, 5000), c.over) << c.comment;
    EXPECT_EQ(last, c.lastHitAfter) << c.comment;
  }
}

}  // namespace
}  // namespace vigil::training
