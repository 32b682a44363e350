// The socket transport of window messages: one Unix-domain datagram socket per endpoint.
#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <map>
#include <mutex>
#include <thread>
#include <vector>

#include "platform/WindowMessages.h"

namespace vigil::platform {

namespace fs = std::filesystem;

std::string SocketFileName(std::string_view title) {
  static const char* kHex = "0123456789ABCDEF";
  std::string name;
  for (char c : title) {
    const bool plain =
        (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '.';
    if (plain) {
      name += c;
    } else {
      const auto b = static_cast<unsigned char>(c);
      name += '_';
      name += kHex[b >> 4];
      name += kHex[b & 0xF];
    }
  }
  return name + ".sock";
}

fs::path DefaultRuntimeFolder() {
  if (const char* own = std::getenv("VIGIL_RUNTIME_DIR"); own != nullptr && *own != '\0') return own;
  if (const char* xdg = std::getenv("XDG_RUNTIME_DIR"); xdg != nullptr && *xdg != '\0')
    return fs::path(xdg) / "vigil";
  return fs::path("/tmp") / ("vigil-" + std::to_string(::getuid()));
}

namespace {

bool FillAddress(const fs::path& path, sockaddr_un& address) {
  std::memset(&address, 0, sizeof address);
  address.sun_family = AF_UNIX;
  const std::string text = path.string();
  if (text.size() >= sizeof address.sun_path) return false;
  std::memcpy(address.sun_path, text.c_str(), text.size() + 1);
  return true;
}

class Endpoint {
 public:
  Endpoint(int fd, fs::path path, MessageReceiver receiver)
      : fd_(fd), path_(std::move(path)), receiver_(std::move(receiver)) {
    ::pipe2(stopPipe_, O_CLOEXEC);
    thread_ = std::thread([this] { Receive(); });
  }
  ~Endpoint() {
    const char stop = 1;
    (void)!::write(stopPipe_[1], &stop, 1);
    thread_.join();
    ::close(fd_);
    ::close(stopPipe_[0]);
    ::close(stopPipe_[1]);
    ::unlink(path_.c_str());
  }
  Endpoint(const Endpoint&) = delete;
  Endpoint& operator=(const Endpoint&) = delete;

 private:
  void Receive() {
    std::vector<char> buffer(kMaxSocketMessageBytes);
    while (true) {
      pollfd fds[2] = {{fd_, POLLIN, 0}, {stopPipe_[0], POLLIN, 0}};
      if (::poll(fds, 2, -1) < 0) {
        if (errno == EINTR) continue;
        return;
      }
      if (fds[1].revents != 0) return;
      if ((fds[0].revents & POLLIN) == 0) continue;
      const ssize_t n = ::recv(fd_, buffer.data(), buffer.size(), MSG_DONTWAIT);
      if (n < 0) continue;
      receiver_(std::string(buffer.data(), static_cast<std::size_t>(n)));
    }
  }

  int fd_;
  fs::path path_;
  MessageReceiver receiver_;
  int stopPipe_[2] = {-1, -1};
  std::thread thread_;
};

class SocketBus final : public MessageBus {
 public:
  explicit SocketBus(fs::path folder) : folder_(std::move(folder)) {
    sender_ = ::socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC, 0);
  }
  ~SocketBus() override {
    {
      std::lock_guard lock(mutex_);
      endpoints_.clear();
    }
    if (sender_ >= 0) ::close(sender_);
  }

  bool Register(std::string_view title, MessageReceiver receiver) override {
    std::lock_guard lock(mutex_);
    if (endpoints_.count(std::string(title)) != 0 || Exists(title)) return false;
    const fs::path path = folder_ / SocketFileName(title);
    sockaddr_un address;
    if (!FillAddress(path, address)) return false;
    ::unlink(path.c_str());  // a stale file left by a program that was killed
    const int fd = ::socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return false;
    // The file is made with the umask's modes; it is closed to others before anyone is told
    // the title, and the folder keeps them out meanwhile.
    if (::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::chmod(path.c_str(), 0600) != 0) {
      ::close(fd);
      ::unlink(path.c_str());
      return false;
    }
    // Room for bursts of replies while the receiver is busy.
    const int size = 1 << 20;
    ::setsockopt(fd, SOL_SOCKET, SO_RCVBUF, &size, sizeof size);
    endpoints_.emplace(std::string(title), std::make_unique<Endpoint>(fd, path, std::move(receiver)));
    return true;
  }

  void Unregister(std::string_view title) override {
    std::unique_ptr<Endpoint> gone;
    {
      std::lock_guard lock(mutex_);
      auto it = endpoints_.find(std::string(title));
      if (it == endpoints_.end()) return;
      gone = std::move(it->second);
      endpoints_.erase(it);
    }
  }

  bool Exists(std::string_view title) override {
    sockaddr_un address;
    if (!FillAddress(folder_ / SocketFileName(title), address)) return false;
    const int probe = ::socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (probe < 0) return false;
    // A socket file whose owner died refuses the connection.
    const bool alive = ::connect(probe, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    ::close(probe);
    return alive;
  }

  bool SendTo(std::string_view title, std::string_view bytes) override {
    if (bytes.size() > kMaxSocketMessageBytes || sender_ < 0) return false;
    sockaddr_un address;
    if (!FillAddress(folder_ / SocketFileName(title), address)) return false;
    while (true) {
      const ssize_t n = ::sendto(sender_, bytes.data(), bytes.size(), 0,
                                 reinterpret_cast<sockaddr*>(&address), sizeof address);
      if (n >= 0) return static_cast<std::size_t>(n) == bytes.size();
      if (errno == EINTR) continue;
      if (errno == EAGAIN || errno == ENOBUFS) {
        // The receiver's queue is full: wait briefly, as a sent window message blocks.
        pollfd out = {sender_, POLLOUT, 0};
        ::poll(&out, 1, 100);
        continue;
      }
      return false;
    }
  }

 private:
  fs::path folder_;
  int sender_ = -1;
  std::mutex mutex_;
  std::map<std::string, std::unique_ptr<Endpoint>> endpoints_;
};

}  // namespace

std::unique_ptr<MessageBus> MakeSocketBus(fs::path runtimeFolder, std::string* error) {
  std::string why;
  if (!PrepareRuntimeFolder(runtimeFolder, why)) {
    if (error != nullptr) *error = why;
    return nullptr;
  }
  return std::make_unique<SocketBus>(std::move(runtimeFolder));
}

}  // namespace vigil::platform
