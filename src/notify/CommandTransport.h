// Notifications handed to a command of the operator's (a mail or text-message gateway): run by
// /bin/sh -c with the event as JSON on its standard input; exit status 0 is delivered. A
// command that outlives its time limit is killed and counts as failed.
#pragma once

#include <sys/types.h>

#include <string>

#include "notify/NotifySettings.h"
#include "notify/Transport.h"

namespace vigil::notify {

class CommandTransport final : public Transport {
 public:
  explicit CommandTransport(CommandSettings settings) : settings_(std::move(settings)) {}
  ~CommandTransport() override;
  CommandTransport(const CommandTransport&) = delete;
  CommandTransport& operator=(const CommandTransport&) = delete;

  std::string_view Name() const override { return kCommandTransport; }
  bool Begin(const Notification& n, std::uint64_t nowMs, std::string& error) override;
  Delivery Poll(std::uint64_t nowMs, std::string& error) override;
  int WaitDescriptor() const override { return pidFd_; }

 private:
  void WriteInput();
  void CloseInput();
  void Finish();

  CommandSettings settings_;
  pid_t pid_ = -1;
  int pidFd_ = -1;  ///< readable when the child ended
  int input_ = -1;  ///< the child's standard input, written without blocking
  std::string unwritten_;
  std::uint64_t beganMs_ = 0;
};

}  // namespace vigil::notify
