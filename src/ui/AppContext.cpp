#include "ui/AppContext.h"

#include "platform/Format.h"
#include "ui/HostNotices.h"

namespace vigil::ui {

std::string StationTitle(std::string_view ownTitle, std::string_view project, std::string_view station,
                         std::string_view fourth) {
  return platform::Format(kStationTitleFormat, {ownTitle, project, station, fourth});
}

/// The main window's timer slot as a window of the loop: the engine arms its timers here.
class AppContext::SlotWindow final : public platform::Window {
 public:
  explicit SlotWindow(AppContext& owner) : owner_(owner) {}
  void OnTimer(int timerId) override {
    if (owner_.timerHandler_) owner_.timerHandler_(timerId);
  }
  void OnNotify(int code) override {
    if (owner_.noticeHandler_) owner_.noticeHandler_(code);
  }

 private:
  AppContext& owner_;
};

AppContext::AppContext(platform::EventLoop& loop, platform::MessageBus& bus, platform::DialogHost& host,
                       store::StorageLayout layout)
    : loop_(loop),
      bus_(bus),
      host_(host),
      store_(std::move(layout)),
      link_(loop, bus),
      notices_(std::make_unique<HostNotices>(host)),
      slot_(std::make_unique<SlotWindow>(*this)),
      timerWindow_(loop.AddWindow(slot_.get())),
      engine_(
          std::make_unique<link::MeasurementEngine>(loop, timerWindow_, link_, *notices_, store_.Settings())),
      instrument_(std::make_unique<link::InstrumentSettings>(*engine_, link_, *notices_)),
      bracket_(host, [this](bool enable) { return link_.SetToBasicState(enable); }) {}

AppContext::~AppContext() {
  loop_.RemoveWindow(timerWindow_);
}

std::string AppContext::Translate(std::string_view key, std::string_view defaultText) const {
  return store::Translate(TranslationsPath(), key, defaultText);
}

void AppContext::TranslateAll(std::vector<store::TextEntry>& entries) const {
  store::TranslateAll(TranslationsPath(), entries);
}

std::string AppContext::StationTitleOf(std::string_view ownTitle, std::string_view fourth) {
  return StationTitle(ownTitle, Settings().project, Settings().station, fourth);
}

bool AppContext::SetToBasicState(bool enable) {
  return link_.SetToBasicState(enable);
}

}  // namespace vigil::ui
