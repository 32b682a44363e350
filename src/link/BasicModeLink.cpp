#include "link/BasicModeLink.h"

#include <algorithm>

#include "link/ControlChars.h"

namespace vigil::link {

// The hidden window the Basic-mode application addresses its replies to.
class BasicModeLink::LinkWindow final : public platform::Window {
 public:
  explicit LinkWindow(BasicModeLink& link) : link_(link) {}
  void OnCopyData(std::string_view bytes) override { link_.OnMessage(bytes); }

 private:
  BasicModeLink& link_;
};

BasicModeLink::BasicModeLink(platform::EventLoop& loop, platform::MessageBus& bus) : loop_(loop), bus_(bus) {}

BasicModeLink::~BasicModeLink() {
  Disconnect();
  // A refused disconnect keeps the endpoint; at the end of the program it goes anyway.
  CloseLinkWindow();
}

bool BasicModeLink::OpenLinkWindow() {
  if (window_) return true;
  auto window = std::make_unique<LinkWindow>(*this);
  const platform::WindowHandle handle = loop_.AddWindow(window.get());
  // The instrument's replies are never dropped; other windows' queues are bounded.
  loop_.SetInboxLimit(handle, 0);
  if (!bus_.Register(kLinkWindowTitle, platform::DeliverToWindow(loop_, handle))) {
    loop_.RemoveWindow(handle);
    return false;
  }
  window_ = std::move(window);
  windowHandle_ = handle;
  return true;
}

void BasicModeLink::CloseLinkWindow() {
  if (!window_) return;
  bus_.Unregister(kLinkWindowTitle);
  loop_.RemoveWindow(windowHandle_);
  window_.reset();
  windowHandle_ = 0;
}

void BasicModeLink::OnMessage(std::string_view bytes) {
  if (observer_ != nullptr) observer_->OnReceived(bytes);
  if (dropUntilMs_ != 0 && loop_.Time().ElapsedMs() <= dropUntilMs_) return;
  replies_.Append(bytes);
  if (noticeWindow_ == 0) return;
  // Only what a parser can take: a lone ACK or part of a line changes no outcome.
  const std::string_view text = replies_.Text();
  if (text.find('\n') != std::string_view::npos || text.find(kNak) != std::string_view::npos)
    loop_.PostNotify(noticeWindow_, noticeCode_);
}

bool BasicModeLink::EchoIs(std::string_view echo) const {
  return std::string_view(lastReply_).substr(0, echo.size()) == echo;
}

bool BasicModeLink::Connect() {
  if (!bus_.Exists(kBasicModeTitle)) return false;
  if (!OpenLinkWindow()) return false;
  // Closes a link an earlier run left open; whatever comes back does not matter.
  SendAndWaitAck(kCloseLink.bytes, kCloseLink.timeoutSeconds);
  if (SendAndWaitAck(kAnnounceLinkFirst.bytes, kAnnounceLinkFirst.timeoutSeconds) != LinkStatus::Ack ||
      !EchoIs(kAnnounceFirstEcho)) {
    return false;
  }
  if (SendAndWaitAck(kAnnounceLinkSecond.bytes, kAnnounceLinkSecond.timeoutSeconds) != LinkStatus::Ack ||
      !EchoIs(kAnnounceSecondEcho)) {
    return false;
  }
  return SetToBasicState(true);
}

bool BasicModeLink::Disconnect() {
  if (!window_) return true;
  if (!SetToBasicState(false)) return false;
  const LinkStatus status = SendAndWaitAck(kCloseLink.bytes, kCloseLink.timeoutSeconds);
  // Only an acknowledged close with a wrong echo counts against it.
  const bool result = status != LinkStatus::Ack || EchoIs(kCloseLinkEcho);
  CloseLinkWindow();
  return result;
}

void BasicModeLink::Send(std::string_view bytes) {
  if (!window_ || bytes.size() > kMaxCommandBytes) return;
  std::string message(kCommandPrefix);
  message += bytes;
  if (observer_ != nullptr) observer_->OnSent(message);
  bus_.SendTo(kBasicModeTitle, message);
}

LinkStatus BasicModeLink::SendAndWaitAck(std::string_view bytes, int timeoutSeconds) {
  lastReply_.clear();
  if (!window_) return LinkStatus::TimeOut;
  dropUntilMs_ = 0;
  ClearReplies();
  Send(bytes);
  const std::uint64_t timeoutMs = static_cast<std::uint64_t>(std::max(timeoutSeconds, 0)) * 1000u;
  std::uint32_t start = loop_.TickCount();
  int scanned = 0;
  while (true) {
    loop_.Sleep(kPollMs);
    while (loop_.DispatchPending(windowHandle_) > 0) {
    }
    const std::string_view text = replies_.Text();
    for (int i = scanned; i < replies_.Count(); ++i) {
      const char c = text[static_cast<std::size_t>(i)];
      if (c == kAck || c == kNak) {
        lastReply_ = std::string(text);
        ClearReplies();
        return c == kAck ? LinkStatus::Ack : LinkStatus::Nak;
      }
    }
    scanned = replies_.Count();
    const std::uint32_t now = loop_.TickCount();
    if (now < start) start = now;  // the tick count wrapped: the wait starts afresh
    // 64-bit sum: start + timeout must not wrap and end the wait at once.
    if (now >= static_cast<std::uint64_t>(start) + timeoutMs) {
      lastReply_ = std::string(replies_.Text());
      ClearReplies();
      return LinkStatus::TimeOut;
    }
  }
}

bool BasicModeLink::SetToBasicState(bool enabled) {
  const Command& command = enabled ? kToBasicOn : kToBasicSuspended;
  return SendAndWaitAck(command.bytes, command.timeoutSeconds) == LinkStatus::Ack && EchoIs(kToBasicEcho);
}

LinkStatus BasicModeLink::SendCommand(const Command& command) {
  return SendCommand(command, command.bytes);
}

LinkStatus BasicModeLink::SendCommand(const Command& command, std::string_view bytes) {
  if (!window_) return LinkStatus::TimeOut;
  LinkStatus status = LinkStatus::Ack;
  if (command.way == SendWay::Acknowledged) {
    const int seconds = continuousMeasuring_ && command.timeoutWhileContinuousSeconds > 0
                            ? command.timeoutWhileContinuousSeconds
                            : command.timeoutSeconds;
    status = SendAndWaitAck(bytes, seconds);
  } else {
    acknowledged_ = false;
    dropUntilMs_ = 0;
    ClearReplies();
    Send(bytes);
    // Blocks without dispatching: replies keep arriving and are taken in later.
    if (command.way == SendWay::FireAndPause) loop_.Sleep(kFirePauseMs);
  }
  if (command.continuous == ContinuousEffect::Set) continuousMeasuring_ = true;
  if (command.continuous == ContinuousEffect::Clear) continuousMeasuring_ = false;
  return status;
}

}  // namespace vigil::link
