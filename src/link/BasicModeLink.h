// The one link to the Basic-mode application: opens and closes it, sends commands behind
// the "#S" prefix, collects the reply text and waits for the acknowledgement.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "link/Commands.h"
#include "link/LinkObserver.h"
#include "link/LinkStatus.h"
#include "link/ReplyBuffer.h"
#include "platform/EventLoop.h"
#include "platform/WindowMessages.h"

namespace vigil::link {

/// Poll period of every wait (ms).
inline constexpr std::uint32_t kPollMs = 50;

class BasicModeLink {
 public:
  BasicModeLink(platform::EventLoop& loop, platform::MessageBus& bus);
  /// Closes the link.
  virtual ~BasicModeLink();
  BasicModeLink(const BasicModeLink&) = delete;
  BasicModeLink& operator=(const BasicModeLink&) = delete;

  /// Finds the Basic-mode application and opens the link ("Tc", "T1", "T2", "Ts 0").
  /// False when it is not there (no link endpoint is created then) or a step failed (the
  /// endpoint may stay until Disconnect).
  bool Connect();

  /// "Ts 2" then "Tc"; true on a closed link (nothing is sent). False, link kept, when
  /// "Ts 2" fails or "Tc" is acknowledged with a wrong echo.
  bool Disconnect();

  bool IsOpen() const { return window_ != nullptr; }

  /// Shown every message sent and received from now on (kept by the caller, alive while set);
  /// null: none. It sees the bytes and changes nothing of what is sent or kept.
  void SetObserver(LinkObserver* observer) { observer_ = observer; }

  /// One command behind the prefix, no waiting. Nothing is sent on a closed link or when
  /// the command is longer than kMaxCommandBytes.
  void Send(std::string_view bytes);

  /// Clears the replies, sends and waits, polling every 50 ms, for the first ACK or NAK
  /// of the new reply text. The text received before it is kept in LastReply().
  LinkStatus SendAndWaitAck(std::string_view bytes, int timeoutSeconds);

  /// The reply text that had arrived when the last SendAndWaitAck ended.
  const std::string& LastReply() const { return lastReply_; }

  /// "Ts 0" (enabled) or "Ts 2"; true only for ACK with the echo "#STs ".
  bool SetToBasicState(bool enabled);

  /// Sends a command-table entry in its way with `bytes` (default: the entry's own
  /// bytes). Fire ways return Ack once sent; TimeOut when nothing could be sent.
  LinkStatus SendCommand(const Command& command);
  LinkStatus SendCommand(const Command& command, std::string_view bytes);

  /// From now on every message that leaves a complete line or a NAK in the replies posts
  /// notification `code` to `window` through the loop; window 0: none.
  void NotifyRepliesTo(platform::WindowHandle window, int code) {
    noticeWindow_ = window;
    noticeCode_ = code;
  }

  /// Messages that arrive until the loop's ElapsedMs reaches `elapsedMs` (inclusive) are shown
  /// to the observer and then dropped, as a clear of the replies at that moment would drop them.
  void DropArrivalsUntil(std::uint64_t elapsedMs) { dropUntilMs_ = elapsedMs; }

  void ClearReplies() { replies_.Clear(); }
  int TakeReplyLine(std::string& line) { return replies_.TakeReplyLine(line); }
  ReplyBuffer& Replies() { return replies_; }
  const ReplyBuffer& Replies() const { return replies_; }

  /// Set by the OK/error parser when an ACK passes; cleared before every fire command.
  bool& AcknowledgedFlag() { return acknowledged_; }
  bool Acknowledged() const { return acknowledged_; }

  /// Set after the continuous distance command, cleared after the angle command.
  bool ContinuousMeasuring() const { return continuousMeasuring_; }

 private:
  class LinkWindow;

  bool OpenLinkWindow();
  void CloseLinkWindow();
  bool EchoIs(std::string_view echo) const;
  void OnMessage(std::string_view bytes);

  platform::EventLoop& loop_;
  platform::MessageBus& bus_;
  ReplyBuffer replies_;
  LinkObserver* observer_ = nullptr;
  std::unique_ptr<LinkWindow> window_;
  platform::WindowHandle windowHandle_ = 0;
  std::string lastReply_;
  bool acknowledged_ = false;
  bool continuousMeasuring_ = false;
  platform::WindowHandle noticeWindow_ = 0;
  int noticeCode_ = 0;
  std::uint64_t dropUntilMs_ = 0;
};

}  // namespace vigil::link
