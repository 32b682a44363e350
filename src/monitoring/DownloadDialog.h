// Copies data files to external storage: all of them, or one chosen file, into an output
// folder picked in the folder browser; then offers to free the instrument's space.
#pragma once

#include <filesystem>
#include <string>

#include "platform/Dialog.h"
#include "ui/AppContext.h"

namespace vigil::monitoring {

class DownloadDialog final : public platform::Dialog {
 public:
  static constexpr int kAllRadioId = 1160;
  static constexpr int kFileRadioId = 1161;
  static constexpr int kFileLabelId = 1162;
  static constexpr int kFileEditId = 1163;
  static constexpr int kFileBrowseId = 1164;
  static constexpr int kOutLabelId = 1165;
  static constexpr int kOutEditId = 1166;
  static constexpr int kOutBrowseId = 1167;
  static constexpr int kStartKeyId = 1021;
  static constexpr int kSoftKey2Id = 1025;
  static constexpr int kSoftKey3Id = 1018;
  static constexpr int kSoftKey4Id = 1019;

  /// 0: all files, 1: one file.
  static constexpr int kChoiceAll = 0;
  static constexpr int kChoiceFile = 1;

  DownloadDialog(ui::AppContext& context, std::filesystem::path dataFolder);

  void OnInitDialog() override;
  void OnPaint() override;
  void OnCommand(int controlId) override;

  void StartDownload();
  void BrowseDataFile();
  void BrowseFolder();

  int Choice() const { return choice_; }

 private:
  void TakeFields();
  void EnableFileControls();
  std::string Tr(std::string_view key, std::string_view defaultText) const;
  int Tell(std::string_view text, platform::MessageIcon icon,
           platform::MessageButtons buttons = platform::MessageButtons::Ok);
  void DownloadAll();
  void DownloadOne();

  ui::AppContext& context_;
  std::filesystem::path dataFolder_;
  int choice_ = kChoiceAll;
  std::string filePath_;
  std::string outFolder_;
};

}  // namespace vigil::monitoring
