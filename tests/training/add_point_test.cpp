// Adding points: the proposed name and type, the prefix rules, and the refusal of a prism
// that is already listed.
#include <gtest/gtest.h>

#include "TrainingFixture.h"
#include "training/NewPointNameDialog.h"

namespace vigil::training::test {
namespace {

using NPN = NewPointNameDialog;

constexpr const char* kSetCustom =
    "Please set the Custom prism constant first, before you can use Custom prism type.";
constexpr const char* kUseCustomChar =
    "Please use the Custom prism character as the prefix of your Point Name.";

using AddPoint = TrainingFixture;

TEST_F(AddPoint, OnAnEmptyListProposesXyz001AsMonitoringAndStoresTheMeasurement) {
  PointAt(100.0, 100.0);
  ToPage(2)
      .Press(TD::kKey1Id)
      .WaitForDialog<NPN>()
      .Do("proposal",
          [&] {
            NPN* d = host_.Front<NPN>();
            EXPECT_EQ(d->Text(NPN::kNameEditId), "XYZ001");
            EXPECT_EQ(d->ComboSelected(NPN::kTypeComboId), 2);
            EXPECT_EQ(d->ComboItem(NPN::kTypeComboId, 0), "Reference Prism (-30.0)");
            EXPECT_EQ(d->ComboCount(NPN::kTypeComboId), 6);
          })
      .Press(NPN::kOkButtonId);
  WaitMeasured();
  EXPECT_EQ(RunTraining(), platform::kIdCancel);
  ASSERT_EQ(Names(), std::vector<std::string>{"XYZ001"});
  EXPECT_EQ(Row(0).ha, "100.00000");
  EXPECT_EQ(Row(0).va, "100.00000");
  EXPECT_NEAR(platform::ParseDoubleOr(Row(0).sd, 0.0), 100.0, 0.0002);
  EXPECT_NEAR(platform::ParseDoubleOr(Row(0).easting, 0.0), 1100.0, 0.0002);
  EXPECT_EQ(Row(0).prism_type, "2");
  EXPECT_EQ(Row(0).prism_label, "Monitoring Prism (-30.0)");
  EXPECT_NE(TrainingFileText().find("\r\n1\tXYZ001\t100.00000\t100.00000\t"), std::string::npos)
      << "the file is rewritten at once";
  EXPECT_TRUE(host_.MessageTexts().empty()) << "no success message";
  EXPECT_EQ(sim_.toBasicState(), 0) << "the name dialog is bracketed";
}

TEST_F(AddPoint, TheTypeRewritesTheNamePrefix) {
  struct Case {
    const char* comment;
    const char* custom;
    const char* typed;  // typed before the type is chosen; empty: the proposal
    int type;
    const char* expected;
    const char* message;  // shown when choosing, or empty
  } const cases[] = {
      {"reference", "", "", 0, "REF001", ""},
      {"connection", "", "", 1, "CON001", ""},
      {"reflectorless", "", "", 3, "RFL001", ""},
      {"sheet", "", "", 4, "SHT001", ""},
      {"custom with character Q", "Q", "", 5, "Q001", ""},
      {"a name without digits becomes the prefix", "", "TOP", 0, "REF", ""},
      {"custom without a character keeps the name", "", "", 5, "XYZ001", kSetCustom},
  };
  for (const Case& c : cases) {
    store::ProjectStationSettings s = Settings();
    s.const_custom_name = c.custom;
    NPN dialog(
        s, "XYZ001", 2, [](const TextKey& t) { return std::string(t.defaultText); },
        [&](const TextKey& t) {
          host_.MessageBox(t.defaultText, {}, platform::MessageIcon::None, platform::MessageButtons::Ok);
        });
    if (*c.typed) host_.Type(NPN::kNameEditId, c.typed);
    host_.Select(NPN::kTypeComboId, c.type);
    if (*c.message) host_.AnswerMessageBox(c.message);
    host_.Press(NPN::kCancelButtonId);
    EXPECT_EQ(host_.Run(dialog), platform::kIdCancel) << c.comment;
    EXPECT_EQ(dialog.Text(NPN::kNameEditId), c.expected) << c.comment;
  }
}

TEST_F(AddPoint, OkIsRefusedUntilTypeAndNameFit) {
  struct Case {
    const char* comment;
    const char* custom;
    const char* name;
    int type;  // -1: nothing selected
    const char* message;
  } const cases[] = {
      {"no type", "Q", "P1", -1, "Please select a Prism Type for this point."},
      {"custom character later in the name", "Q", "AQ001", 5, kUseCustomChar},
      {"custom without character", "", "Q001", 5, kSetCustom},
      {"a name with a TAB the file cannot read back", "", "A\t1", 2,
       "Please enter a point name that is not empty and holds no TAB or line break."},
  };
  for (const Case& c : cases) {
    store::ProjectStationSettings s = Settings();
    s.const_custom_name = c.custom;
    NPN dialog(
        s, c.name, -1, [](const TextKey& t) { return std::string(t.defaultText); },
        [&](const TextKey& t) {
          host_.MessageBox(t.defaultText, {}, platform::MessageIcon::None, platform::MessageButtons::Ok);
        });
    if (c.type >= 0) {
      host_.Select(NPN::kTypeComboId, c.type);
      if (std::string(c.message) == kSetCustom) host_.AnswerMessageBox(kSetCustom);
      host_.Type(NPN::kNameEditId, c.name);
    }
    host_.Press(NPN::kOkButtonId).AnswerMessageBox(c.message).Press(NPN::kCancelButtonId);
    EXPECT_EQ(host_.Run(dialog), platform::kIdCancel) << c.comment;
  }
  store::ProjectStationSettings s = Settings();
  s.const_custom_name = "Q";
  // File-name characters were refused, though a point name never goes into a file name.
  NPN accepted(
      s, "Q7/A:B*C?", 5, [](const TextKey& t) { return std::string(t.defaultText); }, [](const TextKey&) {});
  host_.Press(NPN::kOkButtonId);
  EXPECT_EQ(host_.Run(accepted), platform::kIdOk);
  EXPECT_EQ(accepted.Name(), "Q7/A:B*C?");
  EXPECT_EQ(accepted.PrismType(), 5);
}

// Listed points around the prism at Ha 100, Va 100, SD 100 m; the new reading of it is
// refused while it lies within 0.5 gon and 0.1 m of one.
TEST_F(AddPoint, AReadingNearAListedPointIsRefused) {
  struct Case {
    const char* ha;
    const char* va;
    const char* sd;
    bool refused;
    const char* comment;
  } const cases[] = {
      {"100.00000", "100.00000", "100.0000", true, "the same prism"},
      {"100.49000", "100.00000", "100.0000", true, "0.49 gon off in Ha"},
      {"99.51000", "100.49000", "100.0990", true, "just inside on every axis"},
      {"100.50010", "100.00000", "100.0000", false, "0.5 gon off in Ha"},
      {"100.00000", "100.50010", "100.0000", false, "0.5 gon off in Va"},
      {"100.00000", "100.00000", "100.1010", false, "0.1 m off in SD"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.comment);
    WriteTrainingFile({{"OTHER", c.ha, c.va, c.sd, "1100.0000", "2000.0000", "100.0000", "2", ""}});
    PointAt(100.0, 100.0);
    TD dialog(Context());
    ToPage(2).Press(TD::kKey1Id).WaitForDialog<NPN>().Press(NPN::kOkButtonId);
    if (c.refused) host_.AnswerMessageBox("The target prism is already added in training as OTHER.");
    host_.WaitUntil("measured", [&] { return !dialog.MeasurementPending(); }).Close();
    host_.Run(dialog);
    EXPECT_EQ(dialog.List()->Rows().size(), c.refused ? 1u : 2u);
  }
}

TEST_F(AddPoint, AFaceTwoReadingMatchesItsFaceOneRowButIsStoredAsMeasured) {
  PointAt(300.0, 300.0);  // the prism at 100 gon in face 2
  WriteTrainingFile({{"FAR", "250.00000", "100.00000", "50.0000", "0", "0", "0", "2", ""}});
  ToPage(2).Press(TD::kKey1Id).WaitForDialog<NPN>().Press(NPN::kOkButtonId);
  WaitMeasured();
  RunTraining();
  ASSERT_EQ(Names(), (std::vector<std::string>{"FAR", "FAR001"}));
  EXPECT_EQ(Row(1).ha, "300.00000");
  EXPECT_EQ(Row(1).va, "300.00000") << "stored in the face it was read";

  TD again(Context());
  PointAt(300.0, 300.0);
  WriteTrainingFile({{"XYZ001", "100.00000", "100.00000", "100.0000", "0", "0", "0", "2", ""}});
  ToPage(2)
      .Press(TD::kKey1Id)
      .WaitForDialog<NPN>()
      .Press(NPN::kOkButtonId)
      .AnswerMessageBox("The target prism is already added in training as XYZ001.")
      .Close();
  host_.Run(again);
  EXPECT_EQ(again.List()->Rows().size(), 1u);
}

TEST_F(AddPoint, AFailedMeasurementAddsNothingAndSaysNothing) {
  PointAt(250.0, 100.0);  // no prism here
  ToPage(2).Press(TD::kKey1Id).WaitForDialog<NPN>().Press(NPN::kOkButtonId);
  WaitMeasured();
  RunTraining();
  EXPECT_TRUE(Names().empty());
  EXPECT_TRUE(host_.MessageTexts().empty());
  EXPECT_EQ(Context().Engine().Reading().pointName, "") << "the prism context is cleared";
}

}  // namespace
}  // namespace vigil::training::test
