// The list of resection points: residual columns, Remove with recomputation, Reset, Accept.
#include <gtest/gtest.h>

#include <string>

#include "OrientationFixture.h"
#include "orientation/Resection.h"
#include "orientation/ResectionPointsDialog.h"

namespace vigil::orientation {
namespace {

using test::kTrueCircleZeroGon;
using test::OD;
using PD = ResectionPointsDialog;

class PointsTest : public test::OrientationFixture {
 protected:
  /// Observes the named prisms as an ideal instrument at the true station would.
  void Observe(std::initializer_list<const char*> names, ResectionState& into) {
    for (const char* name : names) {
      survey::Observation o = TrueObservation(name);
      o.haGon = survey::NormaliseAngle(o.haGon + kTrueCircleZeroGon);
      for (const sim::Prism& p : sim_.scenario().prisms) {
        if (p.name == name) {
          AddResectionObservation(
              into, name, o, {p.truth.eastingMetres, p.truth.northingMetres, p.truth.levelMetres}, false);
        }
      }
    }
  }
  ResectionState Expected(std::initializer_list<const char*> names) {
    ResectionState s;
    Observe(names, s);
    return s;
  }
  /// Opens the points list from the orientation screen.
  ui::ScriptedHost& OpenPoints() { return host_.PressSoftKey(4).WaitForDialog<PD>(); }
  PD* Points() { return host_.Front<PD>(); }

  OD dialog_{Context(), state_};
};

TEST_F(PointsTest, ListsTheObservationsWithTheirResiduals) {
  Train({"REF1", "REF2", "REF3"});
  Observe({"REF1", "REF2"}, state_);
  state_.resection_points[1].sd += 0.002;  // REF2 measured 2 mm long
  RecomputeResection(state_);
  state_.resection_points.push_back({"GONE", 1.0, 100.0, 50.0, 1.0, 2.0, 3.0, false});
  state_.resection_points.push_back({"CP", 1.0, 100.0, 50.0, 1010.0, 1880.0, 101.5, true});
  OpenPoints()
      .Do("the list",
          [&] {
            PD& d = *Points();
            EXPECT_EQ(d.Title(), "Resection : PROJ - STN1 [Count = 2]");
            ASSERT_EQ(d.ListRowCount(PD::kListId), 3) << "GONE is no longer trained";
            EXPECT_EQ(d.ListCell(PD::kListId, 0, PD::kColName), "REF1");
            EXPECT_EQ(d.ListCell(PD::kListId, 2, PD::kColName), "CP");
            EXPECT_EQ(d.PointOfRow(2), 3u);
            for (int col : {PD::kColTolHa, PD::kColTolVa, PD::kColTolSd}) {
              EXPECT_EQ(d.ListCell(PD::kListId, 2, col), "0") << "a typed-in point";
            }
            // The result lies between the two sights; each residual is a fraction of the 2 mm.
            const double dSd = platform::ParseDoubleOr(d.ListCell(PD::kListId, 1, PD::kColTolSd), 9.0);
            EXPECT_LT(std::fabs(dSd), 0.002);
            EXPECT_LT(std::fabs(platform::ParseDoubleOr(d.ListCell(PD::kListId, 0, PD::kColTolHa), 9.0)),
                      0.002);
            EXPECT_EQ(d.ListCell(PD::kListId, 0, PD::kColEasting), "1100.0000");
            EXPECT_EQ(d.ListCell(PD::kListId, 0, PD::kColRl), "102.0000");
            EXPECT_EQ(d.ListColumnCount(PD::kListId), 7);
            EXPECT_EQ(d.Find(PD::kListId)->columns[1].caption, "Tol. Ha(gons)");
            EXPECT_EQ(d.Find(PD::kListId)->columns[3].caption, "Tol. SD(m)");
            EXPECT_EQ(d.Text(PD::kEastingId).substr(0, 7), "1000.00");
            EXPECT_EQ(d.Text(PD::kOrientationLabelId), "Orient.");
          })
      .PressSoftKey(1)
      .Close();
  host_.Run(dialog_);
}

TEST_F(PointsTest, WithOnePointTheToleranceColumnsAndResultFieldsAreEmpty) {
  Train({"REF1"});
  Observe({"REF1"}, state_);
  OpenPoints()
      .Do("empty",
          [&] {
            PD& d = *Points();
            ASSERT_EQ(d.ListRowCount(PD::kListId), 1);
            EXPECT_EQ(d.ListCell(PD::kListId, 0, PD::kColTolHa), "");
            EXPECT_EQ(d.Text(PD::kEastingId), "");
            EXPECT_EQ(d.Text(PD::kOrientationId), "");
          })
      .PressSoftKey(4)
      .AnswerMessageBox("Not enough resection points. (Should have at least 2)")
      .PressSoftKey(1)
      .Close();
  host_.Run(dialog_);
}

TEST_F(PointsTest, RemovingAPointRecomputesFromTheOthersAndUpdatesBothTitles) {
  struct Case {
    const char* removed;
    ResectionState expected;
    const char* comment;
  };
  // REF2 slightly off, so every pair gives a different result.
  auto observeAll = [&] {
    ResetResection(state_);
    Observe({"REF1", "REF2", "REF3"}, state_);
    state_.resection_points[1].ha += 0.01;
    RecomputeResection(state_);
  };
  Train({"REF1", "REF2", "REF3"});
  for (const char* removed : {"REF3", "REF2"}) {
    observeAll();
    ResectionState expected;
    for (const ResectionPoint& p : state_.resection_points) {
      if (p.name != removed)
        AddResectionObservation(expected, p.name, {p.ha, p.va, p.sd}, {p.e, p.n, p.rl}, false);
    }
    OpenPoints()
        .SelectText(PD::kListId, removed)
        .PressSoftKey(2)
        .AnswerMessageBox(
            std::string("Are you sure you want to remove ") + removed + " from resection points?",
            platform::kIdYes)
        .Do("recomputed",
            [&, removed] {
              PD& d = *Points();
              EXPECT_EQ(d.ListRowCount(PD::kListId), 2) << removed;
              EXPECT_EQ(d.Title(), "Resection : PROJ - STN1 [Count = 2]") << removed;
              EXPECT_EQ(d.Text(PD::kEastingId), survey::FormatDistance(Settings(), expected.res_e))
                  << removed;
            })
        .PressSoftKey(1)
        .Close();
    host_.Run(dialog_);
    EXPECT_EQ(state_.resection_count, 2) << removed;
    EXPECT_NEAR(state_.res_e, expected.res_e, 1e-9) << removed;
    EXPECT_NEAR(state_.res_n, expected.res_n, 1e-9) << removed;
    EXPECT_NEAR(state_.res_rl, expected.res_rl, 1e-9) << removed;
    EXPECT_NEAR(state_.res_orientation, expected.res_orientation, 1e-9) << removed;
    EXPECT_EQ(dialog_.Title(), "Orientation : PROJ - STN1 [Count = 2]") << removed;
  }
}

TEST_F(PointsTest, RemoveAsksForASelectionAndNoKeepsThePoint) {
  Train({"REF1", "REF2"});
  Observe({"REF1", "REF2"}, state_);
  OpenPoints()
      .PressSoftKey(2)
      .AnswerMessageBox("Please select a resection point to remove.")
      .SelectText(PD::kListId, "REF1")
      .PressSoftKey(2)
      .AnswerMessageBox("Are you sure you want to remove REF1 from resection points?", platform::kIdNo)
      .PressSoftKey(1)
      .Close();
  host_.Run(dialog_);
  EXPECT_EQ(state_.resection_points.size(), 2u);
  EXPECT_EQ(state_.resection_count, 2);
  const auto boxes = host_.Events(ui::HostEvent::Kind::MessageBox);
  ASSERT_FALSE(boxes.empty());
  EXPECT_EQ(boxes.back().icon, platform::MessageIcon::Error) << "the stop icon";
}

TEST_F(PointsTest, ResetEmptiesTheListAndBothTitles) {
  Train({"REF1", "REF2"});
  Observe({"REF1", "REF2"}, state_);
  OpenPoints()
      .PressSoftKey(3)
      .AnswerMessageBox("Reset resection counter?", platform::kIdYes)
      .Do("all gone",
          [&] {
            PD& d = *Points();
            EXPECT_EQ(d.ListRowCount(PD::kListId), 0);
            EXPECT_EQ(d.Title(), "Resection : PROJ - STN1");
            EXPECT_EQ(d.Text(PD::kEastingId), "");
            EXPECT_EQ(d.Text(PD::kLevelId), "");
            EXPECT_EQ(dialog_.Title(), "Orientation : PROJ - STN1");
          })
      .PressSoftKey(1)
      .Close();
  host_.Run(dialog_);
  EXPECT_EQ(state_.resection_count, 0);
  EXPECT_TRUE(state_.resection_points.empty());
}

TEST_F(PointsTest, AcceptTakesTheResultAndRefreshesTheTrainingList) {
  StationUnknown();
  Train({"REF1", "REF2"});
  Observe({"REF1", "REF2"}, state_);
  OpenPoints()
      .PressSoftKey(4)
      .AnswerMessageBox("STATION COORDINATE:\nEasting: 1000.0000 m\n", platform::kIdYes,
                        ui::TextMatch::Contains)
      .WaitForDialog<OD>()
      .Do("applied",
          [&] {
            EXPECT_EQ(dialog_.Title(), "Orientation : PROJ - STN1");
            const std::string shown = dialog_.ListCell(OD::kListId, 0, training::kColHa);
            EXPECT_EQ(shown, platform::FormatFixed(TrueObservation("REF1").haGon, 5));
          })
      .Close();
  host_.Run(dialog_);
  EXPECT_NEAR(Settings().easting, 1000.0, 1e-6);
  EXPECT_NEAR(Settings().orientation, kTrueCircleZeroGon, 1e-6);
  EXPECT_EQ(state_.resection_count, 0);
  EXPECT_EQ(host_.Events(ui::HostEvent::Kind::DialogClosed).front().result, platform::kIdOk);
}

}  // namespace
}  // namespace vigil::orientation
