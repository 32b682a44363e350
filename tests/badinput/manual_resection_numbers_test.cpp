// Coordinates typed into the manual resection: a field must hold one whole number, or the
// field's own message comes and the dialog stays open. A decimal comma once put the target
// at the whole metres before it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../ui/AppFixture.h"
#include "orientation/ManualResectionDialog.h"

namespace vigil::orientation {
namespace {

using MD = ManualResectionDialog;

struct ManualCase {
  int field;
  std::string typed;
  const char* message;  ///< empty: accepted
  double metres;        ///< accepted: the field's value (m)
  const char* comment;
};

double Value(const MD& d, int field) {
  switch (field) {
    case MD::kEastingEditId:
      return d.EastingMetres();
    case MD::kNorthingEditId:
      return d.NorthingMetres();
    case MD::kRlEditId:
      return d.RlMetres();
    default:
      return d.TargetHeightMetres();
  }
}

class ManualNumbers : public ui::test::AppFixture {};

TEST_F(ManualNumbers, EachCoordinateIsOneWholeNumber) {
  constexpr const char* kE = "Please enter Easting.";
  constexpr const char* kN = "Please enter Northing.";
  constexpr const char* kRl = "Please enter Reduced Level.";
  constexpr const char* kTh = "Please enter Target Height.";
  const std::vector<ManualCase> cases{
      {MD::kEastingEditId, "1100.25", "", 1100.25, ""},
      {MD::kEastingEditId, " 1100.25 ", "", 1100.25, "blanks around"},
      {MD::kEastingEditId, "-12", "", -12.0, ""},
      {MD::kEastingEditId, "1100,25", kE, 0, "was taken as 1100"},
      {MD::kEastingEditId, "1100m", kE, 0, "was taken as 1100"},
      {MD::kEastingEditId, "1.100.25", kE, 0, "was taken as 1.1"},
      {MD::kEastingEditId, "abc", kE, 0, ""},
      {MD::kEastingEditId, "", kE, 0, ""},
      {MD::kNorthingEditId, "2000,5", kN, 0, ""},
      {MD::kNorthingEditId, "2000.5", "", 2000.5, ""},
      {MD::kRlEditId, "-0,75", kRl, 0, ""},
      {MD::kRlEditId, "98.5", "", 98.5, ""},
      {MD::kThEditId, "1,5", kTh, 0, "was taken as 1"},
      {MD::kThEditId, "0", "", 0.0, "a typed 0 is a 0"},
      {MD::kThEditId, "1e3", kTh, 0, "no exponents in a typed height"},
  };
  for (const ManualCase& c : cases) {
    SCOPED_TRACE("\"" + c.typed + "\" " + c.comment);
    MD dialog(Context(), "1000", "2000", "100");
    const bool refused = std::string(c.message).size() > 0;
    host_.Type(c.field, c.typed).Press(MD::kOkId);
    if (refused) host_.AnswerMessageBox(c.message).Press(MD::kCancelId);
    const int result = host_.Run(dialog);
    if (refused) {
      EXPECT_EQ(result, platform::kIdCancel);
      continue;
    }
    EXPECT_EQ(result, platform::kIdOk);
    EXPECT_NEAR(Value(dialog, c.field), c.metres, 1e-9);
  }
}

}  // namespace
}  // namespace vigil::orientation
