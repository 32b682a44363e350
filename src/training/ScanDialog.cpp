#include "training/ScanDialog.h"

#include <utility>

#include "platform/Format.h"
#include "store/Placeholders.h"
#include "survey/Coordinates.h"
#include "survey/Units.h"
#include "training/AppendOverwriteDialog.h"
#include "training/QuietTime.h"

namespace vigil::training {

ScanDialog::ScanDialog(ui::AppContext& context, Tr tr)
    : Dialog(std::string(texts::kTitleScan.defaultText)),
      context_(context),
      tr_(std::move(tr)),
      alive_(std::make_shared<ScanDialog*>(this)) {
  AddLabel(kStartLabelId, std::string(texts::kStartPoint.defaultText), {8, 8, 300, 18});
  AddLabel(kStartHaLabelId, std::string(texts::kScanHa.defaultText), {8, 30, 30, 18});
  AddEdit(kStartHaEditId, {40, 28, 110, 22}, /*readOnly=*/true);
  AddLabel(kStartVaLabelId, std::string(texts::kScanVa.defaultText), {156, 30, 30, 18});
  AddEdit(kStartVaEditId, {188, 28, 110, 22}, /*readOnly=*/true);
  AddButton(kSetStartId, std::string(texts::kScanSet.defaultText), {240, 54, 60, 24});
  AddLabel(kEndLabelId, std::string(texts::kEndPoint.defaultText), {8, 96, 300, 18});
  AddLabel(kEndHaLabelId, std::string(texts::kScanHa.defaultText), {8, 118, 30, 18});
  AddEdit(kEndHaEditId, {40, 116, 110, 22}, /*readOnly=*/true);
  AddLabel(kEndVaLabelId, std::string(texts::kScanVa.defaultText), {156, 118, 30, 18});
  AddEdit(kEndVaEditId, {188, 116, 110, 22}, /*readOnly=*/true);
  AddButton(kSetEndId, std::string(texts::kScanSet.defaultText), {240, 142, 60, 24});
  AddButton(kStartKeyId, std::string(texts::kBtnStart.defaultText), {0, 216, 80, 24});
  AddButton(kSoftKey2Id, "", {80, 216, 80, 24});
  AddButton(kSoftKey3Id, "", {160, 216, 80, 24});
  AddButton(kSoftKey4Id, "", {240, 216, 80, 24});
}

ScanDialog::~ScanDialog() {
  // A scan left running would keep the engine polling replies nobody collects.
  if (state_ == kScanning) EndScan();
}

void ScanDialog::OnInitDialog() {
  title_ = tr_(texts::kTitleScan);
  SetTitle(title_);
  SetText(kStartLabelId, tr_(texts::kStartPoint));
  SetText(kEndLabelId, tr_(texts::kEndPoint));
  for (int id : {kStartHaLabelId, kEndHaLabelId}) SetText(id, tr_(texts::kScanHa));
  for (int id : {kStartVaLabelId, kEndVaLabelId}) SetText(id, tr_(texts::kScanVa));
  for (int id : {kSetStartId, kSetEndId}) SetText(id, tr_(texts::kScanSet));
  SetText(kStartKeyId, tr_(texts::kBtnStart));
}

void ScanDialog::OnPaint() {
  RegisterSoftKeys(kStartKeyId, kSoftKey2Id, kSoftKey3Id, kSoftKey4Id);
}

void ScanDialog::OnCommand(int controlId) {
  switch (controlId) {
    case kSetStartId:
      SetCorner(kSettingStart);
      break;
    case kSetEndId:
      SetCorner(kSettingEnd);
      break;
    case kStartKeyId:
      Start();
      break;
    default:
      break;
  }
}

bool ScanDialog::OnClose() {
  if (state_ == kScanning) EndScan();
  return true;
}

void ScanDialog::Tell(const TextKey& text, platform::MessageIcon icon) {
  context_.Bracket().MessageBox(tr_(text), {}, icon, platform::MessageButtons::Ok);
}

void ScanDialog::EnableKeys(bool enabled) {
  for (int id : {kStartKeyId, kSetStartId, kSetEndId}) Enable(id, enabled);
}

void ScanDialog::SetCorner(State corner) {
  // One reading at a time: a second one would take over the first one's completion.
  if (reading_ || state_ == kScanning) {
    context_.Host().Beep(platform::MessageIcon::Exclamation);
    return;
  }
  state_ = corner;
  reading_ = true;
  std::weak_ptr<ScanDialog*> alive = alive_;
  context_.Engine().MeasureAngles(
      [alive] {
        if (auto self = alive.lock()) (**self).OnScanReading();
      },
      /*anglesOnly=*/true);
}

void ScanDialog::OnScanReading() {
  if (state_ == kScanning) {
    OnScanReply();
  } else if (state_ == kSettingStart || state_ == kSettingEnd) {
    OnCornerRead();
  }
}

void ScanDialog::OnCornerRead() {
  reading_ = false;
  const link::MeasurementEngine& engine = context_.Engine();
  std::string ha, va;
  if (engine.ReadingResult() == 0) {
    const store::ProjectStationSettings& s = context_.Settings();
    ha = survey::FormatAngle(s, engine.Reading().haGon, survey::AngleFormat::Current, false);
    va = survey::FormatAngle(s, engine.Reading().vaGon, survey::AngleFormat::Current, false);
  }
  const bool start = state_ == kSettingStart;
  (start ? startHa_ : endHa_) = ha;
  (start ? startVa_ : endVa_) = va;
  SetText(start ? kStartHaEditId : kEndHaEditId, ha);
  SetText(start ? kStartVaEditId : kEndVaEditId, va);
}

void ScanDialog::Start() {
  if (reading_ || state_ == kScanning) return;
  if (startHa_.empty() || startVa_.empty()) {
    Tell(texts::kSetStartPoint, platform::MessageIcon::Exclamation);
    return;
  }
  if (endHa_.empty() || endVa_.empty()) {
    Tell(texts::kSetEndPoint, platform::MessageIcon::Exclamation);
    return;
  }
  EnableKeys(false);
  link::MeasurementEngine& engine = context_.Engine();
  engine.MutableReading().sdMetres = 0.0;
  hits_.clear();
  state_ = kScanning;
  lastHitTick_ = context_.Loop().TickCount();
  if (!quietTimerRunning_) quietTimerRunning_ = SetTimer(kQuietTimerId, kQuietCheckMs);
  const store::ProjectStationSettings& s = context_.Settings();
  std::weak_ptr<ScanDialog*> alive = alive_;
  engine.ScanMeasure(survey::ParseAngle(s, startHa_), survey::ParseAngle(s, startVa_),
                     survey::ParseAngle(s, endHa_), survey::ParseAngle(s, endVa_), [alive] {
                       if (auto self = alive.lock()) (**self).OnScanReading();
                     });
}

void ScanDialog::OnScanReply() {
  const link::MeasurementEngine& engine = context_.Engine();
  if (engine.ReadingResult() != 0) return;
  if (engine.ScanValue2() > 0) {
    // The batch turns to each hit relative to the orientation, so a hit read as a raw
    // circle reading is brought into that frame here.
    double ha = engine.Reading().haGon;
    if (!engine.RelativeToOrientation()) ha = survey::NormaliseAngle(ha - context_.Settings().orientation);
    hits_.push_back({platform::FormatFixed(ha, 5), platform::FormatFixed(engine.Reading().vaGon, 5), "",
                     engine.ScanValue1(), engine.ScanValue2()});
    if (hits_.size() == 1) SetTitle(platform::Format("%s [%s]", {title_, tr_(texts::kCollectingData)}));
    lastHitTick_ = context_.Loop().TickCount();
    if (!quietTimerRunning_) quietTimerRunning_ = SetTimer(kQuietTimerId, kQuietCheckMs);
    return;
  }
  // The quiet timer ends a scan that found prisms; a closing line then is no news.
  if (!hits_.empty()) return;
  EndScan();
  EnableKeys(true);
  SetTitle(title_);
  Tell(texts::kScanNone, platform::MessageIcon::Information);
}

void ScanDialog::OnTimer(int timerId) {
  if (timerId == kQuietTimerId) OnQuietTick();
}

void ScanDialog::OnQuietTick() {
  if (hits_.empty()) {
    if (!QuietTimeOver(context_.Loop().TickCount(), lastHitTick_, kNoReplyMs)) return;
    EndScan();
    EnableKeys(true);
    SetTitle(title_);
    Tell(texts::kScanNoReply, platform::MessageIcon::Exclamation);
    return;
  }
  if (!QuietTimeOver(context_.Loop().TickCount(), lastHitTick_, kQuietMs)) return;
  EndScan();
  EnableKeys(true);
  SetTitle(title_);
  const std::string count = platform::FormatInt(static_cast<long long>(hits_.size()));
  const std::string question = store::FillPlaceholders(tr_(texts::kScanFound), {{"{prism_count}", count}});
  if (context_.Bracket().MessageBox(question, {}, platform::MessageIcon::Question,
                                    platform::MessageButtons::YesNo) != platform::kIdYes) {
    return;
  }
  AppendOverwriteDialog choice(tr_);
  if (context_.Bracket().RunModal(choice) != platform::kIdOk) return;
  append_ = choice.Append();
  EndDialog(platform::kIdOk);
}

void ScanDialog::EndScan() {
  if (quietTimerRunning_) KillTimer(kQuietTimerId);
  quietTimerRunning_ = false;
  state_ = kIdle;
  link::MeasurementEngine& engine = context_.Engine();
  if (engine.ActiveTimer() == link::kScanTimer) engine.KillActiveTimer();
}

}  // namespace vigil::training
