// The training screen: the list of learnt prisms of the current project-station, and on three
// pages of soft keys the import and download of files and the 2D scan (P1), adding, renaming
// and deleting points (P2), and measuring a point again, verifying it and checking the
// instrument's collimation and index errors on it (P3). Every change rewrites the file.
//
// Measurements return at once; their completion routines run later on the user-interface
// thread. One measurement runs at a time, and the row it belongs to is fixed when it starts,
// so its result can be neither lost to a second one nor applied to another row.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/Dialog.h"
#include "survey/Coordinates.h"
#include "training/ScanHit.h"
#include "training/TrainingPoint.h"
#include "training/TrainingReports.h"
#include "training/TrainingStore.h"
#include "training/TrainingTexts.h"
#include "ui/AppContext.h"

namespace vigil::training {

class TrainingDialog final : public platform::Dialog {
 public:
  static constexpr int kListId = 1010;
  static constexpr int kKey1Id = 1021;
  static constexpr int kKey2Id = 1025;
  static constexpr int kKey3Id = 1018;
  static constexpr int kPageKeyId = 1019;

  /// Picks the download folder on external storage; returns its controller path
  /// ("\Storage Card\..."), nothing when cancelled.
  using FolderBrowser = std::function<std::optional<std::string>(ui::AppContext&)>;

  explicit TrainingDialog(ui::AppContext& context);
  ~TrainingDialog() override;

  /// Without a browser the training file goes to the root of the storage found.
  void SetFolderBrowser(FolderBrowser browser) { browser_ = std::move(browser); }

  /// The training list (loaded when the dialog opens; null before).
  TrainingStore* List() { return list_ ? &*list_ : nullptr; }
  const std::string& Page() const { return page_; }
  bool Batch() const { return batch_; }
  /// A measurement of this screen is under way.
  bool MeasurementPending() const { return pending_; }
  const CiReadings& CiResult() const { return ci_; }

  void OnInitDialog() override;
  void OnPaint() override;
  void OnCommand(int controlId) override;

 private:
  enum class Action { Import, Download, Scan, Add, Rename, Delete, Retrain, Verify, CiCheck, None };
  Action ActionOf(int controlId) const;
  void ShowPage(const std::string& page);
  void FillList();

  // Page P2 and P3
  void Add();
  void Rename();
  void Delete();
  void Retrain();
  void Verify();
  void CiCheck();
  void OnAddMeasured();
  void OnRetrainMeasured();
  void OnVerifyMeasured();
  void OnCiMeasured();
  void TurnForCi(double haGon, double vaGon);

  // Page P1
  void Import();
  void ImportCoordinates(const std::string& bytes);
  void ImportTraining(const std::string& bytes);
  void TellSkippedLines(int count);
  void Download();
  void Scan();
  void StartBatch(const std::vector<ScanHit>& hits, bool append);
  void MeasureNextHit();
  void NextHit();
  void EndBatch();

  // Measurements
  /// Starts a job for `row` (-1 for none): the row's texts are kept to find it again.
  void BeginJob(int row);
  link::CompletionRoutine Routine(void (TrainingDialog::*member)());
  /// The row of the running job, or -1 when it is gone or was changed meanwhile.
  int JobRow() const;
  /// Refuses an action while a measurement or a batch runs; true when refused.
  bool Busy();
  std::vector<survey::ListedPoint> Listed() const;
  /// Selected row, or -1 after showing `selectFirst`.
  int SelectedRow(const TextKey& selectFirst);

  void Save();
  std::string Tr(const TextKey& text) const;
  Translator Translate() const;
  void Tell(const std::string& text, platform::MessageIcon icon = platform::MessageIcon::None);
  bool Ask(const std::string& text, platform::MessageIcon icon);
  /// "\Storage Card", else "\Removable Disk", else empty.
  std::string StorageFolder() const;

  ui::AppContext& context_;
  std::optional<TrainingStore> list_;
  FolderBrowser browser_;
  std::string openingTitle_;
  std::string trainingTitle_;
  std::string page_ = "P1";
  std::vector<std::string> captions_;  ///< translated, in the order of the entries in OnInitDialog

  std::string currentName_;
  int currentType_ = -1;
  double currentConstantMm_ = 0.0;
  int currentRow_ = -1;

  bool pending_ = false;
  std::uint64_t jobId_ = 0;
  int jobRow_ = -1;
  TrainingPoint jobPoint_;

  int ciFace_ = 1;
  double ciStartHaGon_ = 0.0;
  double ciStartVaGon_ = 0.0;
  CiReadings ci_;

  bool batch_ = false;
  std::vector<ScanHit> hits_;
  std::size_t hitIndex_ = 0;

  std::shared_ptr<TrainingDialog*> alive_;
};

}  // namespace vigil::training
