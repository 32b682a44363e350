#include "monitoring/FolderBrowserDialog.h"

#include "monitoring/MonitoringTexts.h"

namespace vigil::monitoring {

FolderBrowserDialog::FolderBrowserDialog(ui::AppContext& context)
    : Dialog("Folder Browser"), context_(context), alive_(std::make_shared<FolderBrowserDialog*>(this)) {
  AddTree(kTreeId, {0, 0, 320, 170});
  AddLabel(kPathLabelId, "Path:", {0, 176, 50, 20});
  AddEdit(kPathEditId, {52, 174, 266, 22}, true);
  AddButton(kOkKeyId, "OK", {0, 216, 80, 24});
  AddButton(kSoftKey2Id, "", {80, 216, 80, 24});
  AddButton(kSoftKey3Id, "", {160, 216, 80, 24});
  AddButton(kCancelKeyId, "Cancel", {240, 216, 80, 24});
}

FolderBrowserDialog::~FolderBrowserDialog() = default;

void FolderBrowserDialog::OnInitDialog() {
  SetTitle(context_.Translate(texts::kBrowserTitle.key, texts::kBrowserTitle.defaultText));
  SetText(kPathLabelId, context_.Translate(texts::kPathLabel.key, texts::kPathLabel.defaultText));
  SetText(kOkKeyId, context_.Translate(texts::kOk.key, texts::kOk.defaultText));
  SetText(kCancelKeyId, context_.Translate(texts::kCancel.key, texts::kCancel.defaultText));
  SetText(kPathEditId, "");
  selected_.clear();
  FillTree();
  if (TreeNodeCount(kTreeId) > 0) return;
  // Told once the screen is up; it stays open with its empty tree.
  std::weak_ptr<FolderBrowserDialog*> alive = alive_;
  context_.Loop().Post([alive] {
    if (auto self = alive.lock()) {
      ui::AppContext& c = (**self).context_;
      c.Bracket().MessageBox(c.Translate(texts::kNoCard.key, texts::kNoCard.defaultText), {},
                             platform::MessageIcon::Exclamation);
    }
  });
}

void FolderBrowserDialog::OnPaint() {
  RegisterSoftKeys(kOkKeyId, kSoftKey2Id, kSoftKey3Id, kCancelKeyId);
}

void FolderBrowserDialog::FillTree() {
  TreeClear(kTreeId);
  for (const FolderNode& root : ExternalStorageFolders(context_.Layout().Paths().DeviceRoot())) {
    Insert(platform::kTreeRoot, root);
  }
  for (int node : TreeChildren(kTreeId, platform::kTreeRoot)) TreeExpand(kTreeId, node);
}

void FolderBrowserDialog::Insert(int parent, const FolderNode& folder) {
  const int node = TreeInsert(kTreeId, parent, folder.name);
  for (const FolderNode& child : folder.children) Insert(node, child);
}

std::string FolderBrowserDialog::PathOfNode(int node) const {
  std::string path;
  for (int n = node; n != platform::kTreeRoot; n = TreeParent(kTreeId, n)) {
    path = "\\" + TreeText(kTreeId, n) + path;
  }
  return path;
}

void FolderBrowserDialog::OnSelectionChanged(int controlId) {
  if (controlId != kTreeId) return;
  const int node = TreeSelected(kTreeId);
  SetText(kPathEditId, node == platform::kTreeRoot ? std::string() : PathOfNode(node));
}

void FolderBrowserDialog::OnCommand(int controlId) {
  if (controlId == kCancelKeyId) {
    EndDialog(platform::kIdCancel);
    return;
  }
  if (controlId != kOkKeyId) return;
  const std::string path = Text(kPathEditId);
  if (path.empty()) {
    context_.Bracket().MessageBox(
        context_.Translate(texts::kSelectFolder.key, texts::kSelectFolder.defaultText), {},
        platform::MessageIcon::Exclamation);
    return;
  }
  selected_ = path;
  EndDialog(platform::kIdOk);
}

}  // namespace vigil::monitoring
