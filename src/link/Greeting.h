// The main window's greeting to the Basic-mode application at start-up, and the main
// window's receiver of its answer.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "link/Notices.h"
#include "platform/EventLoop.h"
#include "platform/WindowMessages.h"

namespace vigil::link {

/// Title of the main window's endpoint (the greeting names it).
inline constexpr std::string_view kMainWindowTitle = "DLK VIGIL";
/// Sent as is: it already carries the "#S" prefix.
inline constexpr std::string_view kGreetingBytes = "#STl DLK VIGIL\r\n";
/// The answer that completes the greeting: exactly these six characters.
inline constexpr std::string_view kGreetingAnswer = "#STl \x06";
inline constexpr unsigned kGreetingTimeoutMs = 10000;

inline constexpr std::string_view kCannotFindBasicModeText = "Cannot find Basic Mode Application!";
inline constexpr std::string_view kCreateEventErrorText = "Create Event Error!!";
inline constexpr std::string_view kGreetingNoAnswerText = "Error starting communication (Tl)!";

enum class GreetingResult {
  Answered,
  NoBasicMode,  ///< the Basic-mode application was not found
  NoAnswer,     ///< no answer within 10 s
  AlreadyDone,  ///< the greeting runs once per program run
};

/// Registers the main window's endpoint for as long as it lives and sends the greeting once.
class Greeting {
 public:
  Greeting(platform::EventLoop& loop, platform::MessageBus& bus, Notices& notices);
  ~Greeting();
  Greeting(const Greeting&) = delete;
  Greeting& operator=(const Greeting&) = delete;

  /// Sends the greeting and waits up to 10 s for its answer, dispatching every message of
  /// the loop meanwhile; tells the operator when it fails. Runs only on its first call.
  GreetingResult AnnounceToBasicMode();

  /// The main window's receive buffer (at most 9 characters).
  const std::string& Received() const;

 private:
  class MainWindowReceiver;

  platform::EventLoop& loop_;
  platform::MessageBus& bus_;
  Notices& notices_;
  std::unique_ptr<MainWindowReceiver> receiver_;
  platform::WindowHandle handle_ = 0;
  bool registered_ = false;
  bool pending_ = true;
};

}  // namespace vigil::link
