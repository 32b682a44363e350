// The Orientation screen: first a manual resection on the reference prisms with their
// surveyed coordinates typed in (the station and its circle's zero are unknown), and after
// training a resection on the same prisms as trained.
#include <cmath>

#include "demo/Operator.h"
#include "orientation/ManualResectionDialog.h"
#include "orientation/OrientationDialog.h"
#include "orientation/ResectionPointsDialog.h"
#include "platform/Format.h"
#include "ui/MainWindow.h"

namespace vigil::demo {

namespace {

using MW = ui::MainWindow;
using OD = orientation::OrientationDialog;
using MRD = orientation::ManualResectionDialog;

constexpr const char* kPointingAtPrism =
    "Please make sure that the instrument is now pointing to prism. Continue?";
constexpr const char* kPointingAt = "Please make sure that the instrument is now pointing to ";
constexpr const char* kCaptured = "Target captured and stored. Please move to next point.";
constexpr const char* kStationQuestion = "STATION COORDINATE:\n";
/// Reference rows of the training list have this prism type.
constexpr const char* kReferenceType = "0";

// The k-th reference row of the Orientation screen's list, or -1.
int ReferenceRow(platform::Dialog& front, std::size_t k) {
  auto* od = dynamic_cast<OD*>(&front);
  if (od == nullptr || od->List() == nullptr) return -1;
  const auto& rows = od->List()->Rows();
  std::size_t seen = 0;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    if (rows[i].prism_type != kReferenceType) continue;
    if (seen++ == k) return static_cast<int>(i);
  }
  return -1;
}

}  // namespace

void Operator::ScriptManualResection() {
  std::vector<ControlPoint> control = ReferenceControl(site_.scenario);
  if (control.size() < 2) {
    Problem("the site has fewer than two reference prisms");
    return;
  }
  control.resize(2);
  ui::ScriptedHost& host = Host();
  host.Press(MW::kOrientationButtonId).WaitForDialog<OD>();
  for (std::size_t i = 0; i < control.size(); ++i) {
    const ControlPoint c = control[i];
    AimByHand(c.name, [c] { return c.position; });
    host.PressSoftKey(3)
        .WaitForDialog<MRD>()
        .Type(MRD::kNameEditId, c.name)
        .Type(MRD::kEastingEditId, platform::FormatFixed(c.position.eastingMetres, 4))
        .Type(MRD::kNorthingEditId, platform::FormatFixed(c.position.northingMetres, 4))
        .Type(MRD::kRlEditId, platform::FormatFixed(c.position.levelMetres, 4))
        .Type(MRD::kThEditId, "0.0000");
    if (i == 0) Shoot("orientation_manual");
    host.Press(MRD::kOkId).AnswerMessageBox(kPointingAtPrism, platform::kIdYes);
    if (i == 0) {
      host.AnswerMessageBox(kCaptured);
    } else {
      host.AnswerMessageBox(kStationQuestion, platform::kIdYes, ui::TextMatch::Contains);
    }
  }
  host.Close().WaitForDialog<MW>();
}

void Operator::ScriptResectionOnTrained() {
  ui::ScriptedHost& host = Host();
  host.Press(MW::kOrientationButtonId).WaitForDialog<OD>();
  for (std::size_t k = 0; k < 2; ++k) {
    // The operator sights the prism of the row they are about to choose.
    AimByHand("reference row " + std::to_string(k + 1), [this, k] {
      auto* od = Host().Front<OD>();
      const int row = od != nullptr ? ReferenceRow(*od, k) : -1;
      if (row < 0) return sim::GridPoint{};
      const training::TrainingPoint& p = od->List()->Rows()[static_cast<std::size_t>(row)];
      return sim::GridPoint{platform::ParseDoubleOr(p.easting, 0.0), platform::ParseDoubleOr(p.northing, 0.0),
                            platform::ParseDoubleOr(p.rl, 0.0)};
    });
    ChooseRow("reference row " + std::to_string(k + 1), OD::kListId,
              [k](platform::Dialog& front) { return ReferenceRow(front, k); });
    host.PressSoftKey(2).AnswerMessageBox(kPointingAt, platform::kIdYes, ui::TextMatch::Contains);
    if (k == 0) {
      host.AnswerMessageBox(kCaptured);
      Shoot("orientation");
      host.PressSoftKey(4).WaitForDialog<orientation::ResectionPointsDialog>();
      Shoot("resection_points");
      host.Close().WaitForDialog<OD>();
    } else {
      host.AnswerMessageBox(kStationQuestion, platform::kIdYes, ui::TextMatch::Contains);
    }
  }
  host.Do("the station found", [this] {
    const store::ProjectStationSettings& s = Context().Settings();
    const sim::Scenario& truth = site_.scenario;
    const double offMm =
        std::hypot(s.easting - truth.station.eastingMetres, s.northing - truth.station.northingMetres) *
        1000.0;
    notes_.push_back(
        platform::Format("resection: station %.4lf %.4lf, %.1lf mm from the true one; orientation %.5lf gon "
                         "(true circle zero %.5lf)",
                         {s.easting, s.northing, offMm, s.orientation, truth.circleZeroGon}));
  });
  host.Close().WaitForDialog<MW>();
}

}  // namespace vigil::demo
