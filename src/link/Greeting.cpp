#include "link/Greeting.h"

#include <algorithm>

#include "link/ControlChars.h"

namespace vigil::link {
namespace {
constexpr std::size_t kReceiveChars = 9;
constexpr std::uint32_t kGreetingPollMs = 50;
}  // namespace

// The main window's handling of the greeting's answer: a nine-character buffer that
// completes the greeting when it holds exactly "#STl " and ACK.
class Greeting::MainWindowReceiver final : public platform::Window {
 public:
  void Reset() {
    received_.clear();
    answered_ = false;
  }
  void OnCopyData(std::string_view bytes) override {
    std::string_view data = bytes.substr(0, kReceiveChars);
    data = data.substr(0, data.find('\0'));
    received_ += data.substr(0, kReceiveChars - received_.size());
    if (received_ == kGreetingAnswer) answered_ = true;
  }
  bool Answered() const { return answered_; }
  const std::string& Received() const { return received_; }

 private:
  std::string received_;
  bool answered_ = false;
};

Greeting::Greeting(platform::EventLoop& loop, platform::MessageBus& bus, Notices& notices)
    : loop_(loop), bus_(bus), notices_(notices), receiver_(std::make_unique<MainWindowReceiver>()) {
  handle_ = loop_.AddWindow(receiver_.get());
  registered_ = bus_.Register(kMainWindowTitle, platform::DeliverToWindow(loop_, handle_));
}

Greeting::~Greeting() {
  if (registered_) bus_.Unregister(kMainWindowTitle);
  loop_.RemoveWindow(handle_);
}

const std::string& Greeting::Received() const {
  return receiver_->Received();
}

GreetingResult Greeting::AnnounceToBasicMode() {
  if (!pending_) return GreetingResult::AlreadyDone;
  pending_ = false;
  if (!bus_.Exists(kBasicModeTitle)) {
    notices_.ShowMessage(kCannotFindBasicModeText);
    return GreetingResult::NoBasicMode;
  }
  receiver_->Reset();
  bus_.SendTo(kBasicModeTitle, kGreetingBytes);

  std::uint32_t start = loop_.TickCount();
  while (true) {
    // Every message of the thread is handled meanwhile, not only the answer.
    loop_.DispatchPending(0);
    if (receiver_->Answered()) return GreetingResult::Answered;
    loop_.Sleep(kGreetingPollMs);
    const std::uint32_t now = loop_.TickCount();
    if (now < start) start = now;
    if (now >= static_cast<std::uint64_t>(start) + kGreetingTimeoutMs) break;
  }
  loop_.DispatchPending(0);
  if (receiver_->Answered()) return GreetingResult::Answered;
  notices_.ShowMessage(kGreetingNoAnswerText);
  return GreetingResult::NoAnswer;
}

}  // namespace vigil::link
