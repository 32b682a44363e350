// The stored cycles of the current project-station: one row per data file with its date and
// cycle number; View returns the chosen file.
#pragma once

#include <filesystem>
#include <string>

#include "platform/Dialog.h"
#include "ui/AppContext.h"

namespace vigil::monitoring {

class CyclesDialog final : public platform::Dialog {
 public:
  static constexpr int kListId = 1140;
  static constexpr int kViewKeyId = 1021;
  static constexpr int kSoftKey2Id = 1025;
  static constexpr int kSoftKey3Id = 1018;
  static constexpr int kCloseKeyId = 1019;

  CyclesDialog(ui::AppContext& context, std::filesystem::path dataFolder);

  void OnInitDialog() override;
  void OnPaint() override;
  void OnCommand(int controlId) override;

  /// After OK: the chosen data file.
  const std::filesystem::path& ChosenPath() const { return chosen_; }

 private:
  void FillList();

  ui::AppContext& context_;
  std::filesystem::path dataFolder_;
  std::filesystem::path chosen_;
};

}  // namespace vigil::monitoring
