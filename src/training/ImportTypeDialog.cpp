#include "training/ImportTypeDialog.h"

#include <utility>

namespace vigil::training {

namespace {
constexpr int kRadioGroup = 1;
}

ImportTypeDialog::ImportTypeDialog(Tr tr)
    : Dialog(std::string(texts::kTitleImport.defaultText)), tr_(std::move(tr)) {
  AddLabel(kLabelId, std::string(texts::kChooseFileType.defaultText), {8, 8, 264, 18});
  AddRadio(kCoordinateRadioId, std::string(texts::kCoordinateFile.defaultText), {8, 32, 264, 20},
           kRadioGroup);
  AddRadio(kTrainingRadioId, std::string(texts::kTrainingFile.defaultText), {8, 56, 264, 20}, kRadioGroup);
  AddButton(kOkButtonId, std::string(texts::kOk.defaultText), {8, 88, 100, 24});
  AddButton(kCancelButtonId, std::string(texts::kCancel.defaultText), {172, 88, 100, 24});
}

void ImportTypeDialog::OnInitDialog() {
  SetTitle(tr_(texts::kTitleImport));
  SetText(kLabelId, tr_(texts::kChooseFileType));
  SetText(kCoordinateRadioId, tr_(texts::kCoordinateFile));
  SetText(kTrainingRadioId, tr_(texts::kTrainingFile));
  SetText(kOkButtonId, tr_(texts::kOk));
  SetText(kCancelButtonId, tr_(texts::kCancel));
  SetChecked(kCoordinateRadioId, true);
}

void ImportTypeDialog::OnCommand(int controlId) {
  if (controlId == kOkButtonId) {
    coordinates_ = IsChecked(kCoordinateRadioId);
    EndDialog(platform::kIdOk);
  } else if (controlId == kCancelButtonId) {
    EndDialog(platform::kIdCancel);
  }
}

}  // namespace vigil::training
