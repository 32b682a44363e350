#include "ui/AboutDialog.h"

#include "ui/MainWindow.h"

namespace vigil::ui {

AboutDialog::AboutDialog(AppContext& context) : context_(context) {
  AddLabel(kProductLabelId, std::string(kProductTitle), {20, 30, 280, 24});
  AddLabel(kVersionLabelId, {}, {20, 60, 280, 24});
  AddButton(kOkButtonId, "OK", {120, 120, 80, 28});
}

void AboutDialog::OnInitDialog() {
  SetTitle(context_.Translate("IDS_MAIN_ABOUT", "About " + std::string(kProductTitle) + "..."));
  SetText(kVersionLabelId, "Version " + std::string(kProgramVersion));
  SetText(kOkButtonId, context_.Translate("IDS_COMMON_OK", "OK"));
}

void AboutDialog::OnCommand(int controlId) {
  if (controlId == kOkButtonId) EndDialog(platform::kIdOk);
}

}  // namespace vigil::ui
