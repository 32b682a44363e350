// Shown at a start that resumes monitoring: counts the seconds down on the platform clock and
// ends with OK at zero, or with Cancel when the operator presses it (or closes the screen).
#pragma once

#include <string>

#include "platform/Dialog.h"
#include "ui/AppContext.h"

namespace vigil::ui {

class ResumeCountdownDialog final : public platform::Dialog {
 public:
  static constexpr int kTextLabelId = 1200;
  static constexpr int kNowKeyId = 1021;
  static constexpr int kCancelKeyId = 1019;
  static constexpr int kSecondTimerId = 1;

  ResumeCountdownDialog(AppContext& context, std::string project, std::string station, int seconds);

  int SecondsLeft() const { return secondsLeft_; }

  void OnInitDialog() override;
  void OnPaint() override;
  void OnCommand(int controlId) override;
  void OnTimer(int timerId) override;

 private:
  void ShowText();

  AppContext& context_;
  std::string project_;
  std::string station_;
  int secondsLeft_;
};

}  // namespace vigil::ui
