#include "installer/HeadlessRun.h"

#include <sstream>

#include "InstallerWorld.h"

namespace vigil::installer::test {
namespace {

using Headless = InstallerWorld;

TEST_F(Headless, ActionNamesTable) {
  struct Case {
    const char* text;
    bool known;
    HeadlessAction action;
  } cases[] = {{"show", true, HeadlessAction::Show},           {"install", true, HeadlessAction::Install},
               {"uninstall", true, HeadlessAction::Uninstall}, {"tool", true, HeadlessAction::Tool},
               {"Install", false, HeadlessAction::Show},       {"", false, HeadlessAction::Show}};
  for (const Case& c : cases) {
    HeadlessAction got = HeadlessAction::Show;
    EXPECT_EQ(ParseHeadlessAction(c.text, got), c.known) << c.text;
    if (c.known) {
      EXPECT_EQ(got, c.action) << c.text;
    }
  }
}

TEST_F(Headless, InstallsAnsweringYesAndPrintsEveryMessage) {
  StandardPackage();
  std::ostringstream out;
  EXPECT_EQ(RunHeadless(Dialog(), loop, strings, HeadlessAction::Install, false, out), 0);
  EXPECT_EQ(out.str(), "#1\n#50 Crack gauge\n#51 1.4\ninstalled\nmessage: #10\nmessage: #15\n");
  EXPECT_TRUE(StoredRecord().Installed());
}

TEST_F(Headless, DeleteDataAsksItsOwnQuestion) {
  StandardPackage();
  Put(Dev("\\ROMDisk\\DATA\\Gauge\\r.txt"), "r");
  std::ostringstream out;
  EXPECT_EQ(RunHeadless(Dialog(), loop, strings, HeadlessAction::Install, true, out), 0);
  EXPECT_NE(out.str().find("message: #43\n"), std::string::npos);
  EXPECT_FALSE(platform::FileExists(Dev("\\ROMDisk\\DATA\\Gauge")));
}

TEST_F(Headless, RefusedPackageEndsWithExitCode1) {
  StandardPackage();
  Model("VS-999");
  std::ostringstream out;
  EXPECT_EQ(RunHeadless(Dialog(), loop, strings, HeadlessAction::Install, false, out), 1);
  EXPECT_EQ(out.str(), "#1\nmessage: #25\nmessage: #19\n");
}

// A refused or failed action once ended with exit code 0, as did one with nothing to do.
TEST_F(Headless, AnActionThatDidNotRunEndsWithExitCode1) {
  const struct {
    HeadlessAction action;
    bool writeProtected;
    const char* message;
  } cases[] = {
      {HeadlessAction::Uninstall, false, "message: #36\n"},  // nothing installed
      {HeadlessAction::Install, true, "message: #39\n"},
      {HeadlessAction::Tool, false, "message: #32\n"},  // the package brings none
  };
  for (const auto& c : cases) {
    StandardPackage();
    if (c.writeProtected) WriteProtect();
    dialog.reset();
    std::ostringstream out;
    EXPECT_EQ(RunHeadless(Dialog(), loop, strings, c.action, false, out), 1) << c.message;
    EXPECT_NE(out.str().find(c.message), std::string::npos) << out.str();
    platform::SetFileFaultHook(nullptr);
  }
}

}  // namespace
}  // namespace vigil::installer::test
