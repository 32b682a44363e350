#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/Dialog.h"

namespace vigil::platform {
namespace {

struct Probe : Dialog {
  std::vector<std::string> events;
  void OnCommand(int id) override { events.push_back("cmd " + std::to_string(id)); }
  void OnSelectionChanged(int id) override { events.push_back("sel " + std::to_string(id)); }
  void OnEditChanged(int id) override { events.push_back("edit " + std::to_string(id)); }
};

constexpr PixelRect kR{0, 0, 100, 20};

// ---- Report list: the selection follows its row through inserts and deletes --------------

struct ListCase {
  const char* what;
  int select;  // row selected first
  char op;     // 'i' insert at, 'd' delete at, 's' select
  int at;
  int expectedSelected;
};

TEST(DialogListTest, SelectionFollowsItsRow) {
  const ListCase cases[] = {
      {"delete above", 2, 'd', 0, 1},
      {"delete the selected row", 2, 'd', 2, -1},
      {"delete below", 2, 'd', 3, 2},
      {"delete out of range", 2, 'd', 9, 2},
      {"insert above", 1, 'i', 0, 2},
      {"insert at the selected row pushes it down", 1, 'i', 1, 2},
      {"insert past the end appends", 1, 'i', 50, 1},
      {"select out of range clears", 1, 's', 4, -1},
      {"select -1 clears", 1, 's', -1, -1},
  };
  for (const ListCase& c : cases) {
    Probe d;
    d.AddReportList(10, kR, {{"Name", 100}, {"Ha", 80}});
    for (int i = 0; i < 4; ++i) d.ListAddRow(10, {"P" + std::to_string(i), "1"});
    d.ListSelect(10, c.select);
    if (c.op == 'i') d.ListInsertRow(10, c.at, {"new"});
    if (c.op == 'd') d.ListDeleteRow(10, c.at);
    if (c.op == 's') d.ListSelect(10, c.at);
    EXPECT_EQ(d.ListSelected(10), c.expectedSelected) << c.what;
    EXPECT_TRUE(d.events.empty()) << c.what << ": programmatic changes call no handler";
  }
}

TEST(DialogListTest, RowsAlwaysHaveOneCellPerColumn) {
  Probe d;
  d.AddReportList(10, kR, {{"Cycle", 100}, {"Time", 120}});
  EXPECT_EQ(d.ListInsertRow(10, 7, {"Cycle 1"}), 0);
  d.ListAddRow(10, {"Cycle 2", "05:00 AM", "surplus"});
  EXPECT_EQ(d.ListRow(10, 0), (std::vector<std::string>{"Cycle 1", ""}));
  EXPECT_EQ(d.ListRow(10, 1), (std::vector<std::string>{"Cycle 2", "05:00 AM"}));
  d.ListSetCell(10, 0, 1, "01:00 AM");
  d.ListSetCell(10, 0, 2, "beyond the columns");
  EXPECT_EQ(d.ListCell(10, 0, 1), "01:00 AM");
  EXPECT_EQ(d.ListCell(10, 0, 2), "");
  EXPECT_EQ(d.ListCell(10, 5, 0), "");
  // Dropping a column cuts every row.
  d.ListSetColumns(10, {{"Cycle", 100}});
  EXPECT_EQ(d.ListRow(10, 1), (std::vector<std::string>{"Cycle 2"}));
  d.ListEnsureVisible(10, 1);
  EXPECT_EQ(d.Find(10)->scrollToRow, 1);
  d.ListClear(10);
  EXPECT_EQ(d.ListRowCount(10), 0);
  EXPECT_EQ(d.Find(10)->scrollToRow, -1);
}

TEST(DialogListTest, AccessorsOfAnotherKindDoNothing) {
  Probe d;
  d.AddCombo(20, kR);
  EXPECT_EQ(d.ListAddRow(20, {"x"}), -1);
  EXPECT_EQ(d.ListRowCount(20), 0);
  EXPECT_EQ(d.ComboCount(20), 0);
  EXPECT_EQ(d.ComboAdd(99, "no such control"), -1);
  EXPECT_EQ(d.Text(99), "");
  EXPECT_FALSE(d.IsEnabled(99));
}

// ---- Combo ------------------------------------------------------------------------------

TEST(DialogComboTest, SortedComboPlacesItemsAndKeepsTheSelection) {
  Probe d;
  d.AddCombo(1030, kR, /*sorted=*/true);
  EXPECT_EQ(d.ComboAdd(1030, "site_B"), 0);
  d.ComboSelect(1030, 0);
  EXPECT_EQ(d.ComboAdd(1030, "Dam_N1"), 0);
  EXPECT_EQ(d.ComboAdd(1030, "zone_1"), 2);
  EXPECT_EQ(d.ComboAdd(1030, "dam_N1"), 1);  // equal ignoring case: after the first one
  EXPECT_EQ(d.ComboSelectedText(1030), "site_B");
  EXPECT_EQ(d.ComboSelected(1030), 2);
  d.ComboDelete(1030, 0);
  EXPECT_EQ(d.ComboSelected(1030), 1);
  d.ComboDelete(1030, 1);
  EXPECT_EQ(d.ComboSelected(1030), -1);
  EXPECT_EQ(d.ComboSelectedText(1030), "");
}

TEST(DialogComboTest, UnsortedComboKeepsOrderAndFindsPrefixes) {
  Probe d;
  d.AddCombo(1058, kR);
  for (const char* t : {"12:00 AM", "01:00 AM", "02:00 AM", "12:00 PM", "01:00 PM"}) d.ComboAdd(1058, t);
  EXPECT_EQ(d.ComboFindPrefix(1058, "01:00 AM"), 1);
  EXPECT_EQ(d.ComboFindPrefix(1058, "01"), 1);
  EXPECT_EQ(d.ComboFindPrefix(1058, "01", 1), 4);
  EXPECT_EQ(d.ComboFindPrefix(1058, "13"), -1);
  EXPECT_EQ(d.ComboFindPrefix(1058, ""), 0);
  EXPECT_EQ(d.ComboFindExact(1058, "12:00 PM"), 3);
  EXPECT_EQ(d.ComboFindExact(1058, "12:00"), -1);
  d.ComboSelect(1058, 5);
  EXPECT_EQ(d.ComboSelected(1058), -1);
}

// ---- Progress bar -------------------------------------------------------------------------

struct StepCase {
  int minimum, maximum, step, start, steps, expected;
  const char* what;
};

TEST(DialogProgressTest, StepItAdvancesAndStartsOver) {
  const StepCase cases[] = {
      {0, 100, 20, 0, 1, 20, "one step"},
      {0, 100, 20, 0, 5, 100, "reaches the maximum exactly"},
      {0, 100, 20, 0, 6, 20, "past the maximum starts over by the overshoot"},
      {0, 100, 30, 90, 1, 20, "overshoot of 20"},
      {0, 100, 10, 0, 0, 0, "no step"},
      {10, 20, 5, 10, 3, 15, "range not starting at 0"},
      {0, 100, -30, 10, 1, 80, "a negative step wraps at the bottom"},
      {5, 5, 10, 5, 3, 5, "an empty range stays put"},
  };
  for (const StepCase& c : cases) {
    Probe d;
    d.AddProgress(1045, kR);
    d.ProgressSetRange(1045, c.minimum, c.maximum);
    d.ProgressSetStep(1045, c.step);
    d.ProgressSetPos(1045, c.start);
    for (int i = 0; i < c.steps; ++i) d.ProgressStepIt(1045);
    EXPECT_EQ(d.ProgressPos(1045), c.expected) << c.what;
  }
}

TEST(DialogProgressTest, PositionStaysInsideTheRange) {
  Probe d;
  d.AddProgress(1045, kR);
  d.ProgressSetPos(1045, 150);
  EXPECT_EQ(d.ProgressPos(1045), 100);
  d.ProgressSetRange(1045, 0, 40);
  EXPECT_EQ(d.ProgressPos(1045), 40);
  d.ProgressSetRange(1045, 50, 10);  // refused
  EXPECT_EQ(d.Find(1045)->rangeMax, 40);
}

// ---- Tree -------------------------------------------------------------------------------

TEST(DialogTreeTest, NodesKnowParentsAndChildren) {
  Probe d;
  d.AddTree(1, kR);
  const int card = d.TreeInsert(1, kTreeRoot, "Storage Card");
  const int usb = d.TreeInsert(1, kTreeRoot, "Removable Disk");
  const int mon = d.TreeInsert(1, card, "Monitoring");
  const int sub = d.TreeInsert(1, mon, "2026");
  EXPECT_EQ(d.TreeInsert(1, 42, "orphan"), -1);
  EXPECT_EQ(d.TreeChildren(1, kTreeRoot), (std::vector<int>{card, usb}));
  EXPECT_EQ(d.TreeChildren(1, card), (std::vector<int>{mon}));
  EXPECT_EQ(d.TreeParent(1, sub), mon);
  EXPECT_EQ(d.TreeParent(1, card), kTreeRoot);
  EXPECT_EQ(d.TreeText(1, usb), "Removable Disk");

  // The operator reaches a node only through open folders.
  EXPECT_FALSE(d.Choose(1, sub));
  EXPECT_FALSE(d.ToggleExpand(1, mon));
  EXPECT_TRUE(d.ToggleExpand(1, card));
  EXPECT_TRUE(d.ToggleExpand(1, mon));
  EXPECT_TRUE(d.Choose(1, sub));
  EXPECT_EQ(d.TreeSelected(1), sub);
  EXPECT_EQ(d.events, (std::vector<std::string>{"sel 1"}));
  EXPECT_FALSE(d.Choose(1, 99));

  d.TreeClear(1);
  EXPECT_EQ(d.TreeNodeCount(1), 0);
  EXPECT_EQ(d.TreeSelected(1), -1);
}

// ---- Operator input -----------------------------------------------------------------------

TEST(DialogInputTest, DisabledHiddenAndWrongControlsTakeNoInput) {
  Probe d;
  d.AddButton(1, "OK", kR);
  d.AddButton(2, "Off", kR);
  d.Enable(2, false);
  d.AddButton(3, "Hidden", kR);
  d.Show(3, false);
  d.AddLabel(4, "Label", kR);
  d.AddEdit(5, kR, /*readOnly=*/true);
  d.AddEdit(6, kR, false, /*digitsOnly=*/true);
  d.AddCombo(7, kR);
  d.ComboAdd(7, "one");

  EXPECT_TRUE(d.PressButton(1));
  EXPECT_FALSE(d.PressButton(2));
  EXPECT_FALSE(d.PressButton(3));
  EXPECT_FALSE(d.PressButton(4));
  EXPECT_FALSE(d.PressButton(99));
  EXPECT_FALSE(d.TypeInto(5, "text"));
  EXPECT_FALSE(d.TypeInto(1, "text"));
  EXPECT_TRUE(d.TypeInto(6, "1a2 "));
  EXPECT_EQ(d.Text(6), "12");
  EXPECT_FALSE(d.Choose(7, 1));
  EXPECT_FALSE(d.Choose(7, -1));
  EXPECT_TRUE(d.Choose(7, 0));
  EXPECT_EQ(d.events, (std::vector<std::string>{"cmd 1", "edit 6", "sel 7"}));

  d.SetText(6, "34");  // programmatic: no handler
  EXPECT_EQ(d.events.size(), 3u);
}

TEST(DialogInputTest, ChecksToggleAndRadiosExcludeTheirGroup) {
  Probe d;
  d.AddCheck(1, "Delete Data", kR);
  d.AddRadio(10, "Append", kR, 1);
  d.AddRadio(11, "Overwrite", kR, 1);
  d.AddRadio(20, "Other group", kR, 2);
  d.SetChecked(10, true);
  d.SetChecked(20, true);

  EXPECT_TRUE(d.PressButton(1));
  EXPECT_TRUE(d.IsChecked(1));
  EXPECT_TRUE(d.PressButton(1));
  EXPECT_FALSE(d.IsChecked(1));

  EXPECT_TRUE(d.PressButton(11));
  EXPECT_FALSE(d.IsChecked(10));
  EXPECT_TRUE(d.IsChecked(11));
  EXPECT_TRUE(d.IsChecked(20));
  EXPECT_TRUE(d.PressButton(11));  // pressing the checked radio keeps it checked
  EXPECT_TRUE(d.IsChecked(11));
  EXPECT_EQ(d.events, (std::vector<std::string>{"cmd 1", "cmd 1", "cmd 11", "cmd 11"}));
}

TEST(DialogInputTest, ASecondControlWithTheSameIdReplacesTheFirst) {
  Probe d;
  d.AddButton(5, "first", kR);
  d.AddLabel(6, "between", kR);
  d.AddEdit(5, kR);
  ASSERT_EQ(d.Controls().size(), 2u);
  EXPECT_EQ(d.Controls()[0].kind, ControlKind::Edit);
  EXPECT_EQ(d.Text(5), "");
}

TEST(DialogInputTest, CloseEndsWithCancelUnlessRefused) {
  struct Refusing : Dialog {
    bool allow = false;
    bool OnClose() override { return allow; }
  } d;
  EXPECT_FALSE(d.SendClose());
  EXPECT_FALSE(d.Ended());
  d.allow = true;
  EXPECT_TRUE(d.SendClose());
  EXPECT_TRUE(d.Ended());
  EXPECT_EQ(d.Result(), kIdCancel);
}

}  // namespace
}  // namespace vigil::platform
