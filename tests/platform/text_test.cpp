#include "platform/Text.h"

#include <gtest/gtest.h>

namespace vigil::platform {
namespace {

TEST(Utf16, RoundTripsEveryUnitSequenceIncludingLoneSurrogates) {
  const std::string samples[] = {
      std::string("A\0B\0", 4),           std::string("\xB0\x00", 2),  // degree sign
      std::string("\x3D\xD8\x00\xDE", 4),                              // a surrogate pair (U+1F600)
      std::string("\x00\xD8\x41\x00", 4),                              // lone high surrogate, then 'A'
      std::string("\x00\xDC", 2),                                      // lone low surrogate
      std::string("\xFF\xFE\x41\x00", 4),                              // a byte-order mark stays text
      std::string("\x0D\x00\x0A\x00", 4),
  };
  for (const auto& bytes : samples) EXPECT_EQ(Utf8ToUtf16Le(Utf16LeToUtf8(bytes)), bytes);
}

TEST(Utf16, ConvertsTextAndDropsAnOddTrailingByte) {
  EXPECT_EQ(Utf16LeToUtf8(std::string("1\0"
                                      "1\0"
                                      "1\0\xB0\0",
                                      8)),
            "111\xC2\xB0");
  EXPECT_EQ(Utf16LeToUtf8(std::string("A\0B", 3)), "A");
  EXPECT_EQ(Utf8ToUtf16Le("\xFF"), std::string("\xFD\xFF", 2));  // invalid UTF-8 becomes U+FFFD
  EXPECT_EQ(Utf16Length("\xC2\xB0"
                        "A\xF0\x9F\x98\x80"),
            4u);
}

TEST(Cp1252, MapsTheHighBytesBothWays) {
  EXPECT_EQ(Cp1252ToUtf8("\x80\xE9"), "\xE2\x82\xAC\xC3\xA9");
  EXPECT_EQ(Utf8ToCp1252("\xE2\x82\xAC\xC3\xA9"), "\x80\xE9");
  EXPECT_EQ(Utf8ToCp1252("\xE4\xB8\xAD"), "?");
  for (int b = 0; b < 256; ++b) {
    const std::string one(1, static_cast<char>(b));
    EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(one)), one) << b;
  }
}

TEST(TextHelpers, SplitJoinReplaceTrim) {
  EXPECT_EQ(Split("a,,b", ",").size(), 3u);
  EXPECT_EQ(Split("", ",").size(), 1u);
  EXPECT_EQ(Join(Split("1|2|3", "|"), "|"), "1|2|3");
  EXPECT_EQ(ReplaceAll("aaa", "a", "aa"), "aaaaaa");  // not rescanned
  EXPECT_EQ(ReplaceAll("x", "", "y"), "x");
  EXPECT_EQ(Trim(" \t ab c\r\n"), "ab c");
  EXPECT_EQ(ToUpperAscii("ab\xC3\xA9"), "AB\xC3\xA9");
  EXPECT_TRUE(StartsWith("XYZ001", "XYZ"));
  EXPECT_FALSE(EndsWith("a", "ab"));
}

TEST(FileNameParts, RefusesNamesThatLeaveTheirFolderOrCannotBeFileNames) {
  const struct {
    const char* name;
    bool valid;
  } cases[] = {
      {"PROJ", true},       {"Dam wall 2", true}, {"M\xC3\xBChle", true}, {"", false},     {".", false},
      {"..", false},        {"../x", false},      {"a\\b", false},        {"a/b", false},  {"C:", false},
      {"a*", false},        {"a?", false},        {"a\"b", false},        {"<a>", false},  {"a|b", false},
      {"tab\there", false}, {"A.", false},        {"A ", false},          {"\xFF", false},
  };
  for (const auto& c : cases) EXPECT_EQ(IsValidFileNamePart(c.name), c.valid) << c.name;
  EXPECT_TRUE(IsValidFileNamePart(std::string(kMaxFileNameUnits, 'a')));
  EXPECT_FALSE(IsValidFileNamePart(std::string(kMaxFileNameUnits + 1, 'a')));
  EXPECT_FALSE(IsValidFileNamePart(std::string("a\0b", 3)));
}

}  // namespace
}  // namespace vigil::platform
