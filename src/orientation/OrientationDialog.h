// Orienting the station before monitoring: reorientation on one trained point, resection on
// trained points or on typed-in ones, and the list of the observations taken. The training
// list is shown read-only; only an accepted resection rewrites its observations.
//
// The measurements return at once; their completion routines run later on the user-interface
// thread and do nothing once the dialog is gone.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "orientation/OrientationTexts.h"
#include "orientation/Resection.h"
#include "orientation/ResectionState.h"
#include "orientation/StationResultText.h"
#include "platform/Dialog.h"
#include "training/TrainingStore.h"
#include "ui/AppContext.h"

namespace vigil::orientation {

class OrientationDialog final : public platform::Dialog {
 public:
  static constexpr int kListId = 1200;
  static constexpr int kReorientKeyId = 1021;
  static constexpr int kResectionKeyId = 1025;
  static constexpr int kManualKeyId = 1018;
  static constexpr int kPointsKeyId = 1019;

  /// `state` is the program's resection, shared with the points list and kept after closing.
  OrientationDialog(ui::AppContext& context, ResectionState& state);
  ~OrientationDialog() override;

  /// The training list (loaded when the dialog opens; null before).
  training::TrainingStore* List() { return list_ ? &*list_ : nullptr; }
  /// The row of the observation in progress, -1 for a typed-in point.
  int RefRow() const { return refRow_; }
  /// The typed-in point of the observation in progress (its level includes the target height).
  ResectionTarget ManualTarget() const { return {refE_, refN_, refRl_}; }
  ResultTexts Results() const;
  /// The result and the question whether to take it.
  std::string StationResultText() const;
  /// Own title with the count of the resection.
  void RefreshTitle();
  /// Shows the training list's rows afresh.
  void FillList();

  void OnInitDialog() override;
  void OnPaint() override;
  void OnCommand(int controlId) override;

 private:
  link::CompletionRoutine Routine(void (OrientationDialog::*member)());
  void Reorient();
  void Resection();
  void Manual();
  void Points();
  void OnReorientMeasured();
  void OnResectionMeasured();
  /// Takes the result; tells the operator what could not be stored.
  void Apply();
  /// Asks whether the instrument points at the selected row and starts the measurement.
  void MeasureRow(void (OrientationDialog::*completion)());
  /// The selected row, or nothing after telling the operator `selectFirst`.
  std::optional<int> SelectedRow(const TextKey& selectFirst);

  std::string Tr(const TextKey& text) const;
  void Tell(const std::string& text, platform::MessageIcon icon = platform::MessageIcon::None);
  bool Ask(const std::string& text);

  ui::AppContext& context_;
  ResectionState& state_;
  std::optional<training::TrainingStore> list_;
  std::shared_ptr<OrientationDialog*> alive_;
  int refRow_ = -1;
  std::string refName_;
  double refE_ = 0.0;
  double refN_ = 0.0;
  double refRl_ = 0.0;  ///< includes the target height
};

}  // namespace vigil::orientation
