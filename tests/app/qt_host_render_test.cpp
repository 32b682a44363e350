// Every control kind drawn as its widget, and the widgets following the dialog.
#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QToolButton>
#include <QTreeWidget>

#include "QtFixture.h"
#include "platform/Files.h"
#include "ui/qt/ControlWidgets.h"
#include "ui/qt/DialogView.h"

namespace vigil::ui::qt::test {
namespace {

struct KindCase {
  int id;
  const char* widgetClass;
};

TEST_F(QtHostTest, EveryControlKindIsDrawnAsItsWidgetAtItsRectangle) {
  const KindCase kinds[] = {{kButton, "QPushButton"}, {kIconButton, "QToolButton"}, {kLabel, "QLabel"},
                            {kEdit, "QLineEdit"},     {kList, "QTreeWidget"},       {kCombo, "QComboBox"},
                            {kCheck, "QCheckBox"},    {kRadioA, "QRadioButton"},    {kTab, "QTabWidget"},
                            {kTree, "QTreeWidget"},   {kProgress, "QProgressBar"},  {kSoft4, "QPushButton"},
                            {kPlot, "QChartView"}};
  EveryControlDialog dialog;
  RunWith(dialog, [&](QWidget& window) {
    EXPECT_EQ(window.size(), QSize(320, 240));
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Every control"));
    for (const KindCase& k : kinds) {
      QWidget* w = host.WidgetOf(dialog, k.id);
      ASSERT_NE(w, nullptr) << k.id;
      EXPECT_TRUE(w->inherits(k.widgetClass)) << k.id << " is a " << w->metaObject()->className();
      EXPECT_TRUE(w->isVisible()) << k.id;
    }
    // The title row is drawn inside the screen, as on the controller; the rows below it are
    // squeezed by 224/240, so the soft keys still end on the screen's bottom edge.
    const auto* title = window.findChild<QLabel*>(QStringLiteral("title-row"));
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title->geometry(), QRect(0, 0, 320, kTitleRowPx));
    EXPECT_EQ(title->text(), QStringLiteral("Every control"));
    EXPECT_EQ(host.WidgetOf(dialog, kButton)->geometry(), QRect(4, 20, 70, 20));
    EXPECT_EQ(host.WidgetOf(dialog, kCombo)->geometry(), QRect(158, 68, 80, 19))
        << "the drop-down height is not the box's";
    EXPECT_EQ(host.WidgetOf(dialog, kSoft4)->geometry(), QRect(240, 214, 80, 26));
    // Page controls are drawn on their pages.
    ASSERT_NE(host.WidgetOf(dialog.First(), kPageEdit), nullptr);
    ASSERT_NE(host.WidgetOf(dialog.Second(), kPageLabel), nullptr);
    EXPECT_TRUE(host.WidgetOf(dialog.First(), kPageEdit)->isVisible());
    EXPECT_FALSE(host.WidgetOf(dialog.Second(), kPageLabel)->isVisible()) << "the page not current";
  });
}

TEST_F(QtHostTest, WidgetsShowWhatTheDialogHolds) {
  EveryControlDialog dialog;
  RunWith(dialog, [&](QWidget&) {
    auto* list = Widget<QTreeWidget>(dialog, kList);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->columnCount(), 3);
    EXPECT_EQ(list->headerItem()->text(1), QStringLiteral("Hz (gon)"));
    EXPECT_EQ(list->columnWidth(0), 60);
    EXPECT_TRUE(list->isColumnHidden(2)) << "width 0 hides a column";
    EXPECT_EQ(list->topLevelItemCount(), 2);
    EXPECT_EQ(list->topLevelItem(1)->text(1), QStringLiteral("212.0001"));
    EXPECT_EQ(Widget<QComboBox>(dialog, kCombo)->currentText(), QStringLiteral("metres"));
    auto* tree = Widget<QTreeWidget>(dialog, kTree);
    EXPECT_EQ(tree->topLevelItemCount(), 2);
    EXPECT_EQ(tree->topLevelItem(0)->child(0)->text(0), QStringLiteral("Data"));
    EXPECT_EQ(Widget<QProgressBar>(dialog, kProgress)->value(), 40);
    EXPECT_TRUE(Widget<QLineEdit>(dialog, kReadOnly)->isReadOnly());
    EXPECT_EQ(Widget<QTabWidget>(dialog, kTab)->tabText(1), QStringLiteral("Two"));
    EXPECT_EQ(Widget<QTabWidget>(dialog, kTab)->count(), 2);
  });
}

// One programmatic change per row, and what the widget must show afterwards.
struct ChangeCase {
  const char* what;
  std::function<void(EveryControlDialog&)> change;
  std::function<bool(QtHost&, EveryControlDialog&)> shows;
  bool settle = false;
};

template <class W>
W* Find(QtHost& host, const Dialog& d, int id) {
  return qobject_cast<W*>(host.WidgetOf(d, id));
}

// The list widget shows every row and cell of the dialog's list, in order.
template <class Host, class D>
bool ShowsRowsOf(Host& host, D& dialog) {
  auto* list = qobject_cast<QTreeWidget*>(host.WidgetOf(dialog, kList));
  if (list == nullptr || list->topLevelItemCount() != dialog.ListRowCount(kList)) return false;
  for (int r = 0; r < dialog.ListRowCount(kList); ++r) {
    for (int c = 0; c < dialog.ListColumnCount(kList); ++c) {
      if (list->topLevelItem(r)->text(c).toStdString() != dialog.ListCell(kList, r, c)) return false;
    }
  }
  return true;
}

TEST_F(QtHostTest, ControlChangedUpdatesTheWidget) {
  const std::vector<ChangeCase> cases{
      {"label text", [](auto& d) { d.SetText(kLabel, "12,5 m"); },
       [](auto& h, auto& d) { return Find<QLabel>(h, d, kLabel)->text() == QStringLiteral("12,5 m"); }},
      {"edit text", [](auto& d) { d.SetText(kEdit, "abc"); },
       [](auto& h, auto& d) { return Find<QLineEdit>(h, d, kEdit)->text() == QStringLiteral("abc"); }},
      {"button caption", [](auto& d) { d.SetText(kButton, "Disable"); },
       [](auto& h, auto& d) {
         return Find<QPushButton>(h, d, kButton)->text() == QStringLiteral("Disable");
       }},
      {"disabled", [](auto& d) { d.Enable(kSoft2, false); },
       [](auto& h, auto& d) { return !h.WidgetOf(d, kSoft2)->isEnabled(); }},
      {"hidden", [](auto& d) { d.Show(kProgress, false); },
       [](auto& h, auto& d) { return !h.WidgetOf(d, kProgress)->isVisible(); }},
      {"shown again", [](auto& d) { d.Show(kProgress, true); },
       [](auto& h, auto& d) { return h.WidgetOf(d, kProgress)->isVisible(); }},
      {"moved",
       [](auto& d) {
         d.Move(kLabel, {10, 190, 60, 16});
       },
       [](auto& h, auto& d) { return h.WidgetOf(d, kLabel)->geometry() == QRect(10, 193, 60, 15); }},
      {"checked", [](auto& d) { d.SetChecked(kCheck, true); },
       [](auto& h, auto& d) { return Find<QCheckBox>(h, d, kCheck)->isChecked(); }},
      {"radio of the group", [](auto& d) { d.SetChecked(kRadioA, true), d.SetChecked(kRadioB, true); },
       [](auto& h, auto& d) {
         return !Find<QRadioButton>(h, d, kRadioA)->isChecked() &&
                Find<QRadioButton>(h, d, kRadioB)->isChecked();
       }},
      {"row added",
       [](auto& d) {
         d.ListAddRow(kList, {"P3", "1", "z"});
       },
       [](auto& h, auto& d) { return Find<QTreeWidget>(h, d, kList)->topLevelItemCount() == 3; }},
      {"cell changed", [](auto& d) { d.ListSetCell(kList, 0, 1, "99.0000"); },
       [](auto& h, auto& d) {
         return Find<QTreeWidget>(h, d, kList)->topLevelItem(0)->text(1) == "99.0000";
       }},
      {"row selected", [](auto& d) { d.ListSelect(kList, 1); },
       [](auto& h, auto& d) {
         auto* l = Find<QTreeWidget>(h, d, kList);
         return l->currentItem() == l->topLevelItem(1) && l->topLevelItem(1)->isSelected();
       }},
      {"selection cleared", [](auto& d) { d.ListSelect(kList, -1); },
       [](auto& h, auto& d) { return Find<QTreeWidget>(h, d, kList)->selectedItems().isEmpty(); }},
      {"column caption",
       [](auto& d) {
         d.ListSetColumn(kList, 1, {"Hz (deg)", 80});
       },
       [](auto& h, auto& d) {
         auto* l = Find<QTreeWidget>(h, d, kList);
         return l->headerItem()->text(1) == "Hz (deg)" && l->columnWidth(1) == 80;
       }},
      // Edits the view follows one by one, without drawing the list afresh: it must end up
      // showing exactly the dialog's rows.
      {"row inserted in the middle",
       [](auto& d) {
         d.ListInsertRow(kList, 1, {"PX", "2", "w"});
       },
       [](auto& h, auto& d) { return ShowsRowsOf(h, d); }},
      {"row deleted", [](auto& d) { d.ListDeleteRow(kList, 0); },
       [](auto& h, auto& d) { return ShowsRowsOf(h, d); }},
      {"cell of the inserted row", [](auto& d) { d.ListSetCell(kList, 0, 2, "v"); },
       [](auto& h, auto& d) { return ShowsRowsOf(h, d); }},
      {"rows set at once",
       [](auto& d) {
         d.ListSetRows(kList, {{"A", "1", "a"}, {"B", "2", "b"}, {"C"}});
       },
       [](auto& h, auto& d) { return ShowsRowsOf(h, d) && d.ListRowCount(kList) == 3; }},
      {"list cleared", [](auto& d) { d.ListClear(kList); },
       [](auto& h, auto& d) { return Find<QTreeWidget>(h, d, kList)->topLevelItemCount() == 0; }},
      {"combo item added and selected", [](auto& d) { d.ComboSelect(kCombo, d.ComboAdd(kCombo, "US feet")); },
       [](auto& h, auto& d) { return Find<QComboBox>(h, d, kCombo)->currentText() == "US feet"; }},
      {"combo cleared", [](auto& d) { d.ComboClear(kCombo); },
       [](auto& h, auto& d) { return Find<QComboBox>(h, d, kCombo)->count() == 0; }},
      {"tab page", [](auto& d) { d.TabSelect(kTab, 1); },
       [](auto& h, auto& d) {
         return Find<QTabWidget>(h, d, kTab)->currentIndex() == 1 &&
                h.WidgetOf(d.Second(), kPageLabel)->isVisible();
       }},
      {"tab caption", [](auto& d) { d.TabSetCaption(kTab, 0, "Uno"); },
       [](auto& h, auto& d) { return Find<QTabWidget>(h, d, kTab)->tabText(0) == "Uno"; }},
      {"control on a page", [](auto& d) { d.Second().SetText(kPageLabel, "changed"); },
       [](auto& h, auto& d) { return Find<QLabel>(h, d.Second(), kPageLabel)->text() == "changed"; }},
      {"tree node", [](auto& d) { d.TreeInsert(kTree, 1, "2026"); },
       [](auto& h, auto& d) {
         return Find<QTreeWidget>(h, d, kTree)->topLevelItem(0)->child(0)->child(0)->text(0) == "2026";
       }},
      {"tree expanded and selected", [](auto& d) { d.TreeExpand(kTree, 0), d.TreeSelect(kTree, 1); },
       [](auto& h, auto& d) {
         auto* t = Find<QTreeWidget>(h, d, kTree);
         return t->topLevelItem(0)->isExpanded() && t->currentItem() == t->topLevelItem(0)->child(0);
       }},
      {"tree cleared", [](auto& d) { d.TreeClear(kTree); },
       [](auto& h, auto& d) { return Find<QTreeWidget>(h, d, kTree)->topLevelItemCount() == 0; }},
      {"progress", [](auto& d) { d.ProgressSetRange(kProgress, 0, 10), d.ProgressSetPos(kProgress, 7); },
       [](auto& h, auto& d) {
         auto* p = Find<QProgressBar>(h, d, kProgress);
         return p->maximum() == 10 && p->value() == 7;
       }},
      {"progress past the end starts over",
       [](auto& d) { d.ProgressSetStep(kProgress, 5), d.ProgressStepIt(kProgress); },
       [](auto& h, auto& d) {
         return Find<QProgressBar>(h, d, kProgress)->value() == d.ProgressPos(kProgress);
       }},
      {"title", [](auto& d) { d.SetTitle("Station Settings : Dam - S1"); },
       [](auto& h, auto& d) { return h.ViewOf(d)->windowTitle() == "Station Settings : Dam - S1"; }},
      {"control added while running",
       [](auto& d) {
         d.AddLabel(77, "late", {4, 196, 60, 14});
       },
       [](auto& h, auto& d) {
         auto* l = Find<QLabel>(h, d, 77);
         return l != nullptr && l->text() == "late" && l->isVisible();
       },
       true},
  };
  EveryControlDialog dialog;
  RunWith(dialog, [&](QWidget&) {
    for (const ChangeCase& c : cases) {
      c.change(dialog);
      // Without event processing: the change shows at once. (A control added while running is
      // announced before its caption is set; its caption follows when Qt runs.)
      if (c.settle) Settle();
      EXPECT_TRUE(c.shows(host, dialog)) << c.what;
    }
  });
}

TEST_F(QtHostTest, ChangesBeforeTheWindowIsUpAreShown) {
  EveryControlDialog dialog;
  dialog.onInit = [](EveryControlDialog& d) {
    d.SetText(kLabel, "from init");
    d.Enable(kButton, false);
  };
  RunWith(dialog, [&](QWidget&) {
    EXPECT_EQ(Widget<QLabel>(dialog, kLabel)->text(), QStringLiteral("from init"));
    EXPECT_FALSE(host.WidgetOf(dialog, kButton)->isEnabled());
  });
}

// The six main buttons showed one dot in six colours, and a bitmap blurred at --scale 2.
TEST_F(QtHostTest, EachMainButtonIconHasItsOwnShapeDrawnForTheScale) {
  std::vector<QImage> shapes;
  for (int iconId : {144, 150, 151, 152, 153, 154}) {
    const QIcon icon = DrawnIcon(iconId);
    EXPECT_EQ(icon.pixmap(QSize(32, 32), 2.0).size(), QSize(64, 64)) << iconId;
    const QImage shape = icon.pixmap(QSize(32, 32)).toImage().convertToFormat(QImage::Format_Alpha8);
    for (const QImage& other : shapes) EXPECT_NE(shape, other) << iconId;
    shapes.push_back(shape);
  }
}

TEST_F(QtHostTest, SavesAPictureOfTheScreen) {
  const auto path = ScreensFolder() / "every_control.png";
  platform::DeleteFileAt(path);
  EveryControlDialog dialog;
  bool saved = false;
  RunWith(dialog, [&](QWidget&) { saved = host.SaveScreenshot(dialog, path); });
  ASSERT_TRUE(saved);
  const QImage picture(QString::fromStdString(path.string()));
  ASSERT_FALSE(picture.isNull());
  EXPECT_EQ(picture.size(), QSize(320, 240));
  EXPECT_FALSE(host.SaveScreenshot(dialog, path)) << "a dialog not shown has no picture";
}

}  // namespace
}  // namespace vigil::ui::qt::test
