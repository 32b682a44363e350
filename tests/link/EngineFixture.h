// A connected link, the measuring engine on a main window of the virtual loop, and the
// instrument-settings chain, against the scripted peer.
#pragma once

#include <algorithm>
#include <string>
#include <vector>

#include "LinkFixture.h"
#include "RecordingNotices.h"
#include "link/ControlChars.h"
#include "link/InstrumentSettings.h"
#include "link/MeasurementEngine.h"
#include "store/ProjectStationSettings.h"

namespace vigil::link::test {

class EngineFixture : public LinkFixture {
 protected:
  struct MainWindow : platform::Window {
    MeasurementEngine* engine = nullptr;
    InstrumentSettings* settings = nullptr;
    void OnTimer(int) override {
      if (!engine->OnTimer()) settings->OnTimer();
    }
    void OnNotify(int code) override {
      if (code == kReplyInNotice) engine->OnReplyIn();
    }
  };

  explicit EngineFixture(std::uint32_t startTick = 1000) : LinkFixture(startTick) {
    ConnectOrFail();
    mainHandle_ = loop_.AddWindow(&main_);
    engine_ = std::make_unique<MeasurementEngine>(loop_, mainHandle_, Link(), notices_, station_);
    settings_ = std::make_unique<InstrumentSettings>(*engine_, Link(), notices_);
    main_.engine = engine_.get();
    main_.settings = settings_.get();
    firstCommand_ = Peer().Received().size();
  }

  ~EngineFixture() override { loop_.RemoveWindow(mainHandle_); }

  // Scripts the usual instrument: ACK at once, then `line` after `delayMs`.
  void AnswerWithLine(const std::string& command, const std::string& line, std::uint64_t delayMs = 400) {
    Peer().Answer("#S" + command, {{5, std::string(1, kAck)}, {delayMs, line}});
  }
  void AcknowledgeAll(const std::vector<std::string>& commands) {
    for (const auto& c : commands) Peer().Answer("#S" + c, {{5, std::string(1, kAck)}});
  }

  // Commands received since the fixture connected, without the prefix.
  std::vector<std::string> Sent() const {
    std::vector<std::string> sent;
    for (std::size_t i = firstCommand_; i < Peer().Received().size(); ++i)
      sent.push_back(Peer().Received()[i].substr(2));
    return sent;
  }
  std::size_t CountSent(const std::string& command) const {
    const auto sent = Sent();
    return static_cast<std::size_t>(std::count(sent.begin(), sent.end(), command));
  }
  const ScriptedPeer& Peer() const { return *peer_; }
  using LinkFixture::Peer;

  // A completion routine that counts its runs and keeps the result it saw.
  CompletionRoutine Counting() {
    return [this] {
      ++completions_;
      results_.push_back(engine_->ReadingResult());
    };
  }

  bool RunUntilCompleted(std::uint64_t timeoutMs = 120000) {
    return loop_.RunUntil([this] { return completions_ > 0; }, timeoutMs);
  }

  store::ProjectStationSettings station_;
  RecordingNotices notices_;
  MainWindow main_;
  platform::WindowHandle mainHandle_ = 0;
  std::unique_ptr<MeasurementEngine> engine_;
  std::unique_ptr<InstrumentSettings> settings_;
  std::size_t firstCommand_ = 0;
  int completions_ = 0;
  std::vector<int> results_;
};

}  // namespace vigil::link::test
