// The 2D scan from the training screen and the batch that measures its hits.
#include "platform/Format.h"
#include "survey/Reading.h"
#include "training/ScanDialog.h"
#include "training/TrainingDialog.h"

namespace vigil::training {

void TrainingDialog::Scan() {
  ScanDialog scan(context_, Translate());
  if (context_.Host().RunModal(scan) != platform::kIdOk || scan.Hits().empty()) return;
  StartBatch(scan.Hits(), scan.Append());
}

void TrainingDialog::StartBatch(const std::vector<ScanHit>& hits, bool append) {
  if (!append) {
    list_->LoadTrainingText({});
    FillList();
  }
  hits_ = hits;
  hitIndex_ = 0;
  batch_ = true;
  SetTitle(platform::Format("%s [%s]", {trainingTitle_, captions_.back()}));
  for (int id : {kKey1Id, kKey2Id, kKey3Id, kPageKeyId}) Enable(id, false);
  MeasureNextHit();
}

void TrainingDialog::MeasureNextHit() {
  if (hitIndex_ >= hits_.size()) {
    EndBatch();
    return;
  }
  const ScanHit& hit = hits_[hitIndex_];
  currentName_ = list_->NextPointName();
  currentType_ = survey::kPrismMonitoring;
  currentConstantMm_ = context_.Settings().const_monitoring;
  currentRow_ = -1;
  BeginJob(-1);
  context_.Engine().TurnTo(platform::ParseDoubleOr(hit.ha, 0.0), platform::ParseDoubleOr(hit.va, 100.0),
                           Routine(&TrainingDialog::OnAddMeasured), /*relativeToOrientation=*/true,
                           /*searchAfterTurn=*/true);
}

void TrainingDialog::NextHit() {
  ++hitIndex_;
  MeasureNextHit();
}

void TrainingDialog::EndBatch() {
  batch_ = false;
  hits_.clear();
  // An overwrite whose every measurement failed emptied the list: the file follows it.
  Save();
  SetTitle(openingTitle_);
  for (int id : {kKey1Id, kKey2Id, kKey3Id, kPageKeyId}) Enable(id, true);
  Tell(Tr(texts::kScanCompleted), platform::MessageIcon::Information);
}

}  // namespace vigil::training
