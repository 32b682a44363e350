#include "platform/WindowMessages.h"

#include <map>
#include <mutex>

namespace vigil::platform {

MessageReceiver DeliverToWindow(EventLoop& loop, WindowHandle window) {
  return [&loop, window](std::string bytes) { loop.PostCopyDataFromAnyThread(window, std::move(bytes)); };
}

namespace {

class InProcessBus final : public MessageBus {
 public:
  bool Register(std::string_view title, MessageReceiver receiver) override {
    std::lock_guard lock(mutex_);
    return endpoints_.emplace(std::string(title), std::make_shared<MessageReceiver>(std::move(receiver)))
        .second;
  }

  void Unregister(std::string_view title) override {
    std::lock_guard lock(mutex_);
    endpoints_.erase(std::string(title));
  }

  bool Exists(std::string_view title) override {
    std::lock_guard lock(mutex_);
    return endpoints_.count(std::string(title)) != 0;
  }

  bool SendTo(std::string_view title, std::string_view bytes) override {
    std::shared_ptr<MessageReceiver> receiver;
    {
      std::lock_guard lock(mutex_);
      auto it = endpoints_.find(std::string(title));
      if (it == endpoints_.end()) return false;
      receiver = it->second;
    }
    // Called outside the lock: a receiver may answer at once by sending to another endpoint.
    (*receiver)(std::string(bytes));
    return true;
  }

 private:
  std::mutex mutex_;
  std::map<std::string, std::shared_ptr<MessageReceiver>, std::less<>> endpoints_;
};

}  // namespace

std::unique_ptr<MessageBus> MakeInProcessBus() {
  return std::make_unique<InProcessBus>();
}

}  // namespace vigil::platform
