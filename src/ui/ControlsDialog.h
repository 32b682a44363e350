// Direct hands on the instrument: measure a prism or a distance, change face, check the
// collimation and index errors, set the horizontal circle, switch the light.
//
// The measuring buttons return at once; the engine posts their completion routines to the
// user-interface thread. A routine that arrives after the dialog closed does nothing.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "platform/Dialog.h"
#include "ui/AppContext.h"
#include "ui/CiCheck.h"

namespace vigil::ui {

class ControlsDialog final : public platform::Dialog {
 public:
  static constexpr int kSearchMeasureId = 1110;
  static constexpr int kChangeFaceId = 1111;
  static constexpr int kDistanceId = 1112;
  static constexpr int kCiCheckId = 1113;
  static constexpr int kHorZeroId = 1114;
  static constexpr int kSetHorAngleId = 1115;
  static constexpr int kLightOnId = 1116;
  static constexpr int kLightOffId = 1117;
  static constexpr int kSoftKey1Id = 1021;
  static constexpr int kSoftKey2Id = 1025;
  static constexpr int kSoftKey3Id = 1018;
  static constexpr int kOkKeyId = 1019;

  explicit ControlsDialog(AppContext& context);
  ~ControlsDialog() override;

  /// 1 while the first-face pointing of a C&I check runs, 2 during the second.
  int CiStep() const { return ciStep_; }
  Direction Start() const { return start_; }
  Direction Face1() const { return face1_; }
  Direction Face2() const { return face2_; }

  void OnInitDialog() override;
  void OnPaint() override;
  void OnCommand(int controlId) override;

 private:
  /// A completion routine that calls `member` only while this dialog lives.
  link::CompletionRoutine Routine(void (ControlsDialog::*member)());

  void OnTargetMeasured();
  void OnDistanceMeasured();
  void OnCiStartMeasured();
  void OnCiFaceMeasured();
  void TurnForCi(Direction direction);
  void SetHorizontalZero();
  void SetHorizontalAngle();

  std::string Tr(std::string_view key, std::string_view defaultText) const;
  void Tell(const std::string& text, platform::MessageIcon icon);
  std::string DistanceLine() const;
  std::string CiResultText() const;

  AppContext& context_;
  std::shared_ptr<ControlsDialog*> alive_;
  int ciStep_ = 1;
  Direction start_;
  Direction face1_;
  Direction face2_;
};

}  // namespace vigil::ui
