#include "installer/ScriptPaths.h"

#include <gtest/gtest.h>

#include "TempFolder.h"

namespace vigil::installer {
namespace {

namespace fs = std::filesystem;

TEST(ScriptPaths, PackageProgramTable) {
  const fs::path pkg = "/media/card/pkg";
  struct Case {
    const char* scriptPath;  // as stored: one leading "\" already dropped
    const char* expected;    // nullptr: refused
    const char* comment;
  } cases[] = {
      {"install.sh", "/media/card/pkg/install.sh", ""},
      {"cab\\install.sh", "/media/card/pkg/cab/install.sh", ""},
      {"cab/install.sh", "/media/card/pkg/cab/install.sh", "forward slash"},
      {".\\cab\\\\install.sh", "/media/card/pkg/cab/install.sh", "dot and empty pieces"},
      {"..\\other\\x.sh", nullptr, "climbs out of the package"},
      {"cab\\..\\..\\x.sh", nullptr, "climbs out further in"},
      {"cab\\..\\x.sh", nullptr, "any .. is refused, even one that stays inside"},
      {"\\ROMDisk\\x.sh", nullptr, "still absolute after the one backslash was dropped"},
      {"/etc/passwd", nullptr, "native absolute path"},
      {"C:\\x.sh", nullptr, "drive"},
      {"GIO1:", nullptr, "device"},
      {"", nullptr, "empty"},
      {".\\", nullptr, "names the package folder itself"},
  };
  for (const Case& c : cases) {
    const auto got = PackageProgramPath(pkg, c.scriptPath);
    if (c.expected == nullptr) {
      EXPECT_FALSE(got) << c.scriptPath << " " << c.comment;
    } else {
      ASSERT_TRUE(got) << c.scriptPath << " " << c.comment;
      EXPECT_EQ(*got, fs::path(c.expected)) << c.scriptPath;
    }
  }
}

TEST(ScriptPaths, DeleteLineTable) {
  const platform::Paths paths("/media/card/pkg", "/srv/device");
  struct Case {
    const char* value;
    const char* expected;  // nullptr: refused
    bool folder;
    const char* comment;
  } cases[] = {
      {"\\ROMDisk\\PROGRAM\\Gauge\\", "/srv/device/ROMDisk/PROGRAM/Gauge", true, "folder"},
      {"\\ROMDisk\\PROGRAM\\Gauge\\gauge.cfg", "/srv/device/ROMDisk/PROGRAM/Gauge/gauge.cfg", false, "file"},
      {"ROMDisk\\x.txt", "/srv/device/ROMDisk/x.txt", false, "relative means from the root"},
      {"\\ROMDisk\\..\\..\\etc\\", nullptr, false, "climbs out of the device root"},
      {"\\ROMDisk\\PROGRAM\\..\\DATA\\", nullptr, false, "any .. is refused"},
      {"\\", nullptr, false, "the device root itself"},
      {"", nullptr, false, "empty: the root"},
      {"\\.\\", nullptr, false, "the root again"},
      {"C:\\Windows\\", nullptr, false, "drive"},
  };
  for (const Case& c : cases) {
    const auto got = DeleteLineTarget(paths, c.value);
    if (c.expected == nullptr) {
      EXPECT_FALSE(got) << c.value << " " << c.comment;
    } else {
      ASSERT_TRUE(got) << c.value << " " << c.comment;
      EXPECT_EQ(got->path, fs::path(c.expected)) << c.value;
      EXPECT_EQ(got->folder, c.folder) << c.value;
    }
  }
}

// A link inside the root once let a DELETE line remove a file outside it.
TEST(ScriptPaths, DeleteLineThroughALinkStaysInTheRoot) {
  vigil::test::TempFolder dir;
  const fs::path root = dir.path() / "device";
  fs::create_directories(root / "ROMDisk" / "DATA");
  fs::create_directories(dir.path() / "home");
  fs::create_directory_symlink(dir.path() / "home", root / "ROMDisk" / "out");
  fs::create_directory_symlink(root / "ROMDisk" / "DATA", root / "ROMDisk" / "in");
  fs::create_directory_symlink(root, root / "ROMDisk" / "up");
  const platform::Paths paths(dir.path() / "pkg", root);
  const struct {
    const char* value;
    bool refused;
  } cases[] = {
      {"\\ROMDisk\\out\\victim.txt", true}, {"\\ROMDisk\\out\\", true},   {"\\ROMDisk\\up\\", true},
      {"\\ROMDisk\\in\\x.txt", false},      {"\\ROMDisk\\DATA\\", false},
  };
  for (const auto& c : cases) EXPECT_EQ(!DeleteLineTarget(paths, c.value), c.refused) << c.value;
}

}  // namespace
}  // namespace vigil::installer
