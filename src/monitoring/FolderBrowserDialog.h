// Picks an output folder on the external storage: a tree of the folders below "Storage
// Card" and "Removable Disk", and the chosen folder's controller path.
#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include "monitoring/StorageFolders.h"
#include "platform/Dialog.h"
#include "ui/AppContext.h"

namespace vigil::monitoring {

class FolderBrowserDialog final : public platform::Dialog {
 public:
  static constexpr int kTreeId = 1150;
  static constexpr int kPathLabelId = 1151;
  static constexpr int kPathEditId = 1152;
  static constexpr int kOkKeyId = 1021;
  static constexpr int kSoftKey2Id = 1025;
  static constexpr int kSoftKey3Id = 1018;
  static constexpr int kCancelKeyId = 1019;

  explicit FolderBrowserDialog(ui::AppContext& context);
  ~FolderBrowserDialog() override;

  void OnInitDialog() override;
  void OnPaint() override;
  void OnCommand(int controlId) override;
  void OnSelectionChanged(int controlId) override;

  /// After OK: the chosen folder as a controller path ("\Storage Card\Monitoring").
  const std::string& SelectedPath() const { return selected_; }
  /// The node's controller path, each level preceded by "\".
  std::string PathOfNode(int node) const;

 private:
  void FillTree();
  void Insert(int parent, const FolderNode& folder);

  ui::AppContext& context_;
  std::shared_ptr<FolderBrowserDialog*> alive_;
  std::string selected_;
};

}  // namespace vigil::monitoring
