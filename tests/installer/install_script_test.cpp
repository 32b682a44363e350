#include "installer/InstallScript.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vigil::installer {
namespace {

struct FieldCase {
  const char* comment;
  std::string bytes;
  std::string InstallScript::*field;
  std::string expected;
};

class ScriptFieldTest : public ::testing::TestWithParam<FieldCase> {};

TEST_P(ScriptFieldTest, ReadsTheField) {
  const FieldCase& c = GetParam();
  EXPECT_EQ(ParseInstallScript(c.bytes).*c.field, c.expected) << c.comment;
}

INSTANTIATE_TEST_SUITE_P(
    Fields, ScriptFieldTest,
    ::testing::Values(
        FieldCase{"name", "[PRODUCT]\r\nNAME=Crack gauge\r\n", &InstallScript::productName, "Crack gauge"},
        FieldCase{"version", "[PRODUCT]\r\nVERSION=2.10\r\n", &InstallScript::version, "2.10"},
        FieldCase{"values are not trimmed", "[PRODUCT]\r\nNAME= Gauge \r\n", &InstallScript::productName,
                  " Gauge "},
        FieldCase{"VERSION= outside [PRODUCT] is ignored", "[CAB]\r\nVERSION=9\r\n[PRODUCT]\r\n",
                  &InstallScript::version, ""},
        FieldCase{"VERSION= before any section is ignored", "VERSION=9\r\n", &InstallScript::version, ""},
        FieldCase{"a later line replaces the earlier", "[PRODUCT]\r\nNAME=A\r\nNAME=B\r\n",
                  &InstallScript::productName, "B"},
        FieldCase{"an unknown section ends the current one", "[PRODUCT]\r\n[OTHER]\r\nNAME=X\r\n",
                  &InstallScript::productName, ""},
        FieldCase{"section names are compared exactly", "[product]\r\nNAME=X\r\n",
                  &InstallScript::productName, ""},
        FieldCase{"a section name with a trailing blank is unknown", "[PRODUCT] \r\nNAME=X\r\n",
                  &InstallScript::productName, ""},
        FieldCase{"a section may come back", "[PRODUCT]\r\nNAME=A\r\n[CAB]\r\n[PRODUCT]\r\nNAME=C\r\n",
                  &InstallScript::productName, "C"},
        FieldCase{"one leading backslash of PATH is dropped", "[CAB]\r\nPATH=\\cab\\install.sh\r\n",
                  &InstallScript::cabinetPath, "cab\\install.sh"},
        FieldCase{"a PATH without backslash stays", "[CAB]\r\nPATH=cab\\install.sh\r\n",
                  &InstallScript::cabinetPath, "cab\\install.sh"},
        FieldCase{"only one backslash is dropped", "[CAB]\r\nPATH=\\\\server\r\n",
                  &InstallScript::cabinetPath, "\\server"},
        FieldCase{"finish message", "[FINISH]\r\nMESSAGE=Restart now\r\nPATH=\\fin.sh\r\n",
                  &InstallScript::finishMessage, "Restart now"},
        FieldCase{"finish path", "[FINISH]\r\nMESSAGE=Restart now\r\nPATH=\\fin.sh\r\n",
                  &InstallScript::finishPath, "fin.sh"},
        FieldCase{"tool message", "[TOOL]\r\nMESSAGE=Calibrate\r\n", &InstallScript::toolMessage,
                  "Calibrate"},
        FieldCase{"tool PATH= is not the cabinet", "[TOOL]\r\nPATH=tool.sh\r\n", &InstallScript::cabinetPath,
                  ""},
        FieldCase{"the 8-bit code page becomes UTF-8",
                  "[PRODUCT]\r\nNAME=Me\xdf"
                  "band \x80\r\n",
                  &InstallScript::productName,
                  "Me\xc3\x9f"
                  "band \xe2\x82\xac"},
        FieldCase{"a last line without line end counts", "[PRODUCT]\r\nNAME=End", &InstallScript::productName,
                  "End"},
        FieldCase{"a line ending in LF alone", "[PRODUCT]\nNAME=Lf\n", &InstallScript::productName, "Lf"},
        FieldCase{"a lone CR stays in the value", "[PRODUCT]\r\nNAME=a\rb\r\n", &InstallScript::productName,
                  "a\rb"}));

TEST(InstallScript, SizeIsReadInCabOnly) {
  EXPECT_EQ(ParseInstallScript("[CAB]\r\nSIZE=123456\r\n").neededBytes, 123456u);
  EXPECT_EQ(ParseInstallScript("[PRODUCT]\r\nSIZE=123456\r\n").neededBytes, 0u);
}

TEST(InstallScript, NeededBytesTable) {
  struct Case {
    const char* text;
    std::optional<std::uint32_t> expected;  // nullopt: refused
  } cases[] = {
      {"0", 0u},
      {"2147483647", 2147483647u},
      {"2147483648", 2147483648u},  // once read as 0, skipping the space check
      {"4294967295", 4294967295u},
      {"4294967296", std::nullopt},
      {"99999999999", std::nullopt},
      {"-5", std::nullopt},
      {"  42", 42u},
      {"42kB", 42u},
      {"abc", 0u},
      {"", 0u},
  };
  for (const Case& c : cases) EXPECT_EQ(ParseNeededBytes(c.text), c.expected) << c.text;
  EXPECT_EQ(ParseInstallScript("[CAB]\r\nSIZE=4294967296\r\n").unfitSize, "4294967296");
}

TEST(InstallScript, DeleteLinesAddUpAndTakeTheValueAfterTheFirstEquals) {
  const InstallScript s = ParseInstallScript(
      "[CAB]\r\nDELETE1=\\ROMDisk\\PROGRAM\\Gauge\\\r\nDELETE=\\ROMDisk\\a=b.txt\r\nDELETEME\r\n"
      "[PRODUCT]\r\nDELETE=\\x\r\n");
  EXPECT_EQ(s.deletePaths, (std::vector<std::string>{"\\ROMDisk\\PROGRAM\\Gauge\\", "\\ROMDisk\\a=b.txt"}));
}

TEST(InstallScript, OverwriteNeedsTheWholeLine) {
  EXPECT_TRUE(ParseInstallScript("[OVERWRITE]\r\nFLG1=TRUE\r\n").overwriteBasicSettings);
  EXPECT_FALSE(ParseInstallScript("[OVERWRITE]\r\nFLG1=TRUE \r\n").overwriteBasicSettings);
  EXPECT_FALSE(ParseInstallScript("[OVERWRITE]\r\nFLG1=true\r\n").overwriteBasicSettings);
  EXPECT_FALSE(ParseInstallScript("[CAB]\r\nFLG1=TRUE\r\n").overwriteBasicSettings);
}

TEST(InstallScript, CabinetIsNamedOnlyByANonEmptyPath) {
  EXPECT_FALSE(ParseInstallScript("[PRODUCT]\r\nNAME=x\r\n").NamesCabinet());
  EXPECT_FALSE(ParseInstallScript("[CAB]\r\nPATH=\r\n").NamesCabinet());
  EXPECT_FALSE(ParseInstallScript("[CAB]\r\nPATH=\\\r\n").NamesCabinet());
  EXPECT_TRUE(ParseInstallScript("[CAB]\r\nPATH=c.sh\r\n").NamesCabinet());
}

// A line that does not fit used to be cut, and its tail read as a line of its own: a
// "PATH=" or "[" hidden far to the right took effect.
TEST(InstallScript, OverlongLineIsNotCutIntoTwo) {
  const std::string longName = "NAME=" + std::string(249, 'x');  // 254 bytes: fits with CR LF
  const std::string tooLong = "NAME=" + std::string(250, 'y') + "PATH=evil.sh";
  const InstallScript s = ParseInstallScript("[PRODUCT]\r\n" + longName + "\r\n[CAB]\r\n" + tooLong + "\r\n");
  EXPECT_EQ(s.productName, std::string(249, 'x'));
  EXPECT_EQ(s.overlongLines, std::vector<int>{4});
  EXPECT_EQ(s.cabinetPath, "");
}

}  // namespace
}  // namespace vigil::installer
