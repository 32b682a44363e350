// What every screen reaches through the main window: the project-station store, the link to
// the Basic-mode application, the measuring engine on the main window's timer slot, the
// instrument settings kept at Enable, the dialog host with its "To Basic" bracket, and the
// operator's texts. The main window owns one; screens are given a reference to it.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "link/BasicModeLink.h"
#include "link/InstrumentSettings.h"
#include "link/MeasurementEngine.h"
#include "link/Notices.h"
#include "platform/BasicStateBracket.h"
#include "platform/DialogHost.h"
#include "platform/EventLoop.h"
#include "platform/WindowMessages.h"
#include "store/ProjectStationStore.h"
#include "store/StorageLayout.h"
#include "store/Translations.h"

namespace vigil::ui {

/// Title of every dialog that belongs to a project-station: own title, project, station and
/// a fourth part (usually empty).
inline constexpr std::string_view kStationTitleFormat = "%s : %s - %s%s";

/// "%s : %s - %s%s" filled with the given parts.
std::string StationTitle(std::string_view ownTitle, std::string_view project, std::string_view station,
                         std::string_view fourth = {});

class AppContext {
 public:
  /// Handler of the main window's timer slot; gets the id the tick carries.
  using TimerHandler = std::function<void(int timerId)>;

  AppContext(platform::EventLoop& loop, platform::MessageBus& bus, platform::DialogHost& host,
             store::StorageLayout layout);
  ~AppContext();
  AppContext(const AppContext&) = delete;
  AppContext& operator=(const AppContext&) = delete;

  platform::EventLoop& Loop() { return loop_; }
  platform::MessageBus& Bus() { return bus_; }
  platform::DialogHost& Host() { return host_; }
  /// Message boxes and dialogs bracketed by the link's SetToBasicState.
  platform::BasicStateBracket& Bracket() { return bracket_; }
  link::Notices& Notices() { return *notices_; }

  store::ProjectStationStore& Store() { return store_; }
  store::ProjectStationSettings& Settings() { return store_.Settings(); }
  const store::StorageLayout& Layout() const { return store_.Layout(); }

  link::BasicModeLink& Link() { return link_; }
  link::MeasurementEngine& Engine() { return *engine_; }
  link::InstrumentSettings& Instrument() { return *instrument_; }

  /// The window whose timers drive the engine, the settings chain and the schedule.
  platform::WindowHandle TimerWindow() const { return timerWindow_; }
  /// Who receives the timer slot's ticks (the main window).
  void SetTimerHandler(TimerHandler handler) { timerHandler_ = std::move(handler); }
  /// Who receives the notifications posted to the timer slot's window (the main window).
  void SetNoticeHandler(TimerHandler handler) { noticeHandler_ = std::move(handler); }

  std::filesystem::path TranslationsPath() const { return store_.Layout().TranslationsFilePath(); }
  std::string Translate(std::string_view key, std::string_view defaultText) const;
  void TranslateAll(std::vector<store::TextEntry>& entries) const;

  /// StationTitle with the current project and station.
  std::string StationTitleOf(std::string_view ownTitle, std::string_view fourth = {});

  /// The link's SetToBasicState; false (nothing sent) while the link is closed.
  bool SetToBasicState(bool enable);

 private:
  class SlotWindow;

  platform::EventLoop& loop_;
  platform::MessageBus& bus_;
  platform::DialogHost& host_;
  store::ProjectStationStore store_;
  link::BasicModeLink link_;
  std::unique_ptr<link::Notices> notices_;
  std::unique_ptr<SlotWindow> slot_;
  platform::WindowHandle timerWindow_ = 0;
  TimerHandler timerHandler_;
  TimerHandler noticeHandler_;
  std::unique_ptr<link::MeasurementEngine> engine_;
  std::unique_ptr<link::InstrumentSettings> instrument_;
  platform::BasicStateBracket bracket_;
};

}  // namespace vigil::ui
