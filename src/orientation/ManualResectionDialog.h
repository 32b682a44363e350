// A resection target that is not in the training list: its name, coordinates and target
// height typed in by the operator.
#pragma once

#include <string>
#include <string_view>

#include "orientation/OrientationTexts.h"
#include "platform/Dialog.h"
#include "ui/AppContext.h"

namespace vigil::orientation {

class ManualResectionDialog final : public platform::Dialog {
 public:
  static constexpr int kInstructionId = 1300;
  static constexpr int kNameLabelId = 1301;
  static constexpr int kEastingLabelId = 1302;
  static constexpr int kNorthingLabelId = 1303;
  static constexpr int kRlLabelId = 1304;
  static constexpr int kThLabelId = 1305;
  static constexpr int kNameEditId = 1311;
  static constexpr int kEastingEditId = 1312;
  static constexpr int kNorthingEditId = 1313;
  static constexpr int kRlEditId = 1314;
  static constexpr int kThEditId = 1315;
  static constexpr int kOkId = 1;
  static constexpr int kCancelId = 2;

  inline static constexpr std::string_view kDefaultPointName = "CTRLPT";

  /// The three texts (display units) preset the coordinates; an empty one shows "0".
  ManualResectionDialog(ui::AppContext& context, std::string eastingText, std::string northingText,
                        std::string rlText);

  /// The entries once the dialog closed with OK (metres).
  const std::string& PointName() const { return pointName_; }
  double EastingMetres() const { return e_; }
  double NorthingMetres() const { return n_; }
  double RlMetres() const { return rl_; }
  double TargetHeightMetres() const { return th_; }

  void OnInitDialog() override;
  void OnPaint() override;
  void OnCommand(int controlId) override;

 private:
  void Accept();
  /// The edit's number in metres; tells the operator `missing` and returns false when it is
  /// empty or holds no number.
  bool ReadMetres(int editId, const TextKey& missing, double& metres);
  std::string Tr(const TextKey& text) const;

  ui::AppContext& context_;
  std::string presetE_;
  std::string presetN_;
  std::string presetRl_;
  std::string pointName_;
  double e_ = 0.0;
  double n_ = 0.0;
  double rl_ = 0.0;
  double th_ = 0.0;
};

}  // namespace vigil::orientation
