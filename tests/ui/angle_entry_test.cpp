// The horizontal-angle entry check, the C&I computation and the station title.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/AngleEntry.h"
#include "ui/AppContext.h"
#include "ui/CiCheck.h"

namespace vigil::ui {
namespace {

struct EntryCase {
  const char* typed;
  AngleEntryError error;
  const char* normalised;
  const char* comment;
};

TEST(AngleEntry, DigitsAndOnePointInZeroToFourHundred) {
  const std::vector<EntryCase> cases{
      {"0", AngleEntryError::None, "0.0000", ""},
      {"12.", AngleEntryError::None, "12.0000", "a trailing point is a number"},
      {".5", AngleEntryError::None, "0.5000", ""},
      {"123.45678", AngleEntryError::None, "123.4568", "rounded to four places"},
      {"399.9999", AngleEntryError::None, "399.9999", ""},
      {"399.99999", AngleEntryError::None, "400.0000", "passes, rounds up when written"},
      {"0000350", AngleEntryError::None, "350.0000", ""},
      {"400", AngleEntryError::OutOfRange, "", "the upper end is excluded"},
      {"400.0", AngleEntryError::OutOfRange, "", ""},
      {"99999999999999999999", AngleEntryError::OutOfRange, "", ""},
      {"-1", AngleEntryError::NotDecimal, "", "the minus sign is not allowed"},
      {"1.2.3", AngleEntryError::NotDecimal, "", ""},
      {"1,5", AngleEntryError::NotDecimal, "", "a decimal comma is not a decimal point"},
      {" 12", AngleEntryError::NotDecimal, "", ""},
      {"12a", AngleEntryError::NotDecimal, "", ""},
      {"1e2", AngleEntryError::NotDecimal, "", ""},
      {"..", AngleEntryError::NotDecimal, "", ""},
      {"", AngleEntryError::OutOfRange, "", "no number: once passed both checks as 0"},
      {".", AngleEntryError::OutOfRange, "", "no number: once passed both checks as 0"},
  };
  for (const EntryCase& c : cases) {
    SCOPED_TRACE(std::string("\"") + c.typed + "\" " + c.comment);
    const AngleEntry entry = CheckHorizontalAngleEntry(c.typed);
    EXPECT_EQ(entry.error, c.error);
    EXPECT_EQ(entry.normalisedGon, c.normalised);
  }
}

struct CiCase {
  Direction face1;
  Direction face2;
  double cGon;
  double iGon;
  const char* comment;
};

TEST(CiCheck, CollimationAndIndexFromBothFaces) {
  constexpr double kTolGon = 1e-9;
  const std::vector<CiCase> cases{
      {{350.0, 100.0}, {150.0, 300.0}, 0.0, 0.0, "k = -200 above 200 gon"},
      {{100.0, 100.0}, {300.0, 300.0}, 0.0, 0.0, "k = 200 below 200 gon"},
      {{200.0, 90.0}, {0.0, 310.0}, 0.0, 0.0, "200 itself takes k = -200"},
      {{100.002, 99.998}, {299.998, 300.004}, 0.002, 0.001, ""},
      {{350.0, 100.0}, {150.004, 300.0}, -0.002, 0.0, ""},
      {{199.999, 100.0}, {0.0005, 300.0}, -0.00075, 0.0, "face 2 across zero: once gave C = 199.99925 gon"},
      {{399.9995, 100.0}, {199.9990, 300.0}, 0.00025, 0.0, ""},
  };
  for (const CiCase& c : cases) {
    SCOPED_TRACE(c.comment);
    const CiErrors e = ComputeCiErrors(c.face1, c.face2);
    EXPECT_NEAR(e.cGon, c.cGon, kTolGon);
    EXPECT_NEAR(e.iGon, c.iGon, kTolGon);
  }
}

TEST(CiCheck, TheOtherFaceOfADirection) {
  constexpr double kTolGon = 1e-12;
  const std::vector<std::pair<Direction, Direction>> cases{
      {{350.0, 100.0}, {150.0, 300.0}},
      {{0.0, 50.0}, {200.0, 350.0}},
      {{199.9999, 120.0}, {399.9999, 280.0}},
      {{200.0, 100.0}, {0.0, 300.0}},
  };
  for (const auto& [in, out] : cases) {
    const Direction d = OtherFace(in);
    EXPECT_NEAR(d.haGon, out.haGon, kTolGon) << in.haGon;
    EXPECT_NEAR(d.vaGon, out.vaGon, kTolGon) << in.vaGon;
  }
}

TEST(StationTitle, OwnTitleProjectStationAndFourthPart) {
  EXPECT_EQ(StationTitle("Controls", "DAM", "S1"), "Controls : DAM - S1");
  EXPECT_EQ(StationTitle("Orientation", "DAM", "S1", " [Count = 2]"), "Orientation : DAM - S1 [Count = 2]");
  EXPECT_EQ(StationTitle("T", "%s", "%d"), "T : %s - %d") << "names are never read as formats";
}

}  // namespace
}  // namespace vigil::ui
