#include "orientation/ManualResectionDialog.h"

#include <utility>
#include <vector>

#include "orientation/OrientationTexts.h"
#include "platform/Format.h"
#include "platform/Text.h"
#include "survey/Units.h"

namespace vigil::orientation {

namespace {

std::string OrZero(std::string text) {
  return text.empty() ? std::string("0") : std::move(text);
}

}  // namespace

ManualResectionDialog::ManualResectionDialog(ui::AppContext& context, std::string eastingText,
                                             std::string northingText, std::string rlText)
    : Dialog(std::string(texts::kTitleManual.defaultText)),
      context_(context),
      presetE_(OrZero(std::move(eastingText))),
      presetN_(OrZero(std::move(northingText))),
      presetRl_(OrZero(std::move(rlText))) {
  AddLabel(kInstructionId, std::string(texts::kEnterCoords.defaultText), {4, 4, 232, 32});
  const int labels[] = {kNameLabelId, kEastingLabelId, kNorthingLabelId, kRlLabelId, kThLabelId};
  const int edits[] = {kNameEditId, kEastingEditId, kNorthingEditId, kRlEditId, kThEditId};
  for (int i = 0; i < 5; ++i) {
    AddLabel(labels[i], "", {4, 40 + i * 20, 70, 16});
    AddEdit(edits[i], {78, 40 + i * 20, 150, 16});
  }
  AddButton(kOkId, std::string(texts::kOk.defaultText), {40, 146, 70, 20});
  AddButton(kCancelId, std::string(texts::kCancel.defaultText), {130, 146, 70, 20});
}

std::string ManualResectionDialog::Tr(const TextKey& text) const {
  return context_.Translate(text.key, text.defaultText);
}

void ManualResectionDialog::OnInitDialog() {
  std::vector<store::TextEntry> t{
      {std::string(texts::kTitleManual.key), std::string(texts::kTitleManual.defaultText), {}},
      {std::string(texts::kEnterCoords.key), std::string(texts::kEnterCoords.defaultText), {}},
      {std::string(texts::kPtName.key), std::string(texts::kPtName.defaultText), {}},
      {std::string(texts::kEasting.key), std::string(texts::kEasting.defaultText), {}},
      {std::string(texts::kNorthing.key), std::string(texts::kNorthing.defaultText), {}},
      {std::string(texts::kRl.key), std::string(texts::kRl.defaultText), {}},
      {std::string(texts::kOk.key), std::string(texts::kOk.defaultText), {}},
      {std::string(texts::kCancel.key), std::string(texts::kCancel.defaultText), {}},
  };
  context_.TranslateAll(t);
  SetTitle(t[0].translated);
  SetText(kInstructionId, t[1].translated);
  SetText(kNameLabelId, t[2].translated);
  SetText(kEastingLabelId, t[3].translated);
  SetText(kNorthingLabelId, t[4].translated);
  SetText(kRlLabelId, t[5].translated);
  SetText(kThLabelId, "TH");
  SetText(kOkId, t[6].translated);
  SetText(kCancelId, t[7].translated);

  SetText(kNameEditId, std::string(kDefaultPointName));
  SetText(kEastingEditId, presetE_);
  SetText(kNorthingEditId, presetN_);
  SetText(kRlEditId, presetRl_);
  SetText(kThEditId, "0");
}

void ManualResectionDialog::OnPaint() {
  RegisterSoftKeys(0, 0, kCancelId, kOkId);
}

void ManualResectionDialog::OnCommand(int controlId) {
  if (controlId == kOkId) Accept();
  if (controlId == kCancelId) EndDialog(platform::kIdCancel);
}

bool ManualResectionDialog::ReadMetres(int editId, const TextKey& missing, double& metres) {
  const std::string typed = Text(editId);
  double ignored = 0.0;
  // A field without a number would otherwise put the target at 0 without a word.
  if (!platform::IsPlainNumber(typed) || !platform::ScanDouble(typed, ignored) ||
      !platform::ScanDouble(survey::DistanceToMetres(context_.Settings(), typed), metres)) {
    context_.Bracket().MessageBox(Tr(missing));
    return false;
  }
  return true;
}

void ManualResectionDialog::Accept() {
  const std::string name = Text(kNameEditId);
  if (name.empty()) {
    context_.Bracket().MessageBox(Tr(texts::kEnterName));
    return;
  }
  double e = 0.0;
  double n = 0.0;
  double rl = 0.0;
  double th = 0.0;
  if (!ReadMetres(kEastingEditId, texts::kEnterEasting, e)) return;
  if (!ReadMetres(kNorthingEditId, texts::kEnterNorthing, n)) return;
  if (!ReadMetres(kRlEditId, texts::kEnterRl, rl)) return;
  if (!ReadMetres(kThEditId, texts::kEnterTh, th)) return;
  pointName_ = name;
  e_ = e;
  n_ = n;
  rl_ = rl;
  th_ = th;
  EndDialog(platform::kIdOk);
}

}  // namespace vigil::orientation
