// Window messages between programs: named endpoints stand in for windows found by their
// title, and one message of bytes for a WM_COPYDATA. Two transports: in-process (tests and
// the embedded simulator) and Unix-domain datagram sockets between processes.
#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "platform/EventLoop.h"

namespace vigil::platform {

/// Receives the bytes of one message. For the socket transport it is called on the
/// transport's receiving thread; DeliverToWindow hands messages to a loop safely.
using MessageReceiver = std::function<void(std::string bytes)>;

/// A receiver that queues each message for `window` of `loop`, to be dispatched on the
/// user-interface thread in order of arrival (callable from any thread).
MessageReceiver DeliverToWindow(EventLoop& loop, WindowHandle window);

class MessageBus {
 public:
  virtual ~MessageBus() = default;

  /// Makes an endpoint findable under `title`. False when the title is taken by a live
  /// endpoint or cannot be used.
  virtual bool Register(std::string_view title, MessageReceiver receiver) = 0;

  /// Removes the endpoint; no message reaches its receiver afterwards.
  virtual void Unregister(std::string_view title) = 0;

  /// True when a live endpoint has this title (FindWindow).
  virtual bool Exists(std::string_view title) = 0;

  /// Sends one message to the endpoint titled `title` (SendMessage with WM_COPYDATA; the
  /// receiver gets it whole). False when there is no such endpoint or it cannot be sent.
  virtual bool SendTo(std::string_view title, std::string_view bytes) = 0;
};

/// Endpoints within this process: a send calls the receiver at once, as a message sent to
/// another process's window is handled while the sender waits.
std::unique_ptr<MessageBus> MakeInProcessBus();

/// The largest message the socket transport carries (bytes).
inline constexpr std::size_t kMaxSocketMessageBytes = 65536;

/// Makes `folder` (mode 0700) when it is missing and checks it: a folder of this user, not a
/// link, closed to group and others. False with `error` naming the folder otherwise.
bool PrepareRuntimeFolder(const std::filesystem::path& folder, std::string& error);

/// Endpoints between processes: each is a Unix-domain datagram socket named after its title
/// in `runtimeFolder` (see docs/WINDOW-MESSAGES.md), writable by this user only. A thread per
/// endpoint receives. Null, with `error` filled, when PrepareRuntimeFolder refuses the folder.
std::unique_ptr<MessageBus> MakeSocketBus(std::filesystem::path runtimeFolder, std::string* error = nullptr);

/// The runtime folder of the socket transport: $VIGIL_RUNTIME_DIR, else
/// $XDG_RUNTIME_DIR/vigil, else /tmp/vigil-<uid>.
std::filesystem::path DefaultRuntimeFolder();

/// The socket file name of a title: every byte outside A-Z a-z 0-9 '-' '.' written as
/// '_' and two hexadecimal digits, then ".sock".
std::string SocketFileName(std::string_view title);

}  // namespace vigil::platform
