#include "ui/ControlsDialog.h"

#include <vector>

#include "link/Commands.h"
#include "platform/Format.h"
#include "survey/Coordinates.h"
#include "survey/Reading.h"
#include "survey/Units.h"
#include "ui/SetHorizontalAngleDialog.h"

namespace vigil::ui {

namespace {

constexpr std::string_view kCiFailedKey = "IDS_TRNG_MSGBOX_CI_CHECK_FAILED";
constexpr std::string_view kCiFailedDefault = "Failed to check C&I.";

}  // namespace

ControlsDialog::ControlsDialog(AppContext& context)
    : Dialog("Controls"), context_(context), alive_(std::make_shared<ControlsDialog*>(this)) {
  constexpr int kW = 154;
  constexpr int kH = 44;
  AddButton(kSearchMeasureId, "Search and Measure", {4, 4, kW, kH});
  AddButton(kChangeFaceId, "Change Face", {162, 4, kW, kH});
  AddButton(kDistanceId, "Distance", {4, 56, kW, kH});
  AddButton(kCiCheckId, "C&&I Check", {162, 56, kW, kH});
  AddButton(kHorZeroId, "Hor. \"0\" Set", {4, 108, kW, kH});
  AddButton(kSetHorAngleId, "Set Hor. Angle", {162, 108, kW, kH});
  AddButton(kLightOnId, "Light On", {4, 160, kW, kH});
  AddButton(kLightOffId, "Light Off", {162, 160, kW, kH});
  AddButton(kSoftKey1Id, "", {0, 216, 80, 24});
  AddButton(kSoftKey2Id, "", {80, 216, 80, 24});
  AddButton(kSoftKey3Id, "", {160, 216, 80, 24});
  AddButton(kOkKeyId, "OK", {240, 216, 80, 24});
}

ControlsDialog::~ControlsDialog() = default;

std::string ControlsDialog::Tr(std::string_view key, std::string_view defaultText) const {
  return context_.Translate(key, defaultText);
}

void ControlsDialog::OnInitDialog() {
  std::vector<store::TextEntry> texts{
      {"IDS_CTRLS_DLG_TITLE_CONTROLS", "Controls", {}},
      {"IDS_CTRLS_BTN_SEARCH_MEAS", "Search and Measure", {}},
      {"IDS_CTRLS_BTN_CHANGE_FACE", "Change Face", {}},
      {"IDS_CTRLS_BTN_DISTANCE", "Distance", {}},
      {"IDS_TRNG_BTN_CI_CHECK", "C&&I Check", {}},
      {"IDS_CTRLS_BTN_HOR_ZERO_SET", "Hor. \"0\" Set", {}},
      {"IDS_CTRLS_BTN_SET_HOR_ANGLE", "Set Hor. Angle", {}},
      {"IDS_CTRLS_BTN_LIGHT_ON", "Light On", {}},
      {"IDS_CTRLS_BTN_LIGHT_OFF", "Light Off", {}},
      {"IDS_COMMON_OK", "OK", {}},
  };
  context_.TranslateAll(texts);
  SetTitle(context_.StationTitleOf(texts[0].translated));
  const int ids[] = {kSearchMeasureId, kChangeFaceId, kDistanceId, kCiCheckId, kHorZeroId,
                     kSetHorAngleId,   kLightOnId,    kLightOffId, kOkKeyId};
  for (std::size_t i = 0; i < std::size(ids); ++i) SetText(ids[i], texts[i + 1].translated);
}

void ControlsDialog::OnPaint() {
  RegisterSoftKeys(kSoftKey1Id, kSoftKey2Id, kSoftKey3Id, kOkKeyId);
}

void ControlsDialog::OnCommand(int controlId) {
  link::MeasurementEngine& engine = context_.Engine();
  switch (controlId) {
    case kSearchMeasureId:
      engine.MeasureTarget(Routine(&ControlsDialog::OnTargetMeasured), 0.0, true, true);
      break;
    case kDistanceId:
      engine.MeasureDistance(Routine(&ControlsDialog::OnDistanceMeasured), true);
      break;
    case kChangeFaceId:
      engine.ChangeFace(true);
      break;
    case kCiCheckId:
      engine.MeasureAngles(Routine(&ControlsDialog::OnCiStartMeasured), true);
      break;
    case kHorZeroId:
      SetHorizontalZero();
      break;
    case kSetHorAngleId:
      SetHorizontalAngle();
      break;
    case kLightOnId:
      context_.Link().SendCommand(link::kLightOn);
      break;
    case kLightOffId:
      context_.Link().SendCommand(link::kLightOff);
      break;
    case kOkKeyId:
      EndDialog(platform::kIdOk);
      break;
    default:
      break;
  }
}

link::CompletionRoutine ControlsDialog::Routine(void (ControlsDialog::*member)()) {
  std::weak_ptr<ControlsDialog*> alive = alive_;
  return [alive, member] {
    if (auto self = alive.lock()) ((**self).*member)();
  };
}

void ControlsDialog::Tell(const std::string& text, platform::MessageIcon icon) {
  context_.Bracket().MessageBox(text, {}, icon, platform::MessageButtons::Ok);
}

std::string ControlsDialog::DistanceLine() const {
  const store::ProjectStationSettings& s = context_.Settings();
  const std::string display = survey::MetresTextToDisplay(s, context_.Engine().Reading().sdText);
  return platform::Format("SD = %s\r\n", {survey::FormatDistanceWithUnit(s, display)});
}

void ControlsDialog::OnTargetMeasured() {
  if (context_.Engine().ReadingResult() != 0) {
    Tell(Tr("IDS_COMMON_FAILED_READING", "Failed to take a reading."), platform::MessageIcon::Exclamation);
    return;
  }
  const store::ProjectStationSettings& s = context_.Settings();
  const survey::Reading& r = context_.Engine().Reading();
  std::string text = Tr("IDS_CTRLS_MSGBOX_TARGET_POSITION", "TARGET POSITION:") + "\r\n\r\n";
  text += platform::Format("Ha = %s\r\nVa = %s\r\n", {survey::FormatAngleWithUnit(s, r.haGon),
                                                      survey::FormatAngleWithUnit(s, r.vaGon)});
  text += DistanceLine();
  Tell(text, platform::MessageIcon::Information);
}

void ControlsDialog::OnDistanceMeasured() {
  if (context_.Engine().ReadingResult() != 0) {
    Tell(Tr("IDS_CTRLS_MSGBOX_FAILED_DISTANCE", "Failed to measure distance."),
         platform::MessageIcon::Exclamation);
    return;
  }
  Tell(Tr("IDS_CTRLS_MSGBOX_TARGET_POSITION", "TARGET POSITION:") + "\r\n\r\n" + DistanceLine(),
       platform::MessageIcon::Information);
}

void ControlsDialog::OnCiStartMeasured() {
  link::MeasurementEngine& engine = context_.Engine();
  if (engine.ReadingResult() != 0) {
    Tell(Tr(kCiFailedKey, kCiFailedDefault), platform::MessageIcon::Exclamation);
    return;
  }
  start_ = {engine.Reading().haGon, engine.Reading().vaGon};
  // The angles-only reading is reduced by the orientation only after an operation relative
  // to it, while a turn always adds it: bring a raw start into the turn's frame.
  if (!engine.RelativeToOrientation()) {
    start_.haGon = survey::NormaliseAngle(start_.haGon - context_.Settings().orientation);
  }
  ciStep_ = 1;
  TurnForCi(start_);
}

void ControlsDialog::TurnForCi(Direction direction) {
  context_.Engine().TurnTo(direction.haGon, direction.vaGon, Routine(&ControlsDialog::OnCiFaceMeasured), true,
                           true);
}

void ControlsDialog::OnCiFaceMeasured() {
  link::MeasurementEngine& engine = context_.Engine();
  engine.SetPrismContext("", survey::kPrismNone);
  if (engine.ReadingResult() != 0) {
    Tell(Tr(kCiFailedKey, kCiFailedDefault), platform::MessageIcon::Exclamation);
    return;
  }
  const Direction measured{engine.Reading().haGon, engine.Reading().vaGon};
  if (ciStep_ == 1) {
    face1_ = measured;
    ciStep_ = 2;
    TurnForCi(OtherFace(start_));
    return;
  }
  face2_ = measured;
  Tell(CiResultText(), platform::MessageIcon::Information);
}

std::string ControlsDialog::CiResultText() const {
  const store::ProjectStationSettings& s = context_.Settings();
  const std::string suffix = survey::AngleUnitOf(s) == survey::AngleUnit::DegMinSec ? "" : " gon";
  auto angle = [&](double gon) { return survey::FormatAngle(s, gon, survey::AngleFormat::Current, false); };
  auto dms = [&](double gon) { return survey::FormatAngle(s, gon, survey::AngleFormat::Degrees, false); };
  const CiErrors errors = ComputeCiErrors(face1_, face2_);
  std::string text = "F1 Reading:\n";
  text += platform::Format("Ha: %s%s \n", {angle(face1_.haGon), suffix});
  text += platform::Format("Va: %s%s \n", {angle(face1_.vaGon), suffix});
  text += "\nF2 Reading:\n";
  text += platform::Format("Ha: %s%s \n", {angle(face2_.haGon), suffix});
  text += platform::Format("Va: %s%s \n", {angle(face2_.vaGon), suffix});
  text += "\nC&I:\n";
  text += platform::Format("C: %s \n", {dms(errors.cGon)});
  text += platform::Format("I: %s \n", {dms(errors.iGon)});
  return text;
}

void ControlsDialog::SetHorizontalZero() {
  if (context_.Bracket().MessageBox(Tr("IDS_CTRLS_MSGBOX_SET_HOR_ANGLE", "Set Horizontal Angle to Zero (0)?"),
                                    {}, platform::MessageIcon::Question,
                                    platform::MessageButtons::YesNo) != platform::kIdYes) {
    return;
  }
  if (context_.Link().SendCommand(link::kZeroHorizontalAngle) == link::LinkStatus::Ack) {
    Tell(Tr("IDS_CTRLS_MSGBOX_SET_HOR_ANGLE_ZERO_SUCCESS", "Successfully set Hor. Angle to 0."),
         platform::MessageIcon::Information);
  } else {
    Tell(Tr("IDS_CTRLS_MSGBOX_SET_HOR_ANGLE_ZERO_FAILED", "Failed to set Hor. Angle to 0."),
         platform::MessageIcon::Exclamation);
  }
}

void ControlsDialog::SetHorizontalAngle() {
  SetHorizontalAngleDialog entry(context_);
  if (context_.Bracket().RunModal(entry) != platform::kIdOk) return;
  const auto command = link::BuildSetHorizontalAngleCommand(entry.AngleText());
  const bool acknowledged =
      command && context_.Link().SendCommand(link::kSetHorizontalAngle, *command) == link::LinkStatus::Ack;
  if (acknowledged) {
    Tell(Tr("IDS_CTRLS_MSGBOX_SET_HOR_ANGLE_SUCCESS", "Successfully set Hor. Angle."),
         platform::MessageIcon::Information);
  } else {
    Tell(Tr("IDS_CTRLS_MSGBOX_SET_HOR_ANGLE_FAILED", "Failed to set Hor. Angle."),
         platform::MessageIcon::Exclamation);
  }
}

}  // namespace vigil::ui
