// The Training screen: a 2D scan over the wall and the batch that measures its hits, then the
// prisms that are not monitoring prisms given their type and measured again with its constant.
#include <cmath>

#include "demo/Operator.h"
#include "platform/Format.h"
#include "training/AppendOverwriteDialog.h"
#include "training/NewPointNameDialog.h"
#include "training/ScanDialog.h"
#include "training/TrainingDialog.h"
#include "ui/MainWindow.h"

namespace vigil::demo {

namespace {

using MW = ui::MainWindow;
using TD = training::TrainingDialog;
using SD = training::ScanDialog;
using NPD = training::NewPointNameDialog;

constexpr const char* kScanComplete = "Scan Complete!\r\nFound ";
constexpr const char* kBatchCompleted = "VIGIL 2D Scan completed.";
constexpr const char* kVerified = " POSITION";
constexpr const char* kPointingAt = "Please make sure that the instrument is now pointing to ";
constexpr const char* kTrained = "successfully trained.";
/// A trained point this close to a prism of the site is that prism (m).
constexpr double kSameMetres = 0.5;

sim::GridPoint PositionOf(const training::TrainingPoint& p) {
  return {platform::ParseDoubleOr(p.easting, 0.0), platform::ParseDoubleOr(p.northing, 0.0),
          platform::ParseDoubleOr(p.rl, 0.0)};
}

}  // namespace

void Operator::ScriptTraining() {
  const ScanWindow window = ScanWindowOf(site_.scenario);
  ui::ScriptedHost& host = Host();
  host.Press(MW::kTrainingButtonId).WaitForDialog<TD>().Press(TD::kKey3Id).WaitForDialog<SD>();
  AimByHand("the top-left corner of the wall", [this, window] {
    // A corner, not a prism: sighted as a direction at 100 m.
    return DirectionPoint(window.topLeft);
  });
  host.Press(SD::kSetStartId).WaitUntil("start corner read", [this] {
    SD* scan = Host().Front<SD>();
    return scan != nullptr && !scan->Text(SD::kStartVaEditId).empty();
  });
  AimByHand("the bottom-right corner of the wall",
            [this, window] { return DirectionPoint(window.bottomRight); });
  host.Press(SD::kSetEndId).WaitUntil("end corner read", [this] {
    SD* scan = Host().Front<SD>();
    return scan != nullptr && !scan->Text(SD::kEndVaEditId).empty();
  });
  Shoot("scan");
  host.Press(SD::kStartKeyId)
      .AnswerMessageBox(kScanComplete, platform::kIdYes, ui::TextMatch::Contains)
      .WaitForDialog<training::AppendOverwriteDialog>()
      .Press(training::AppendOverwriteDialog::kOkButtonId)
      .AnswerMessageBox(kBatchCompleted)
      .WaitUntil("the batch is over",
                 [this] {
                   TD* td = Host().Front<TD>();
                   return td != nullptr && !td->Batch();
                 })
      .Do("every prism trained", [this] {
        TD* td = Host().Front<TD>();
        const std::size_t rows = td != nullptr && td->List() != nullptr ? td->List()->Rows().size() : 0;
        if (rows != site_.scenario.prisms.size()) {
          Problem(platform::Format("the scan trained %d points of %d prisms",
                                   {static_cast<int>(rows), static_cast<int>(site_.scenario.prisms.size())}));
        }
      });

  for (const sim::Prism& prism : site_.scenario.prisms) {
    const int type = ProgramPrismType(prism.type);
    if (type == ProgramPrismType(sim::PrismType::kMonitoring)) continue;
    const sim::GridPoint truth = prism.truth;
    ChooseRow("the row of " + prism.name, TD::kListId, [truth](platform::Dialog& front) {
      auto* td = dynamic_cast<TD*>(&front);
      if (td == nullptr || td->List() == nullptr) return -1;
      const auto& rows = td->List()->Rows();
      for (std::size_t i = 0; i < rows.size(); ++i) {
        const sim::GridPoint at = PositionOf(rows[i]);
        const double apart = std::hypot(
            std::hypot(at.eastingMetres - truth.eastingMetres, at.northingMetres - truth.northingMetres),
            at.levelMetres - truth.levelMetres);
        if (apart <= kSameMetres) return static_cast<int>(i);
      }
      return -1;
    });
    GoToTrainingPage("P2");
    host.Press(TD::kKey2Id)
        .WaitForDialog<NPD>()
        .Select(NPD::kTypeComboId, type)
        .Press(NPD::kOkButtonId)
        .WaitForDialog<TD>();
    // Trained with the monitoring constant: measured again with its own. The telescope is
    // put on it by Verify, which turns and searches by itself.
    GoToTrainingPage("P3");
    host.Press(TD::kKey2Id)
        .AnswerMessageBox(kVerified, platform::kIdOk, ui::TextMatch::Contains)
        .Press(TD::kKey1Id)
        .AnswerMessageBox(kPointingAt, platform::kIdYes, ui::TextMatch::Contains)
        .AnswerMessageBox(kTrained, platform::kIdOk, ui::TextMatch::Contains)
        .WaitUntil("retrained", [this] {
          TD* td = Host().Front<TD>();
          return td != nullptr && !td->MeasurementPending();
        });
  }
  GoToTrainingPage("P1");
  Shoot("training");
  host.Do("training done", [this] { trainedAtMs_ = LocalMs(world_.Loop().Now()); })
      .Close()
      .WaitForDialog<MW>();
}

void Operator::GoToTrainingPage(const std::string& page) {
  Host().Do("training page " + page, [this, page] {
    TD* td = Host().Front<TD>();
    for (int i = 0; td != nullptr && td->Page() != page && i < 3; ++i) td->PressButton(TD::kPageKeyId);
    if (td == nullptr || td->Page() != page) Problem("training page " + page + " not reached");
  });
}

sim::GridPoint Operator::DirectionPoint(const Sighting& s) const {
  // 100 m from the true station along the sighting.
  constexpr double kMetres = 100.0;
  constexpr double kRadiansPerGon = 3.14159265 / 200.0;
  const double bearing = (s.circleHaGon - site_.scenario.circleZeroGon) * kRadiansPerGon;
  const double zenith = s.vaGon * kRadiansPerGon;
  const sim::GridPoint& st = site_.scenario.station;
  return {st.eastingMetres + kMetres * std::sin(zenith) * std::sin(bearing),
          st.northingMetres + kMetres * std::sin(zenith) * std::cos(bearing),
          st.levelMetres + kMetres * std::cos(zenith)};
}

}  // namespace vigil::demo
