// The About box: the product title, the program version and OK.
#pragma once

#include "platform/Dialog.h"
#include "ui/AppContext.h"

namespace vigil::ui {

class AboutDialog final : public platform::Dialog {
 public:
  static constexpr int kProductLabelId = 1100;
  static constexpr int kVersionLabelId = 1101;
  static constexpr int kOkButtonId = platform::kIdOk;

  explicit AboutDialog(AppContext& context);

  void OnInitDialog() override;
  void OnCommand(int controlId) override;

 private:
  AppContext& context_;
};

}  // namespace vigil::ui
