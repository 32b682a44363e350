#include "platform/WindowMessages.h"

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>
#include <functional>

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

TEST(SocketBus, ARuntimeFolderOthersCanReachIsRefusedAndOurSocketsAreOursAlone) {
  namespace fs = std::filesystem;
  struct Case {
    const char* comment;
    std::function<void(const fs::path&)> prepare;  // makes the folder, or leaves it missing
    const char* refusal;                           // part of the message; empty: taken
  } const cases[] = {
      {"missing: made closed", [](const fs::path&) {}, ""},
      {"made by us and closed",
       [](const fs::path& f) {
         fs::create_directory(f);
         ::chmod(f.c_str(), 0700);
       },
       ""},
      {"made by another user first, open to all",
       [](const fs::path& f) {
         fs::create_directory(f);
         ::chmod(f.c_str(), 0777);
         // Tests run as root here, which may give the folder away; elsewhere it is ours.
         if (::geteuid() == 0) {
           ASSERT_EQ(::chown(f.c_str(), 4242, 4242), 0);
         }
       },
       ::geteuid() == 0 ? "belongs to another user" : "open to other users"},
      {"ours but open to others",
       [](const fs::path& f) {
         fs::create_directory(f);
         ::chmod(f.c_str(), 0777);
       },
       "open to other users (mode 777)"},
      {"a link to a folder of ours",
       [](const fs::path& f) {
         fs::create_directory(f.string() + "-real");
         ::chmod((f.string() + "-real").c_str(), 0700);
         fs::create_directory_symlink(f.string() + "-real", f);
       },
       "is a link"},
  };
  const mode_t umaskBefore = ::umask(0);  // the sockets must be closed whatever it is
  for (const Case& c : cases) {
    test::TempFolder dir;
    const fs::path folder = dir.path() / "run";
    c.prepare(folder);
    std::string error;
    auto bus = MakeSocketBus(folder, &error);
    if (*c.refusal != '\0') {
      EXPECT_EQ(bus, nullptr) << c.comment;
      EXPECT_NE(error.find(folder.string()), std::string::npos) << c.comment << ": " << error;
      EXPECT_NE(error.find(c.refusal), std::string::npos) << c.comment << ": " << error;
      continue;
    }
    ASSERT_NE(bus, nullptr) << c.comment << ": " << error;
    struct stat info {};
    ASSERT_EQ(::lstat(folder.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0700u) << c.comment;
    ASSERT_TRUE(bus->Register("DLK VIGIL", [](std::string) {}));
    ASSERT_EQ(::stat((folder / SocketFileName("DLK VIGIL")).c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0077, 0u) << c.comment << ": socket open to others";
  }
  ::umask(umaskBefore);
}

}  // namespace
}  // namespace vigil::platform
