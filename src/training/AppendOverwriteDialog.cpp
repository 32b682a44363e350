#include "training/AppendOverwriteDialog.h"

#include <utility>

namespace vigil::training {

namespace {
constexpr int kRadioGroup = 1;
}

AppendOverwriteDialog::AppendOverwriteDialog(Tr tr)
    : Dialog(std::string(texts::kTitleScan.defaultText)), tr_(std::move(tr)) {
  AddLabel(kTextId, std::string(texts::kSelectAppendOverwrite.defaultText), {8, 8, 264, 64});
  AddRadio(kAppendRadioId, std::string(texts::kAppendPoints.defaultText), {8, 76, 264, 20}, kRadioGroup);
  AddRadio(kOverwriteRadioId, std::string(texts::kOverwritePoints.defaultText), {8, 100, 264, 20},
           kRadioGroup);
  AddButton(kOkButtonId, std::string(texts::kOk.defaultText), {8, 128, 100, 24});
  AddButton(kCancelButtonId, std::string(texts::kCancel.defaultText), {172, 128, 100, 24});
}

void AppendOverwriteDialog::OnInitDialog() {
  SetTitle(tr_(texts::kTitleScan));
  SetText(kTextId, tr_(texts::kSelectAppendOverwrite));
  SetText(kAppendRadioId, tr_(texts::kAppendPoints));
  SetText(kOverwriteRadioId, tr_(texts::kOverwritePoints));
  SetText(kOkButtonId, tr_(texts::kOk));
  SetText(kCancelButtonId, tr_(texts::kCancel));
  SetChecked(kAppendRadioId, true);
}

void AppendOverwriteDialog::OnCommand(int controlId) {
  if (controlId == kOkButtonId) {
    append_ = IsChecked(kAppendRadioId);
    EndDialog(platform::kIdOk);
  } else if (controlId == kCancelButtonId) {
    EndDialog(platform::kIdCancel);
  }
}

}  // namespace vigil::training
