#include "training/NewPointNameDialog.h"

#include "training/PointNames.h"

#include <utility>

#include "platform/Text.h"
#include "survey/Coordinates.h"
#include "training/PrismPrefix.h"

namespace vigil::training {

NewPointNameDialog::NewPointNameDialog(const store::ProjectStationSettings& settings, std::string name,
                                       int prismType, Tr tr, Tell tell)
    : Dialog(std::string(texts::kTitleNewPointName.defaultText)),
      settings_(settings),
      name_(std::move(name)),
      type_(prismType),
      tr_(std::move(tr)),
      tell_(std::move(tell)) {
  AddLabel(kPromptId, std::string(texts::kEnterNewPointName.defaultText), {8, 8, 224, 18});
  AddEdit(kNameEditId, {8, 28, 224, 22});
  AddLabel(kTypeLabelId, std::string(texts::kPrismTypeSelection.defaultText), {8, 56, 224, 18});
  AddCombo(kTypeComboId, {8, 76, 224, 120});
  AddButton(kOkButtonId, std::string(texts::kOk.defaultText), {8, 108, 100, 24});
  AddButton(kCancelButtonId, std::string(texts::kCancel.defaultText), {132, 108, 100, 24});
}

void NewPointNameDialog::OnInitDialog() {
  SetTitle(tr_(texts::kTitleNewPointName));
  SetText(kPromptId, tr_(texts::kEnterNewPointName));
  SetText(kTypeLabelId, tr_(texts::kPrismTypeSelection));
  SetText(kOkButtonId, tr_(texts::kOk));
  SetText(kCancelButtonId, tr_(texts::kCancel));
  ComboClear(kTypeComboId);
  for (int type = survey::kPrismReference; type <= survey::kPrismCustom; ++type) {
    ComboAdd(kTypeComboId, survey::PrismTypeLabel(settings_, type, /*constantsInDisplayUnit=*/true).text);
  }
  const bool known = type_ >= survey::kPrismReference && type_ <= survey::kPrismCustom;
  ComboSelect(kTypeComboId, known ? type_ : -1);
  SetText(kNameEditId, name_);
}

void NewPointNameDialog::OnCommand(int controlId) {
  if (controlId == kOkButtonId) {
    Accept();
  } else if (controlId == kCancelButtonId) {
    EndDialog(platform::kIdCancel);
  }
}

void NewPointNameDialog::OnEditChanged(int controlId) {
  if (controlId == kNameEditId) name_ = Text(kNameEditId);
}

void NewPointNameDialog::OnSelectionChanged(int controlId) {
  if (controlId != kTypeComboId) return;
  type_ = ComboSelected(kTypeComboId);
  if (type_ == survey::kPrismCustom && CustomCharacter().empty()) {
    tell_(texts::kSetCustomConstant);
    return;
  }
  name_ = WithNamePrefix(Text(kNameEditId), PrismNamePrefix(type_, CustomCharacter()));
  SetText(kNameEditId, name_);
}

void NewPointNameDialog::Accept() {
  name_ = Text(kNameEditId);
  type_ = ComboSelected(kTypeComboId);
  if (type_ < survey::kPrismReference || type_ > survey::kPrismCustom) {
    tell_(texts::kSelectPrismType);
    return;
  }
  if (type_ == survey::kPrismCustom) {
    if (CustomCharacter().empty()) {
      tell_(texts::kSetCustomConstant);
      return;
    }
    if (!platform::StartsWith(name_, CustomCharacter())) {
      tell_(texts::kUseCustomCharacter);
      return;
    }
  }
  // Point names end up in the TAB-separated training and cycle files, never in a file name.
  if (!IsStorablePointName(name_)) {
    tell_(texts::kInvalidPointName);
    return;
  }
  constantMm_ = survey::PrismConstantMm(settings_, type_);
  EndDialog(platform::kIdOk);
}

}  // namespace vigil::training
