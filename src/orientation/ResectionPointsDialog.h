// The observations of the resection in progress with their residuals against the trained
// observations: remove one (the resection is recomputed from the rest), start over, or take
// the result.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "orientation/OrientationTexts.h"
#include "orientation/ResectionState.h"
#include "platform/Dialog.h"
#include "training/TrainingFile.h"
#include "ui/AppContext.h"

namespace vigil::orientation {

class ResectionPointsDialog final : public platform::Dialog {
 public:
  static constexpr int kListId = 1400;
  static constexpr int kEastingLabelId = 1401;
  static constexpr int kNorthingLabelId = 1402;
  static constexpr int kLevelLabelId = 1403;
  static constexpr int kOrientationLabelId = 1404;
  static constexpr int kEastingId = 1411;
  static constexpr int kNorthingId = 1412;
  static constexpr int kLevelId = 1413;
  static constexpr int kOrientationId = 1414;
  static constexpr int kBackKeyId = 1021;
  static constexpr int kRemoveKeyId = 1025;
  static constexpr int kResetKeyId = 1018;
  static constexpr int kAcceptKeyId = 1019;

  /// Columns of the list.
  enum Column { kColName = 0, kColTolHa, kColTolVa, kColTolSd, kColEasting, kColNorthing, kColRl };

  /// `countChanged`: the count changed (the orientation screen's title follows). `accept`: takes
  /// the result (the orientation screen applies it to the station and its training list).
  ResectionPointsDialog(ui::AppContext& context, ResectionState& state,
                        training::TrainingFileLocation trainingFile, std::function<void()> countChanged,
                        std::function<void()> accept);

  /// The resection point shown in list row `row`.
  std::size_t PointOfRow(int row) const { return rowPoint_.at(static_cast<std::size_t>(row)); }
  /// Own title with the count.
  void RefreshTitle();

  void OnInitDialog() override;
  void OnPaint() override;
  void OnCommand(int controlId) override;

 private:
  void FillList();
  void ShowResult();
  void Remove();
  void Reset();
  void Accept();
  bool IsUsable(const ResectionPoint& p) const;
  std::string Tr(const TextKey& text) const;

  ui::AppContext& context_;
  ResectionState& state_;
  training::TrainingFileLocation trainingFile_;
  std::function<void()> countChanged_;
  std::function<void()> accept_;
  std::vector<std::size_t> rowPoint_;
};

}  // namespace vigil::orientation
