#include "platform/WindowMessages.h"

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>

#include <string>
#include <vector>

#include "TempFolder.h"

namespace vigil::platform {
namespace {

struct Inbox : Window {
  std::vector<std::string> got;
  void OnCopyData(std::string_view bytes) override { got.emplace_back(bytes); }
};

TEST(SocketFileNames, EncodeEverythingThatIsNotPlain) {
  EXPECT_EQ(SocketFileName("LMX-Message communication"), "LMX-Message_20communication.sock");
  EXPECT_EQ(SocketFileName("a_b/../c"), "a_5Fb_2F.._2Fc.sock");
}

TEST(InProcessBus, FindsSendsInOrderAndForgets) {
  auto bus = MakeInProcessBus();
  EventLoop loop(std::make_unique<VirtualTimeDriver>());
  Inbox inbox;
  const WindowHandle handle = loop.AddWindow(&inbox);
  EXPECT_FALSE(bus->Exists("link"));
  EXPECT_FALSE(bus->SendTo("link", "x"));
  ASSERT_TRUE(bus->Register("link", DeliverToWindow(loop, handle)));
  EXPECT_FALSE(bus->Register("link", [](std::string) {}));  // a title names one window
  EXPECT_TRUE(bus->SendTo("link", std::string("#S\x06\r\n", 5)));
  EXPECT_TRUE(bus->SendTo("link", "second"));
  loop.DispatchPending(handle);
  EXPECT_EQ(inbox.got, (std::vector<std::string>{std::string("#S\x06\r\n", 5), "second"}));
  bus->Unregister("link");
  EXPECT_FALSE(bus->Exists("link"));
}

TEST(SocketBus, CarriesMessagesBetweenBusesLikeBetweenProcesses) {
  test::TempFolder dir;
  auto program = MakeSocketBus(dir.path());
  auto instrument = MakeSocketBus(dir.path());
  EventLoop loop(std::make_unique<RealTimeDriver>());
  Inbox inbox;
  const WindowHandle handle = loop.AddWindow(&inbox);
  ASSERT_TRUE(program->Register("VNT8-Message communication", DeliverToWindow(loop, handle)));
  EXPECT_TRUE(instrument->Exists("VNT8-Message communication"));
  EXPECT_FALSE(instrument->Register("VNT8-Message communication", [](std::string) {}));
  const std::string binary("\x00\x15\xFF#ST1 \x06", 9);
  for (int i = 0; i < 50; ++i)
    ASSERT_TRUE(instrument->SendTo("VNT8-Message communication", binary + std::to_string(i)));
  ASSERT_TRUE(loop.RunUntil([&] { return inbox.got.size() == 50; }, 10000));
  for (int i = 0; i < 50; ++i) EXPECT_EQ(inbox.got[static_cast<std::size_t>(i)], binary + std::to_string(i));
  program->Unregister("VNT8-Message communication");
  EXPECT_FALSE(instrument->Exists("VNT8-Message communication"));
  EXPECT_FALSE(instrument->SendTo("VNT8-Message communication", "lost"));
}

TEST(SocketBus, AStaleSocketFileOfAKilledProgramIsNotAWindow) {
  test::TempFolder dir;
  // A killed program leaves its bound socket file behind.
  const std::string path = (dir.path() / SocketFileName("LMX-Message communication")).string();
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
  const int fd = ::socket(AF_UNIX, SOCK_DGRAM, 0);
  ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
  ::close(fd);
  auto bus = MakeSocketBus(dir.path());
  EXPECT_FALSE(bus->Exists("LMX-Message communication"));
  EXPECT_FALSE(bus->SendTo("LMX-Message communication", "x"));
  EXPECT_TRUE(bus->Register("LMX-Message communication", [](std::string) {}));
  EXPECT_TRUE(bus->Exists("LMX-Message communication"));
}

}  // namespace
}  // namespace vigil::platform
