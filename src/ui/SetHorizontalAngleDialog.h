// The small dialog in which the operator types the angle the horizontal circle is to show.
#pragma once

#include <string>

#include "platform/Dialog.h"
#include "ui/AppContext.h"

namespace vigil::ui {

class SetHorizontalAngleDialog final : public platform::Dialog {
 public:
  static constexpr int kLabelId = 1200;
  static constexpr int kAngleEditId = 1201;
  static constexpr int kOkButtonId = platform::kIdOk;
  static constexpr int kCancelButtonId = platform::kIdCancel;

  explicit SetHorizontalAngleDialog(AppContext& context);

  /// After OK: the angle, decimal gon "%.4lf".
  const std::string& AngleText() const { return angleText_; }

  void OnInitDialog() override;
  void OnCommand(int controlId) override;

 private:
  void Accept();

  AppContext& context_;
  std::string angleText_;
};

}  // namespace vigil::ui
