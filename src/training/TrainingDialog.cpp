#include "training/TrainingDialog.h"

#include <utility>

#include "platform/Format.h"
#include "store/Placeholders.h"
#include "survey/Coordinates.h"
#include "training/NewPointNameDialog.h"

namespace vigil::training {

namespace {

constexpr int kTitleEntry = 0;
constexpr const char* kScanCaption = "VIGIL 2D";

// Entries of the captions, in the order of `captions_`.
enum Caption {
  kImport = 1,
  kDownload,
  kAdd,
  kRename,
  kDelete,
  kRetrain,
  kVerify,
  kCiCheck,
  kMeasuringPoints
};

}  // namespace

TrainingDialog::TrainingDialog(ui::AppContext& context)
    : Dialog(std::string(texts::kTitleTraining.defaultText)),
      context_(context),
      alive_(std::make_shared<TrainingDialog*>(this)) {
  AddReportList(kListId, {0, 0, 273, 184}, {});
  AddButton(kKey1Id, "", {0, 216, 80, 24});
  AddButton(kKey2Id, "", {80, 216, 80, 24});
  AddButton(kKey3Id, "", {160, 216, 80, 24});
  AddButton(kPageKeyId, "", {240, 216, 80, 24});
}

TrainingDialog::~TrainingDialog() = default;

std::string TrainingDialog::Tr(const TextKey& text) const {
  return context_.Translate(text.key, text.defaultText);
}

Translator TrainingDialog::Translate() const {
  return [this](const TextKey& text) { return Tr(text); };
}

void TrainingDialog::Tell(const std::string& text, platform::MessageIcon icon) {
  context_.Bracket().MessageBox(text, {}, icon, platform::MessageButtons::Ok);
}

bool TrainingDialog::Ask(const std::string& text, platform::MessageIcon icon) {
  return context_.Bracket().MessageBox(text, {}, icon, platform::MessageButtons::YesNo) == platform::kIdYes;
}

void TrainingDialog::OnInitDialog() {
  list_.emplace(context_.Settings(), TrainingFileOf(context_.Layout(), context_.Settings()));
  std::vector<platform::ListColumn> columns;
  for (const TrainingColumnSpec& c : list_->Columns()) columns.push_back({c.header, c.widthPixels});
  ListSetColumns(kListId, std::move(columns));
  list_->LoadTrainingFile();
  FillList();

  std::vector<store::TextEntry> entries;
  for (const TextKey& t : {texts::kTitleTraining, texts::kBtnImport, texts::kBtnDownload, texts::kBtnAdd,
                           texts::kBtnRename, texts::kBtnDelete, texts::kBtnRetrain, texts::kBtnVerify,
                           texts::kBtnCiCheck, texts::kTitleMeasuringPoints}) {
    entries.push_back({std::string(t.key), std::string(t.defaultText), {}});
  }
  context_.TranslateAll(entries);
  captions_.clear();
  for (const store::TextEntry& e : entries) captions_.push_back(e.translated);
  trainingTitle_ = captions_[kTitleEntry];
  openingTitle_ = context_.StationTitleOf(trainingTitle_);
  SetTitle(openingTitle_);
  ShowPage("P1");
}

void TrainingDialog::OnPaint() {
  RegisterSoftKeys(kKey1Id, kKey2Id, kKey3Id, kPageKeyId);
}

void TrainingDialog::ShowPage(const std::string& page) {
  page_ = page;
  if (page == "P1") {
    SetText(kKey1Id, captions_[kImport]);
    SetText(kKey2Id, captions_[kDownload]);
    SetText(kKey3Id, kScanCaption);
  } else if (page == "P2") {
    SetText(kKey1Id, captions_[kAdd]);
    SetText(kKey2Id, captions_[kRename]);
    SetText(kKey3Id, captions_[kDelete]);
  } else {
    SetText(kKey1Id, captions_[kRetrain]);
    SetText(kKey2Id, captions_[kVerify]);
    SetText(kKey3Id, captions_[kCiCheck]);
  }
  SetText(kPageKeyId, page);
}

TrainingDialog::Action TrainingDialog::ActionOf(int controlId) const {
  const int position = controlId == kKey1Id ? 0 : controlId == kKey2Id ? 1 : controlId == kKey3Id ? 2 : -1;
  if (position < 0) return Action::None;
  static constexpr Action kP1[] = {Action::Import, Action::Download, Action::Scan};
  static constexpr Action kP2[] = {Action::Add, Action::Rename, Action::Delete};
  static constexpr Action kP3[] = {Action::Retrain, Action::Verify, Action::CiCheck};
  if (page_ == "P1") return kP1[position];
  if (page_ == "P2") return kP2[position];
  return kP3[position];
}

void TrainingDialog::OnCommand(int controlId) {
  if (controlId == kPageKeyId) {
    ShowPage(page_ == "P1" ? "P2" : page_ == "P2" ? "P3" : "P1");
    return;
  }
  const Action action = ActionOf(controlId);
  if (action == Action::None) return;
  // Download only copies the file; everything else measures or changes the list.
  if (action != Action::Download && Busy()) return;
  switch (action) {
    case Action::Import:
      return Import();
    case Action::Download:
      return Download();
    case Action::Scan:
      return Scan();
    case Action::Add:
      return Add();
    case Action::Rename:
      return Rename();
    case Action::Delete:
      return Delete();
    case Action::Retrain:
      return Retrain();
    case Action::Verify:
      return Verify();
    case Action::CiCheck:
      return CiCheck();
    case Action::None:
      return;
  }
}

bool TrainingDialog::Busy() {
  if (!pending_ && !batch_) return false;
  context_.Host().Beep(platform::MessageIcon::Exclamation);
  return true;
}

void TrainingDialog::FillList() {
  const int selected = ListSelected(kListId);
  ListClear(kListId);
  for (const TrainingPoint& p : list_->Rows()) {
    std::vector<std::string> cells;
    for (std::size_t c = 0; c < kTrainingColumnCount; ++c) cells.push_back(ColumnText(p, c));
    ListAddRow(kListId, std::move(cells));
  }
  const int count = ListRowCount(kListId);
  ListSelect(kListId, selected < count ? selected : -1);
}

void TrainingDialog::Save() {
  if (!list_->SaveTrainingFile()) Tell(Tr(texts::kSaveFailed), platform::MessageIcon::Exclamation);
}

int TrainingDialog::SelectedRow(const TextKey& selectFirst) {
  const int row = ListSelected(kListId);
  if (row < 0 || row >= static_cast<int>(list_->Rows().size())) {
    Tell(Tr(selectFirst));
    return -1;
  }
  return row;
}

std::vector<survey::ListedPoint> TrainingDialog::Listed() const {
  std::vector<survey::ListedPoint> points;
  for (const TrainingPoint& p : list_->Rows()) points.push_back({p.name, p.ha, p.va, p.sd});
  return points;
}

std::string TrainingDialog::StorageFolder() const {
  if (!context_.Layout().CardPath().empty()) return "\\Storage Card";
  if (!context_.Layout().UsbPath().empty()) return "\\Removable Disk";
  return {};
}

// ---- jobs ----

void TrainingDialog::BeginJob(int row) {
  ++jobId_;
  pending_ = true;
  jobRow_ = row;
  jobPoint_ = row >= 0 ? list_->Rows()[static_cast<std::size_t>(row)] : TrainingPoint{};
  context_.Engine().SetPrismContext(currentName_, currentType_);
}

link::CompletionRoutine TrainingDialog::Routine(void (TrainingDialog::*member)()) {
  std::weak_ptr<TrainingDialog*> alive = alive_;
  const std::uint64_t job = jobId_;
  return [alive, member, job] {
    const auto self = alive.lock();
    if (!self) return;
    TrainingDialog& dialog = **self;
    // A completion of a job that is no longer the running one, or that comes after the
    // screen was closed, changes nothing.
    if (!dialog.pending_ || dialog.jobId_ != job || !dialog.Running()) return;
    dialog.pending_ = false;
    dialog.context_.Engine().SetPrismContext("", survey::kPrismNone);
    (dialog.*member)();
  };
}

int TrainingDialog::JobRow() const {
  const std::vector<TrainingPoint>& rows = list_->Rows();
  if (jobRow_ >= 0 && jobRow_ < static_cast<int>(rows.size()) &&
      rows[static_cast<std::size_t>(jobRow_)] == jobPoint_)
    return jobRow_;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    if (rows[i] == jobPoint_) return static_cast<int>(i);
  }
  return -1;
}

// ---- Rename, Delete ----

void TrainingDialog::Rename() {
  const int row = SelectedRow(texts::kSelectRename);
  if (row < 0) return;
  TrainingPoint point = list_->Rows()[static_cast<std::size_t>(row)];
  platform::DialogHost& host = context_.Host();
  NewPointNameDialog dialog(
      context_.Settings(), point.name, platform::ParseIntOr(point.prism_type, survey::kPrismNone),
      Translate(), [this, &host](const TextKey& text) {
        host.MessageBox(Tr(text), {}, platform::MessageIcon::None, platform::MessageButtons::Ok);
      });
  if (context_.Bracket().RunModal(dialog) != platform::kIdOk) return;
  point.name = dialog.Name();
  point.prism_type = platform::FormatInt(dialog.PrismType());
  list_->SetTrainingRow(static_cast<std::size_t>(row), point);
  Save();
  FillList();
}

void TrainingDialog::Delete() {
  const int row = SelectedRow(texts::kSelectDelete);
  if (row < 0) return;
  const std::string name = list_->Rows()[static_cast<std::size_t>(row)].name;
  if (!Ask(store::FillPlaceholders(Tr(texts::kConfirmDelete), {{"{prism_name}", name}}),
           platform::MessageIcon::Error)) {
    return;
  }
  list_->RemoveTrainingRow(static_cast<std::size_t>(row));
  Save();
  FillList();
  // The row below moved up into the selection; a second Delete must not take it unasked.
  ListSelect(kListId, -1);
}

}  // namespace vigil::training
