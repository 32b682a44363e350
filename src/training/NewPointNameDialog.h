// The small dialog in which the operator names a point and chooses its prism type. Choosing
// a type puts that type's prefix in front of the name's number.
#pragma once

#include <functional>
#include <string>

#include "platform/Dialog.h"
#include "store/ProjectStationSettings.h"
#include "training/TrainingTexts.h"

namespace vigil::training {

class NewPointNameDialog final : public platform::Dialog {
 public:
  static constexpr int kPromptId = 1300;
  static constexpr int kNameEditId = 1301;
  static constexpr int kTypeLabelId = 1302;
  static constexpr int kTypeComboId = 1303;
  static constexpr int kOkButtonId = platform::kIdOk;
  static constexpr int kCancelButtonId = platform::kIdCancel;

  /// Shows a message in front of this dialog (already bracketed by its caller).
  using Tell = std::function<void(const TextKey&)>;
  using Tr = std::function<std::string(const TextKey&)>;

  /// `prismType` -1 selects nothing. Labels and constants come from `settings`.
  NewPointNameDialog(const store::ProjectStationSettings& settings, std::string name, int prismType, Tr tr,
                     Tell tell);

  /// After OK: the name, the type (0 to 5) and that type's constant (mm).
  const std::string& Name() const { return name_; }
  int PrismType() const { return type_; }
  double ConstantMm() const { return constantMm_; }

  void OnInitDialog() override;
  void OnCommand(int controlId) override;
  void OnSelectionChanged(int controlId) override;
  void OnEditChanged(int controlId) override;

 private:
  void Accept();
  const std::string& CustomCharacter() const { return settings_.const_custom_name; }

  store::ProjectStationSettings settings_;
  std::string name_;
  int type_;
  double constantMm_ = 0.0;
  Tr tr_;
  Tell tell_;
};

}  // namespace vigil::training
