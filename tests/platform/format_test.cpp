#include "platform/Format.h"

#include <gtest/gtest.h>

#include <cmath>

namespace vigil::platform {
namespace {

struct FormatCase {
  const char* format;
  double value;
  const char* expected;
};

TEST(Format, DoublesAsPrintfWritesThemWithAPointInAnyLocale) {
  const FormatCase cases[] = {
      {"%.4lf", 32.80839895, "32.8084"},
      {"%.5lf", 399.99999, "399.99999"},
      {"%.1lf", -0.05, "-0.1"},  // rounds half away as the binary value lies
      {"%.2lf", 0.125, "0.12"},  // 0.125 is exact: round half to even, as printf
      {"%lf", 1.5, "1.500000"},
      {"%+.2lf", 4.949, "+4.95"},
      {"%08.3lf", -1.5, "-001.500"},
      {"%-8.1lf|", 2.0, "2.0     |"},
      {"%.0lf", 2.5, "2"},
      {"%.4lf", -0.00001, "-0.0000"},  // printf keeps the sign of a rounded-away negative
      {"%.3f", 1e15, "1000000000000000.000"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(Format(c.format, {c.value}), c.expected) << c.format << " " << c.value;
}

TEST(Format, IntegersTextsAndMixedArguments) {
  EXPECT_EQ(Format("%02d:%02d", {7, 5}), "07:05");
  EXPECT_EQ(Format("%s_%s.txt", {"PROJ", std::string("STN1")}), "PROJ_STN1.txt");
  EXPECT_EQ(Format("%-6s|%5s|", {"ab", "cd"}), "ab    |   cd|");
  EXPECT_EQ(Format("%d%%", {50}), "50%");
  EXPECT_EQ(Format("%x %X %u", {255, 255, -1}), "ff FF 4294967295");
  EXPECT_EQ(Format("%d", {-2147483647 - 1}), "-2147483648");
  EXPECT_EQ(Format("%.3d", {7}), "007");
  EXPECT_EQ(Format("%.2s", {"abc"}), "ab");
}

TEST(Format, MismatchedOrMissingArgumentsNeverCrash) {
  EXPECT_EQ(Format("%d", {2.9}), "2");
  EXPECT_EQ(Format("%.1lf", {3}), "3.0");
  EXPECT_EQ(Format("%d and %s", {1}), "1 and ");
  EXPECT_EQ(Format("100%", {}), "100%");
  EXPECT_EQ(Format("%q", {1}), "%q");
  EXPECT_EQ(Format("%.2lf", {std::nan("")}), "nan");
}

TEST(Format, FixedAndIntHelpers) {
  EXPECT_EQ(FormatFixed(101.5, 3), "101.500");
  EXPECT_EQ(FormatFixed(-30.0, 1), "-30.0");
  EXPECT_EQ(FormatInt(-12), "-12");
}

struct ScanCase {
  const char* text;
  bool read;
  double expected;
  const char* comment;
};

// Typed numbers once read up to their first odd character: "20,5" °C was stored as 20.
TEST(Scan, APlainNumberIsTheWholeTextAndNothingElse) {
  struct Case {
    const char* text;
    bool decimals;
    bool plain;
  };
  const Case cases[] = {
      {"20.5", true, true},  {" -3 ", true, true},  {"+7.", true, true},   {".5", true, true},
      {"20,5", true, false}, {"2x", true, false},   {"1e3", true, false},  {"1.2.3", true, false},
      {"", true, false},     {"-", true, false},    {".", true, false},    {"abc", true, false},
      {"3", false, true},    {"2.5", false, false}, {"1 2", false, false}, {"0x10", true, false},
  };
  for (const Case& c : cases) EXPECT_EQ(IsPlainNumber(c.text, c.decimals), c.plain) << '"' << c.text << '"';
}

TEST(Scan, DoubleTakesTheLeadingNumberAndIgnoresTheRest) {
  const ScanCase cases[] = {
      {"123.4567", true, 123.4567, ""},
      {"  -0.5abc", true, -0.5, "white space skipped, tail ignored"},
      {"+7", true, 7.0, ""},
      {".25", true, 0.25, ""},
      {"5.", true, 5.0, ""},
      {"1e3", true, 1000.0, ""},
      {"1e", true, 1.0, "an exponent without digits is not part of the number"},
      {"2,5", true, 2.0, "a comma ends the number in every locale"},
      {"12:30", true, 12.0, ""},
      {"", false, 0.0, ""},
      {"-", false, 0.0, ""},
      {".", false, 0.0, ""},
      {"abc", false, 0.0, ""},
      {"inf", false, 0.0, "infinity would poison every computation"},
      {"nan", false, 0.0, ""},
      {"1e999", false, 0.0, "out of range is refused, not infinity"},
  };
  for (const auto& c : cases) {
    double value = -99.0;
    EXPECT_EQ(ScanDouble(c.text, value), c.read) << c.text;
    EXPECT_DOUBLE_EQ(value, c.read ? c.expected : -99.0) << c.text << " " << c.comment;
  }
}

TEST(Scan, IntAsPercentD) {
  int v = 42;
  EXPECT_TRUE(ScanInt(" -17x", v));
  EXPECT_EQ(v, -17);
  EXPECT_FALSE(ScanInt("x1", v));
  EXPECT_FALSE(ScanInt("99999999999", v));
  EXPECT_EQ(v, -17);
  EXPECT_TRUE(ScanInt("-2147483648", v));
  EXPECT_EQ(v, -2147483647 - 1);
  EXPECT_EQ(ParseIntOr("", 5), 5);
  EXPECT_DOUBLE_EQ(ParseDoubleOr("3.5 m", 0.0), 3.5);
}

}  // namespace
}  // namespace vigil::platform
