#include "ui/StationSettingsSheet.h"

#include <vector>

#include "platform/Format.h"
#include "platform/Text.h"
#include "store/Placeholders.h"
#include "store/SettingsEntries.h"
#include "store/Translations.h"
#include "survey/Units.h"

namespace vigil::ui {

namespace {

constexpr platform::PixelRect kTabRect{0, 0, 320, 200};
constexpr platform::PixelRect kSoftKeyRects[] = {
    {0, 212, 78, 28}, {80, 212, 78, 28}, {160, 212, 78, 28}, {240, 212, 80, 28}};

// A text that is read as a number only up to its first odd character: "20,5" would be kept
// as 20 and "2x" as 2 without a word. A text without any number is saved as typed and keeps
// the stored value when read back.
bool IsHalfNumber(std::string_view typed, bool decimals) {
  // A line break has a message of its own when the entries are saved.
  if (typed.find_first_of("\r\n") != std::string_view::npos) return false;
  double value = 0.0;
  return platform::ScanDouble(typed, value) && !platform::IsPlainNumber(typed, decimals);
}

// Air temperatures the instrument can meet, rounded out from the lowest and highest ever
// recorded (°C). Near -237.3 and -273.16 the atmospheric correction divides by zero.
constexpr double kLowestTemperatureC = -90.0;
constexpr double kHighestTemperatureC = 60.0;

struct NumberField {
  const platform::Dialog& page;
  int editId;
  int labelId;
  bool decimals;
};

}  // namespace

StationSettingsSheet::StationSettingsSheet(store::ProjectStationStore& store,
                                           platform::BasicStateBracket& bracket, bool isNew)
    : store_(store),
      bracket_(bracket),
      isNew_(isNew),
      station_(TranslationsFile()),
      units_(TranslationsFile()),
      coordinates_(TranslationsFile()),
      prismConstants_(TranslationsFile()),
      reading_(TranslationsFile()),
      cycles_(TranslationsFile()) {
  std::vector<store::TextEntry> texts{
      {"IDS_STN_TAB_STATION", "Station", {}},
      {"IDS_STN_TAB_UNITS", "Units", {}},
      {"IDS_STN_TAB_COORDS", "Coordinates", {}},
      {"IDS_STN_TAB_PRISM_CONST", "Prism Constants", {}},
      {"IDS_STN_TAB_CONFIG_READING", "Configure Reading", {}},
      {"IDS_STN_TAB_CYCLES", "Cycles", {}},
      {"IDS_STN_DLG_TITLE_SETTINGS", "Station Settings", {}},
      {"IDS_STN_BTN_LOAD", "Load", {}},
      {"IDS_COMMON_OK", "OK", {}},
  };
  store::TranslateAll(TranslationsFile(), texts);
  std::vector<std::string> tabs;
  for (int i = 0; i < 6; ++i) tabs.push_back(texts[i].translated);
  translatedTitle_ = texts[6].translated;
  SetTitle(translatedTitle_);

  AddTab(kTabId, kTabRect, std::move(tabs));
  for (platform::Dialog* page : std::initializer_list<platform::Dialog*>{
           &station_, &units_, &coordinates_, &prismConstants_, &reading_, &cycles_}) {
    AddPage(kTabId, *page);
  }
  AddButton(kLoadKeyId, texts[7].translated, kSoftKeyRects[0]);
  AddButton(kSoftKey2Id, {}, kSoftKeyRects[1]);
  AddButton(kSoftKey3Id, {}, kSoftKeyRects[2]);
  AddButton(kOkKeyId, texts[8].translated, kSoftKeyRects[3]);
  Show(kSoftKey2Id, false);
  Show(kSoftKey3Id, false);

  units_.onDistanceUnitChanged = [this] { DistanceUnitChanged(); };
  units_.onAngleUnitChanged = [this] { AngleUnitChanged(); };
}

std::filesystem::path StationSettingsSheet::TranslationsFile() const {
  return store_.Layout().TranslationsFilePath();
}

void StationSettingsSheet::OnInitDialog() {
  const store::ProjectStationSettings& settings = store_.Settings();
  TabSelect(kTabId, kStation);
  station_.Fill(settings);
  units_.Fill(settings);
  coordinates_.Fill(DisplayUnits());
  prismConstants_.Fill(DisplayUnits());
  reading_.Fill(settings);
  cycles_.Fill(settings);
  SetTitle(platform::Format("%s : %s - %s%s", {translatedTitle_, settings.project, settings.station, ""}));
}

void StationSettingsSheet::OnPaint() {
  RegisterSoftKeys(kLoadKeyId, kSoftKey2Id, kSoftKey3Id, kOkKeyId);
}

void StationSettingsSheet::OnCommand(int controlId) {
  if (controlId == kLoadKeyId) {
    EndDialog(kResultLoad);
  } else if (controlId == kOkKeyId) {
    Save();
  }
}

store::ProjectStationSettings StationSettingsSheet::DisplayUnits() const {
  store::ProjectStationSettings units = store_.Settings();
  units.angle_units = units_.AngleChoice();
  units.distance_unit = units_.DistanceChoice();
  // The standard is not handed over until the save, but what is shown and typed is meant in
  // the standard chosen on the page.
  units.dist_standard = units_.StandardChoice();
  return units;
}

void StationSettingsSheet::DistanceUnitChanged() {
  const store::ProjectStationSettings oldUnits = [this] {
    store::ProjectStationSettings units = DisplayUnits();
    units.distance_unit = store_.Settings().distance_unit;
    return units;
  }();
  const store::ProjectStationSettings newUnits = DisplayUnits();
  if (survey::DistanceUnitOf(oldUnits) != survey::DistanceUnitOf(newUnits)) {
    prismConstants_.Reconvert(oldUnits, newUnits);
  }
  store_.Settings().distance_unit = newUnits.distance_unit;
  const std::string label = survey::DistanceUnitLabel(newUnits);
  coordinates_.Relabel(label);
  prismConstants_.Relabel(label);
}

void StationSettingsSheet::AngleUnitChanged() {
  store::ProjectStationSettings oldUnits = DisplayUnits();
  oldUnits.angle_units = store_.Settings().angle_units;
  const store::ProjectStationSettings newUnits = DisplayUnits();
  store_.Settings().angle_units = newUnits.angle_units;
  if (survey::AngleUnitOf(oldUnits) != survey::AngleUnitOf(newUnits)) {
    coordinates_.ReshowOrientation(oldUnits, newUnits);
  }
}

bool StationSettingsSheet::NumbersReadWhole() {
  const NumberField fields[] = {
      {units_, UnitsPage::kTemperatureEditId, UnitsPage::kTemperatureLabelId, true},
      {units_, UnitsPage::kPressureEditId, UnitsPage::kPressureLabelId, true},
      {coordinates_, CoordinatesPage::kEastingEditId, CoordinatesPage::kEastingLabelId, true},
      {coordinates_, CoordinatesPage::kNorthingEditId, CoordinatesPage::kNorthingLabelId, true},
      {coordinates_, CoordinatesPage::kLevelEditId, CoordinatesPage::kLevelLabelId, true},
      {coordinates_, CoordinatesPage::kOrientationEditId, CoordinatesPage::kOrientationLabelId, true},
      {coordinates_, CoordinatesPage::kHeightEditId, CoordinatesPage::kHeightLabelId, true},
      {prismConstants_, PrismConstantsPage::kMonitoringEditId, PrismConstantsPage::kMonitoringLabelId, true},
      {prismConstants_, PrismConstantsPage::kConnectionEditId, PrismConstantsPage::kConnectionLabelId, true},
      {prismConstants_, PrismConstantsPage::kReferenceEditId, PrismConstantsPage::kReferenceLabelId, true},
      {prismConstants_, PrismConstantsPage::kCustomConstantEditId, PrismConstantsPage::kCustomLabelId, true},
      {reading_, ReadingPage::kRepeatsEditId, ReadingPage::kRepeatsLabelId, false},
      {reading_, ReadingPage::kRetriesEditId, ReadingPage::kRetriesLabelId, false},
      {reading_, ReadingPage::kRoundsEditId, ReadingPage::kRoundsLabelId, false},
  };
  // Degrees, minutes and seconds have their own notation, read by ParseAngle.
  const bool gon = survey::AngleUnitOf(DisplayUnits()) == survey::AngleUnit::Gon;
  for (const NumberField& f : fields) {
    const std::string typed = f.page.Text(f.editId);
    if (!gon && f.editId == CoordinatesPage::kOrientationEditId && &f.page == &coordinates_) continue;
    if (!IsHalfNumber(typed, f.decimals)) continue;
    const std::string message = store::FillPlaceholders(
        store::Translate(
            TranslationsFile(), "IDS_STN_MSGBOX_NOT_A_NUMBER",
            "{field}: \"{text}\" is not a number.\r\nPlease type digits only, with a point as the "
            "decimal separator."),
        {{"{field}", f.page.Text(f.labelId)}, {"{text}", typed}});
    bracket_.MessageBox(message, translatedTitle_, platform::MessageIcon::Exclamation,
                        platform::MessageButtons::Ok);
    return false;
  }
  return true;
}

bool StationSettingsSheet::TemperatureInRange() {
  const std::string typed = units_.Text(UnitsPage::kTemperatureEditId);
  double temperatureC = 0.0;
  if (!platform::ScanDouble(typed, temperatureC) ||
      (temperatureC >= kLowestTemperatureC && temperatureC <= kHighestTemperatureC)) {
    return true;
  }
  const std::string message = store::FillPlaceholders(
      store::Translate(TranslationsFile(), "IDS_STN_MSGBOX_OUT_OF_RANGE",
                       "{field}: \"{text}\" is outside {lowest} to {highest}.\r\nPlease type a value in "
                       "that range."),
      {{"{field}", units_.Text(UnitsPage::kTemperatureLabelId)},
       {"{text}", typed},
       {"{lowest}", platform::FormatFixed(kLowestTemperatureC, 1)},
       {"{highest}", platform::FormatFixed(kHighestTemperatureC, 1)}});
  bracket_.MessageBox(message, translatedTitle_, platform::MessageIcon::Exclamation,
                      platform::MessageButtons::Ok);
  return false;
}

void StationSettingsSheet::Save() {
  // The sheet stays open with every entry, so the operator can correct the field.
  if (!NumbersReadWhole() || !TemperatureInRange()) return;
  const store::ProjectStationSettings units = DisplayUnits();
  store::SettingsEntries entries;
  station_.Write(entries);
  units_.Write(entries);
  coordinates_.Write(entries, units);
  prismConstants_.Write(entries, units);
  reading_.Write(entries);
  cycles_.Write(entries);
  // No page shows it: a new project-station keeps the choice of the one it was made from.
  store::AddReplyDrivenEntry(store_.Settings(), entries);

  const store::SaveResult result =
      store_.SaveProjectStation(station_.Project(), station_.Station(), isNew_, entries);
  const std::filesystem::path translations = TranslationsFile();
  std::string message;
  switch (result) {
    case store::SaveResult::Saved:
      EndDialog(platform::kIdOk);
      return;
    case store::SaveResult::AlreadyExists:
      message =
          store::Translate(translations, "IDS_STN_MSGBOX_PROJ_STN_EXISTS",
                           "The Project-Station you're setting up already exists.\r\nPlease provide a "
                           "different project and/or station name, or edit the existing project-station.");
      break;
    case store::SaveResult::NameInvalid:
      message = store::Translate(
          translations, "IDS_STN_MSGBOX_NAME_INVALID",
          "The project and station names become file names.\r\nPlease provide names that are not empty, not "
          "\".\" or \"..\", at most 100 characters long and without \\ / : * ? \" < > | or control "
          "characters.");
      break;
    case store::SaveResult::ValueInvalid:
      message = store::Translate(translations, "IDS_STN_MSGBOX_VALUE_INVALID",
                                 "A setting holds a line break and cannot be saved.\r\nPlease correct it.");
      break;
    case store::SaveResult::WriteFailed:
      message = store::Translate(translations, "IDS_STN_MSGBOX_SAVE_FAILED",
                                 "The project-station could not be saved.\r\nThe settings file could not be "
                                 "written.");
      break;
  }
  // The sheet stays open with every entry, so the operator can correct and try again.
  bracket_.MessageBox(message, translatedTitle_, platform::MessageIcon::Exclamation,
                      platform::MessageButtons::Ok);
}

}  // namespace vigil::ui
