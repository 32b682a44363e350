// One point's corrected displacement over every evaluated cycle: dE, dN, dH (mm) with their
// uncertainty bands, or one of them with its alarm limits, opened from the corrected
// displacements of the last cycle.
#pragma once

#include <filesystem>
#include <string>

#include "platform/Dialog.h"
#include "ui/AppContext.h"

namespace vigil::monitoring {

/// Which of a point's displacement components the plot shows.
enum class PlotComponents { kAll = -1, kEast = 0, kNorth = 1, kLevel = 2 };

class PointPlotDialog final : public platform::Dialog {
 public:
  static constexpr int kPlotId = 1160;
  static constexpr int kSoftKey1Id = 1021;
  static constexpr int kSoftKey2Id = 1025;
  static constexpr int kSoftKey3Id = 1018;
  static constexpr int kCloseKeyId = 1019;
  /// Half-width of the band drawn around each value, in standard deviations.
  static constexpr double kBandSigmas = 2.0;

  /// `database`: the results database of the Data folder; limits from alarms.conf of the
  /// program folder when it has any for `point`.
  PointPlotDialog(ui::AppContext& context, std::filesystem::path database, std::string point);

  void OnInitDialog() override;
  void OnPaint() override;
  void OnCommand(int controlId) override;

  PlotComponents Shown() const { return shown_; }

 private:
  void Fill();

  ui::AppContext& context_;
  std::filesystem::path database_;
  std::string point_;
  PlotComponents shown_ = PlotComponents::kAll;
};

}  // namespace vigil::monitoring
