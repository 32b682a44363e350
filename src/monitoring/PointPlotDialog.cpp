#include "monitoring/PointPlotDialog.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <limits>

#include "alarms/AlarmLimitsFile.h"
#include "monitoring/MonitoringTexts.h"
#include "platform/Files.h"
#include "platform/Format.h"
#include "results/Export.h"
#include "results/ResultsDatabase.h"

namespace vigil::monitoring {
namespace {

constexpr double kMsPerDay = 86'400'000.0;
constexpr std::array<const char*, 3> kComponentNames{"dE", "dN", "dH"};

double Component(const results::StoredPoint& p, int component) {
  return component == 0 ? p.eastMm : component == 1 ? p.northMm : p.levelMm;
}

double Sigma(const results::StoredPoint& p, int component) {
  return component == 0 ? p.sigmaEastMm : component == 1 ? p.sigmaNorthMm : p.sigmaLevelMm;
}

// The limits of one component, above and below zero, in the order alert, alarm, action.
std::vector<platform::PlotLevel> LimitsOf(const alarms::LimitRules& rules, int component) {
  std::vector<platform::PlotLevel> levels;
  for (int level = 0; level < alarms::kLevelCount; ++level) {
    const std::optional<double>& limit =
        rules.limits[static_cast<std::size_t>(level)][static_cast<std::size_t>(component)];
    if (!limit) continue;
    const std::string name = alarms::LevelName(static_cast<alarms::AlarmLevel>(level));
    levels.push_back({name, *limit, level});
    levels.push_back({name, -*limit, level});
  }
  return levels;
}

}  // namespace

PointPlotDialog::PointPlotDialog(ui::AppContext& context, std::filesystem::path database, std::string point)
    : Dialog("Plot"), context_(context), database_(std::move(database)), point_(std::move(point)) {
  AddPlot(kPlotId, {0, 0, 320, 214});
  AddButton(kSoftKey1Id, kComponentNames[0], {0, 216, 80, 24});
  AddButton(kSoftKey2Id, kComponentNames[1], {80, 216, 80, 24});
  AddButton(kSoftKey3Id, kComponentNames[2], {160, 216, 80, 24});
  AddButton(kCloseKeyId, "Close", {240, 216, 80, 24});
}

void PointPlotDialog::OnInitDialog() {
  SetTitle(context_.StationTitleOf(context_.Translate(texts::kPlot.key, texts::kPlot.defaultText),
                                   " [" + point_ + "]"));
  SetText(kCloseKeyId, context_.Translate(texts::kClose.key, texts::kClose.defaultText));
  Fill();
}

void PointPlotDialog::OnPaint() {
  RegisterSoftKeys(kSoftKey1Id, kSoftKey2Id, kSoftKey3Id, kCloseKeyId);
}

void PointPlotDialog::OnCommand(int controlId) {
  const std::array<int, 3> keys{kSoftKey1Id, kSoftKey2Id, kSoftKey3Id};
  for (int component = 0; component < 3; ++component) {
    if (controlId != keys[static_cast<std::size_t>(component)]) continue;
    // The key of the component shown alone brings all three back.
    const auto chosen = static_cast<PlotComponents>(component);
    shown_ = shown_ == chosen ? PlotComponents::kAll : chosen;
    Fill();
    return;
  }
  if (controlId == kCloseKeyId) EndDialog(platform::kIdCancel);
}

void PointPlotDialog::Fill() {
  const std::string all = context_.Translate(texts::kAllComponents.key, texts::kAllComponents.defaultText);
  const std::array<int, 3> keys{kSoftKey1Id, kSoftKey2Id, kSoftKey3Id};
  for (int component = 0; component < 3; ++component) {
    const bool alone = shown_ == static_cast<PlotComponents>(component);
    SetText(keys[static_cast<std::size_t>(component)],
            alone ? all : kComponentNames[static_cast<std::size_t>(component)]);
  }

  const store::ProjectStationSettings& s = context_.Settings();
  std::string error;
  std::unique_ptr<results::ResultsDatabase> db;
  if (platform::FileExists(database_)) db = results::ResultsDatabase::Open(database_, error);
  std::vector<results::StoredPoint> history;
  if (db)
    history = db->Points(s.project, s.station, point_, std::numeric_limits<std::int64_t>::min(),
                         std::numeric_limits<std::int64_t>::max());
  std::erase_if(history, [](const results::StoredPoint& p) { return !p.hasDisplacement; });

  std::vector<platform::PlotLine> lines;
  std::vector<platform::PlotLevel> levels;
  std::string xCaption = platform::Format(
      context_.Translate(texts::kNoPlotValues.key, texts::kNoPlotValues.defaultText), {point_});
  if (!history.empty()) {
    const std::int64_t firstMs = history.front().timeMs;
    std::string since = results::LocalTimeText(firstMs).substr(0, 16);
    std::replace(since.begin(), since.end(), 'T', ' ');
    xCaption =
        platform::Format(context_.Translate(texts::kDaysSince.key, texts::kDaysSince.defaultText), {since});
    for (int component = 0; component < 3; ++component) {
      if (shown_ != PlotComponents::kAll && shown_ != static_cast<PlotComponents>(component)) continue;
      platform::PlotLine line{kComponentNames[static_cast<std::size_t>(component)], {}, component};
      for (const results::StoredPoint& p : history) {
        line.points.push_back({static_cast<double>(p.timeMs - firstMs) / kMsPerDay, Component(p, component),
                               kBandSigmas * Sigma(p, component)});
      }
      lines.push_back(std::move(line));
    }
    alarms::AlarmLimits limits;
    std::string limitsError;
    if (shown_ != PlotComponents::kAll &&
        alarms::LoadAlarmLimits(context_.Layout().ProgramFolder(), limits, limitsError)) {
      if (const alarms::LimitRules* rules = limits.RulesFor(point_))
        levels = LimitsOf(*rules, static_cast<int>(shown_));
    }
  }
  PlotSet(kPlotId, std::move(lines), std::move(levels), std::move(xCaption), "mm");
}

}  // namespace vigil::monitoring
