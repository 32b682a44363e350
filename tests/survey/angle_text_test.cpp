#include <gtest/gtest.h>

#include "UnitSettings.h"
#include "platform/Format.h"
#include "survey/Units.h"

namespace vigil::survey {
namespace {

using test::UnitSettings;

struct AngleCase {
  double gon;
  const char* display;
  const char* packed;
};

TEST(FormatAngle, DegreeModeDisplayAndPackedForms) {
  const AngleCase cases[] = {
      {0.0, "00° 00' 0.00\"", "00.00000"},
      {100.0, "90° 00' 0.00\"", "90.00000"},
      {123.4567, "111° 06' 39.71\"", "111.06397"},
      {399.99999, "359° 59' 59.97\"", "359.59600"},  // packed seconds round to 60.0, no carry
      {12.3456789, "11° 06' 40.00\"", "11.06400"},   // nor in the display form
      {1.0, "00° 54' 0.00\"", "00.54000"},
      {-123.4567, "-111° -6' -39.71\"", "-111.06397"},  // sign on every part; once when packed
      {-0.0, "00° 00' 0.00\"", "00.00000"},             // a negative zero shows no sign
  };
  const auto s = UnitSettings(1);
  for (const auto& c : cases) {
    EXPECT_EQ(FormatAngle(s, c.gon, AngleFormat::Current, false), c.display) << c.gon;
    EXPECT_EQ(FormatAngle(s, c.gon, AngleFormat::Current, true), c.packed) << c.gon;
  }
}

TEST(FormatAngle, GonModeAndFixedUnits) {
  const auto gon = UnitSettings(0);
  EXPECT_EQ(FormatAngle(gon, 123.4567, AngleFormat::Current, false), "123.45670");
  EXPECT_EQ(FormatAngle(gon, 123.4567, AngleFormat::Current, true), "123.45670");
  EXPECT_EQ(FormatAngle(gon, 0.0, AngleFormat::Current, true), "0.00000");
  EXPECT_EQ(FormatAngle(UnitSettings(7), 100.0, AngleFormat::Current, false), "100.00000");  // unknown: gon
  EXPECT_EQ(FormatAngle(gon, 100.0, AngleFormat::Degrees, false), "90° 00' 0.00\"");
  EXPECT_EQ(FormatAngle(UnitSettings(1), 100.0, AngleFormat::Gon, false), "100.00000");
  EXPECT_EQ(FormatAngleWithUnit(gon, 50.0), "50.00000 gon");
  EXPECT_EQ(FormatAngleWithUnit(UnitSettings(1), 50.0), "45° 00' 0.00\"");
}

TEST(ParseAngle, DegreeTextsToGon) {
  const std::pair<const char*, const char*> cases[] = {
      {"111° 06' 39.71\"", "123.45670"},
      {"111°06'39.71\"", "123.45670"},  // typed without blanks
      {"111  06  39.71", "123.45670"},  // repeated blanks do not shift the parts
      {"-111° -6' -39.71\"", "-123.45670"},
      {"00° -27' 0.00\"", "-0.50000"},
      {"111", "123.33333"},  // degrees alone
      {"", ""},              // no number: returned as given
      {"abc", "abc"},
  };
  for (const auto& [text, gon] : cases) EXPECT_EQ(ParseAngle(UnitSettings(1), text), gon) << text;
  EXPECT_EQ(ParseAngle(UnitSettings(0), "123.4567 x"), "123.4567 x");
}

TEST(ParseAngle, ReadsEveryDisplayTextBackToItsValue) {
  const auto s = UnitSettings(1);
  for (double gon :
       {0.0, 0.00001, 0.001, 1.0, 99.99999, 123.4567, 250.5, 399.99999, -0.001, -0.5, -123.4567, -399.9}) {
    const std::string text = FormatAngle(s, gon, AngleFormat::Current, false);
    double back = 1e9;
    ASSERT_TRUE(platform::ScanDouble(ParseAngle(s, text), back)) << text;
    EXPECT_NEAR(back, gon, 1e-5) << text;  // 0.005" of the seconds plus the five decimals
  }
}

}  // namespace
}  // namespace vigil::survey
