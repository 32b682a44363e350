#include "platform/Paths.h"

#include <gtest/gtest.h>

namespace vigil::platform {
namespace {

TEST(Paths, ControllerPathsStayBelowTheDeviceRoot) {
  const Paths paths("/opt/vs", "/srv/device");
  const struct {
    const char* controller;
    const char* native;
  } cases[] = {
      {"\\Storage Card", "/srv/device/Storage Card"},
      {"\\Removable Disk\\Data\\", "/srv/device/Removable Disk/Data"},
      {"\\ROMDisk\\Tools\\x.exe", "/srv/device/ROMDisk/Tools/x.exe"},
      {"\\..\\..\\etc\\passwd", "/srv/device/etc/passwd"},
      {"\\Storage Card\\.\\..\\x", "/srv/device/Storage Card/x"},
      {"/ROMDisk2//a", "/srv/device/ROMDisk2/a"},
      {"", "/srv/device"},
  };
  for (const auto& c : cases) EXPECT_EQ(paths.Device(c.controller), c.native) << c.controller;
}

TEST(Paths, CommandLineChoosesHomeAndDeviceRoot) {
  const char* withBoth[] = {"VigilStation", "--home", "/tmp/h", "--device-root", "/tmp/d"};
  const Paths a = Paths::FromCommandLine(5, withBoth);
  EXPECT_EQ(a.ProgramFolder(), "/tmp/h");
  EXPECT_EQ(a.DeviceRoot(), "/tmp/d");
  const char* homeOnly[] = {"VigilStation", "--home", "/tmp/h/"};
  EXPECT_EQ(Paths::FromCommandLine(3, homeOnly).DeviceRoot(), "/tmp/h/device");
  const char* none[] = {"VigilStation", "--home"};  // a dangling option is ignored
  EXPECT_EQ(Paths::FromCommandLine(2, none).ProgramFolder(), Paths::RunningProgramFolder());
}

}  // namespace
}  // namespace vigil::platform
