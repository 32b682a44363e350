#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/AppOptions.h"

namespace vigil::app {
namespace {

struct OptionsCase {
  std::vector<std::string_view> args;
  bool ok;
  double scale;
  std::string runtimeDir;
  std::string sim;
  const char* comment;
};

class AppOptionsTest : public ::testing::TestWithParam<OptionsCase> {};

TEST_P(AppOptionsTest, ParsesTheCommandLine) {
  const OptionsCase& c = GetParam();
  const AppOptions o = ParseAppOptions(c.args);
  EXPECT_EQ(o.error.empty(), c.ok) << c.comment << ": " << o.error;
  if (!c.ok) return;
  EXPECT_DOUBLE_EQ(o.scale, c.scale) << c.comment;
  EXPECT_EQ(o.runtimeDir, c.runtimeDir) << c.comment;
  EXPECT_EQ(o.simScenario, c.sim) << c.comment;
}

INSTANTIATE_TEST_SUITE_P(
    Table, AppOptionsTest,
    ::testing::Values(
        OptionsCase{{}, true, 1.0, "", "", "nothing given: the controller's pixels"},
        OptionsCase{{"--scale", "3"}, true, 3.0, "", "", "whole scale"},
        OptionsCase{{"--scale", "1.5"}, true, 1.5, "", "", "point, whatever the process locale"},
        OptionsCase{{"--scale", "1,5"}, false, 0, "", "", "a comma is not a point"},
        OptionsCase{{"--scale", "2x"}, false, 0, "", "", "trailing junk (ScanDouble alone took it as 2)"},
        OptionsCase{{"--scale", "0.5"}, false, 0, "", "", "below 1"},
        OptionsCase{{"--scale", "9"}, false, 0, "", "", "above 8"},
        OptionsCase{{"--scale", "8"}, true, 8.0, "", "", "upper edge"},
        OptionsCase{{"--scale", "-2"}, false, 0, "", "", "negative"},
        OptionsCase{{"--scale"}, false, 0, "", "", "value missing at the end"},
        OptionsCase{{"--sim", ""}, false, 0, "", "", "empty value"},
        OptionsCase{{"--runtime-dir", "/r", "--sim", "dam.json"}, true, 1.0, "/r", "dam.json", "both"},
        OptionsCase{{"--home", "/h", "--device-root", "/d"}, true, 1.0, "", "", "paths are Paths' own"},
        OptionsCase{
            {"-platform", "offscreen", "--sim", "s"}, true, 1.0, "", "s", "Qt's arguments left to Qt"},
        OptionsCase{{"--simulate", "s"}, false, 0, "", "", "unknown option"},
        OptionsCase{{"--sim", "a", "--sim", "b"}, true, 1.0, "", "b", "the last one counts"}));

TEST(AppOptions, HelpIsRecognisedAndTheUsageNamesEveryOption) {
  EXPECT_TRUE(ParseAppOptions({"--help"}).help);
  EXPECT_FALSE(ParseAppOptions({}).help);
  EXPECT_TRUE(ParseAppOptions({}).linkTrace);
  EXPECT_FALSE(ParseAppOptions({"--sim", "s", "--no-trace"}).linkTrace);
  EXPECT_FALSE(ParseAppOptions({}).resume) << "a start by hand is the start as always";
  EXPECT_TRUE(ParseAppOptions({"--resume", "--no-window"}).resume);
  EXPECT_TRUE(ParseAppOptions({"--no-window"}).noWindow);
  const std::string usage = UsageText();
  for (const char* option : {"--home", "--device-root", "--runtime-dir", "--sim", "--scale", "--help",
                             "--demo", "--days", "--no-screens", "--no-trace", "--resume", "--no-window"}) {
    EXPECT_NE(usage.find(option), std::string::npos) << option;
  }
}

struct DemoCase {
  std::vector<std::string_view> args;
  bool ok;
  std::string folder;
  int days;
  bool noScreens;
  const char* comment;
};

TEST(AppOptions, TheDemoOptions) {
  const DemoCase cases[] = {
      {{"--demo", "out"}, true, "out", 3, false, "three days with pictures by default"},
      {{"--demo", "out", "--days", "1", "--no-screens"}, true, "out", 1, true, "the crash test's fast run"},
      {{"--no-screens", "--days", "366", "--demo", "o", "--sim", "s.json"},
       true,
       "o",
       366,
       true,
       "any order"},
      {{"--demo", "out", "--days", "0"}, false, "", 0, false, "no day"},
      {{"--demo", "out", "--days", "367"}, false, "", 0, false, "above a year"},
      {{"--demo", "out", "--days", "1.5"}, false, "", 0, false, "whole days only"},
      {{"--demo", "out", "--days", "2x"}, false, "", 0, false, "trailing junk"},
      {{"--demo", "out", "--days"}, false, "", 0, false, "value missing"},
      {{"--demo"}, false, "", 0, false, "folder missing"},
      {{"--days", "2"}, false, "", 0, false, "--days without --demo would be ignored silently"},
      {{"--no-screens"}, false, "", 0, false, "--no-screens without --demo"},
  };
  for (const DemoCase& c : cases) {
    const AppOptions o = ParseAppOptions(c.args);
    EXPECT_EQ(o.error.empty(), c.ok) << c.comment << ": " << o.error;
    if (!c.ok) continue;
    EXPECT_EQ(o.demoFolder, c.folder) << c.comment;
    EXPECT_EQ(o.demoDays, c.days) << c.comment;
    EXPECT_EQ(o.noScreens, c.noScreens) << c.comment;
  }
}

TEST(AppOptions, TheFirstErrorIsReported) {
  const AppOptions o = ParseAppOptions({"--bogus", "--scale", "0"});
  EXPECT_NE(o.error.find("--bogus"), std::string::npos) << o.error;
}

}  // namespace
}  // namespace vigil::app
