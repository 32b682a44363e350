#include "ui/SetHorizontalAngleDialog.h"

#include "ui/AngleEntry.h"

namespace vigil::ui {

SetHorizontalAngleDialog::SetHorizontalAngleDialog(AppContext& context)
    : Dialog("Set Horizontal Angle"), context_(context) {
  AddLabel(kLabelId, "Input Horizontal Angle", {10, 10, 220, 18});
  AddEdit(kAngleEditId, {10, 32, 220, 22});
  AddButton(kOkButtonId, "OK", {10, 64, 100, 24});
  AddButton(kCancelButtonId, "Cancel", {130, 64, 100, 24});
}

void SetHorizontalAngleDialog::OnInitDialog() {
  std::vector<store::TextEntry> texts{
      {"IDS_CTRLS_BTN_SET_HOR_ANGLE", "Set Horizontal Angle", {}},
      {"IDS_CTRLS_LBL_INPUT_HOR_ANGLE", "Input Horizontal Angle", {}},
      {"IDS_COMMON_OK", "OK", {}},
      {"IDS_COMMON_CANCEL", "Cancel", {}},
  };
  context_.TranslateAll(texts);
  SetTitle(texts[0].translated);
  SetText(kLabelId, texts[1].translated);
  SetText(kOkButtonId, texts[2].translated);
  SetText(kCancelButtonId, texts[3].translated);
  angleText_ = "0.0000";
  SetText(kAngleEditId, angleText_);
}

void SetHorizontalAngleDialog::OnCommand(int controlId) {
  if (controlId == kOkButtonId) {
    Accept();
  } else if (controlId == kCancelButtonId) {
    EndDialog(platform::kIdCancel);
  }
}

void SetHorizontalAngleDialog::Accept() {
  const AngleEntry entry = CheckHorizontalAngleEntry(Text(kAngleEditId));
  // Shown in front of this dialog, which its caller already brackets.
  platform::DialogHost& host = context_.Host();
  if (entry.error == AngleEntryError::NotDecimal) {
    host.MessageBox(
        context_.Translate("IDS_CTRLS_MSGBOX_PUT_DECIMAL_FOR_ANGLE", "Please put a decimal angle."), {},
        platform::MessageIcon::None, platform::MessageButtons::Ok);
    return;
  }
  if (entry.error == AngleEntryError::OutOfRange) {
    host.MessageBox(context_.Translate("IDS_CTRLS_MSGBOX_PUT_VALID_VALUE_FOR_ANGLE",
                                       "Please put a valid value for angle.\r\nAngle must be greater than or "
                                       "equal to 0 but less than 400."),
                    {}, platform::MessageIcon::None, platform::MessageButtons::Ok);
    return;
  }
  angleText_ = entry.normalisedGon;
  SetText(kAngleEditId, angleText_);
  EndDialog(platform::kIdOk);
}

}  // namespace vigil::ui
