// The typed-in resection point: presets and the checks of OK.
#include <gtest/gtest.h>

#include <string>

#include "OrientationFixture.h"
#include "orientation/ManualResectionDialog.h"

namespace vigil::orientation {
namespace {

using test::OD;
using MD = ManualResectionDialog;

class ManualTest : public test::OrientationFixture {
 protected:
  ui::ScriptedHost& OpenManual() { return host_.PressSoftKey(3).WaitForDialog<MD>(); }
  MD* Manual() { return host_.Front<MD>(); }
  OD dialog_{Context(), state_};
};

TEST_F(ManualTest, WithoutASelectedRowItOpensWithCtrlptAndZeros) {
  Train({"REF1"});
  OpenManual()
      .Do("presets",
          [&] {
            MD& d = *Manual();
            EXPECT_EQ(d.Title(), "Manual Resection");
            EXPECT_EQ(d.Text(MD::kNameEditId), "CTRLPT");
            for (int id : {MD::kEastingEditId, MD::kNorthingEditId, MD::kRlEditId, MD::kThEditId}) {
              EXPECT_EQ(d.Text(id), "0") << id;
            }
            EXPECT_EQ(d.Text(MD::kThLabelId), "TH");
            EXPECT_EQ(d.Text(MD::kRlLabelId), "RL");
          })
      .Press(MD::kCancelId)
      .Close();
  host_.Run(dialog_);
  EXPECT_EQ(sim_.log().Count("*SJ"), 0) << "cancelled: nothing measured";
}

TEST_F(ManualTest, ASelectedRowPresetsItsCoordinates) {
  Train({"REF1"});
  host_.SelectText(OD::kListId, "REF1");
  OpenManual()
      .Do("presets",
          [&] {
            MD& d = *Manual();
            EXPECT_EQ(d.Text(MD::kEastingEditId), "1100.0000");
            EXPECT_EQ(d.Text(MD::kNorthingEditId), "2050.0000");
            EXPECT_EQ(d.Text(MD::kRlEditId), "102.0000");
            EXPECT_EQ(d.Text(MD::kThEditId), "0");
          })
      .Press(MD::kCancelId)
      .Close();
  host_.Run(dialog_);
}

TEST_F(ManualTest, OkStopsAtTheFirstFieldWithoutANumber) {
  struct Case {
    int field;
    const char* typed;
    const char* message;
    const char* comment;
  };
  const Case cases[] = {
      {MD::kNameEditId, "", "Please enter a Point Name.", ""},
      {MD::kEastingEditId, "", "Please enter Easting.", ""},
      {MD::kNorthingEditId, "", "Please enter Northing.", ""},
      {MD::kRlEditId, "", "Please enter Reduced Level.", ""},
      {MD::kThEditId, "", "Please enter Target Height.", ""},
      {MD::kThEditId, "abc", "Please enter Target Height.", "text that is no number once became 0"},
      {MD::kEastingEditId, "-", "Please enter Easting.", "a lone sign"},
  };
  for (const Case& c : cases) {
    OpenManual()
        .Type(c.field, c.typed)
        .Press(MD::kOkId)
        .AnswerMessageBox(c.message)
        .Do("still open", [&] { EXPECT_NE(Manual(), nullptr) << c.comment; })
        .Press(MD::kCancelId);
  }
  host_.Close();
  host_.Run(dialog_);
}

TEST_F(ManualTest, InFeetTheEntriesAreTakenInFeet) {
  Settings().distance_unit = 1;
  OpenManual()
      .Type(MD::kEastingEditId, "3280.8399")
      .Type(MD::kNorthingEditId, "-10")
      .Type(MD::kRlEditId, "328.0840")
      .Type(MD::kThEditId, "4.9213")
      .Press(MD::kOkId)
      .AnswerMessageBox("Please make sure that the instrument is now pointing to prism. Continue?",
                        platform::kIdNo)
      .Close();
  host_.Run(dialog_);
  EXPECT_EQ(state_.resection_count, 0);
  EXPECT_EQ(dialog_.RefRow(), -1);
  const ResectionTarget t = dialog_.ManualTarget();
  EXPECT_NEAR(t.eastingMetres, 1000.0, 1e-4);
  EXPECT_NEAR(t.northingMetres, -3.048, 1e-4);
  EXPECT_NEAR(t.rlMetres, 101.5, 1e-4) << "RL plus target height, both in feet";
}

}  // namespace
}  // namespace vigil::orientation
