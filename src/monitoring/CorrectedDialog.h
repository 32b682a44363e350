// The corrected displacements of the last evaluated cycle: each point's dE, dN, dH (mm) from
// its baseline, with the station computed afresh from the reference prisms of that cycle, and
// a mark where the movement is more than the noise. Beside the Differences page, which shows
// the raw difference from the trained coordinates and stays as it is.
#pragma once

#include <filesystem>

#include "platform/Dialog.h"
#include "ui/AppContext.h"

namespace vigil::monitoring {

class CorrectedDialog final : public platform::Dialog {
 public:
  static constexpr int kListId = 1150;
  static constexpr int kStateLabelId = 1151;
  static constexpr int kSoftKey1Id = 1021;
  static constexpr int kSoftKey2Id = 1025;
  static constexpr int kSoftKey3Id = 1018;
  static constexpr int kCloseKeyId = 1019;

  /// `database`: the results database of the Data folder.
  CorrectedDialog(ui::AppContext& context, std::filesystem::path database);

  void OnInitDialog() override;
  void OnPaint() override;
  void OnCommand(int controlId) override;

 private:
  void Fill();
  void OpenPlot();

  ui::AppContext& context_;
  std::filesystem::path database_;
};

}  // namespace vigil::monitoring
