// What the operator does to the widgets reaches the dialog; keys go through the soft-key bar.
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <QTreeWidget>

#include "QtFixture.h"
#include "platform/Files.h"

namespace vigil::ui::qt::test {
namespace {

using platform::kIdCancel;
using platform::kIdNo;
using platform::kIdOk;
using platform::kIdYes;
using platform::MessageButtons;
using platform::MessageIcon;

void Click(QWidget* widget) {
  ASSERT_NE(widget, nullptr);
  QTest::mouseClick(widget, Qt::LeftButton);
  Settle();
}

TEST_F(QtHostTest, PressingWidgetsReachesTheDialog) {
  EveryControlDialog dialog;
  RunWith(dialog, [&](QWidget&) {
    Click(host.WidgetOf(dialog, kButton));
    Click(host.WidgetOf(dialog, kIconButton));
    EXPECT_EQ(dialog.commands, (std::vector<int>{kButton, kIconButton}));

    Click(host.WidgetOf(dialog, kCheck));
    EXPECT_TRUE(dialog.IsChecked(kCheck));
    Click(host.WidgetOf(dialog, kCheck));
    EXPECT_FALSE(dialog.IsChecked(kCheck));

    Click(host.WidgetOf(dialog, kRadioA));
    Click(host.WidgetOf(dialog, kRadioB));
    EXPECT_FALSE(dialog.IsChecked(kRadioA));
    EXPECT_TRUE(dialog.IsChecked(kRadioB));
    EXPECT_FALSE(Widget<QRadioButton>(dialog, kRadioA)->isChecked()) << "the group's other radio follows";
  });
}

TEST_F(QtHostTest, TypingReachesTheDialogAndADigitsOnlyEditKeepsDigits) {
  EveryControlDialog dialog;
  RunWith(dialog, [&](QWidget&) {
    auto* edit = Widget<QLineEdit>(dialog, kEdit);
    edit->setFocus();
    QTest::keyClicks(edit, "P-12");
    Settle();
    EXPECT_EQ(dialog.Text(kEdit), "P-12");
    EXPECT_FALSE(dialog.edits.empty());

    auto* digits = Widget<QLineEdit>(dialog, kDigits);
    QTest::keyClicks(digits, "4a2");
    Settle();
    EXPECT_EQ(dialog.Text(kDigits), "42");
    EXPECT_EQ(digits->text(), QStringLiteral("42"));

    // A read-only edit takes nothing, and the page's edit reaches the page.
    QTest::keyClicks(Widget<QLineEdit>(dialog, kReadOnly), "x");
    Settle();
    EXPECT_EQ(dialog.Text(kReadOnly), "");
    QTest::keyClicks(host.WidgetOf(dialog.First(), kPageEdit), "7");
    Settle();
    EXPECT_EQ(dialog.First().Text(kPageEdit), "7");
    EXPECT_EQ(dialog.First().edits, std::vector<int>{kPageEdit});
  });
}

TEST_F(QtHostTest, ChoosingRowsItemsPagesAndNodesReachesTheDialog) {
  EveryControlDialog dialog;
  RunWith(dialog, [&](QWidget&) {
    auto* list = Widget<QTreeWidget>(dialog, kList);
    list->setCurrentItem(list->topLevelItem(1));
    Settle();
    EXPECT_EQ(dialog.ListSelected(kList), 1);

    auto* combo = Widget<QComboBox>(dialog, kCombo);
    combo->setFocus();
    QTest::keyClick(combo, Qt::Key_Down);
    Settle();
    EXPECT_EQ(dialog.ComboSelected(kCombo), 1);

    Widget<QTabWidget>(dialog, kTab)->setCurrentIndex(1);
    Settle();
    EXPECT_EQ(dialog.TabCurrent(kTab), 1);
    EXPECT_TRUE(dialog.Second().IsPageShown());

    auto* tree = Widget<QTreeWidget>(dialog, kTree);
    tree->topLevelItem(0)->setExpanded(true);
    Settle();
    EXPECT_TRUE(dialog.TreeGet(kTree, 0)->expanded);
    tree->setCurrentItem(tree->topLevelItem(0)->child(0));
    Settle();
    EXPECT_EQ(dialog.TreeSelected(kTree), 1);
    EXPECT_EQ(dialog.selections, (std::vector<int>{kList, kCombo, kTab, kTree}));
  });
}

TEST_F(QtHostTest, InputTheDialogRefusesIsShownUndone) {
  EveryControlDialog dialog;
  RunWith(dialog, [&](QWidget&) {
    // A tree node inside a closed folder cannot be chosen.
    auto* tree = Widget<QTreeWidget>(dialog, kTree);
    tree->setCurrentItem(tree->topLevelItem(0)->child(0));
    Settle();
    EXPECT_EQ(dialog.TreeSelected(kTree), -1);
    EXPECT_TRUE(tree->selectedItems().isEmpty());
    // Disabled meanwhile: the click that was already on its way is refused.
    auto* check = Widget<QCheckBox>(dialog, kCheck);
    QTest::mouseClick(check, Qt::LeftButton);
    dialog.Enable(kCheck, false);
    Settle();
    EXPECT_FALSE(dialog.IsChecked(kCheck));
    EXPECT_FALSE(check->isChecked());
  });
}

TEST_F(QtHostTest, FunctionKeysPressTheSoftKeys) {
  EveryControlDialog dialog;
  RunWith(dialog, [&](QWidget& window) {
    for (Qt::Key key : {Qt::Key_F1, Qt::Key_F2, Qt::Key_F3, Qt::Key_F4}) QTest::keyClick(&window, key);
    Settle();
    EXPECT_EQ(dialog.commands, (std::vector<int>{kSoft1, kSoft2, kSoft3, kSoft4}));
    // A disabled soft key is not pressed; nor is one while the key is held (auto-repeat).
    dialog.Enable(kSoft2, false);
    QTest::keyClick(&window, Qt::Key_F2);
    QTest::keyPress(&window, Qt::Key_F4);
    QKeyEvent repeat(QEvent::KeyPress, Qt::Key_F4, Qt::NoModifier, QString(), true);
    QApplication::sendEvent(&window, &repeat);
    Settle();
    EXPECT_EQ(dialog.commands, (std::vector<int>{kSoft1, kSoft2, kSoft3, kSoft4, kSoft4}));
  });
}

TEST_F(QtHostTest, EscapeClosesNothing) {
  EveryControlDialog dialog;
  dialog.allowClose = true;
  RunWith(dialog, [&](QWidget& window) {
    QTest::keyClick(&window, Qt::Key_Escape);
    QTest::keyClick(host.WidgetOf(dialog, kEdit), Qt::Key_Escape);
    Settle();
    EXPECT_FALSE(dialog.Ended());
    EXPECT_EQ(dialog.closeAsked, 0);
    EXPECT_TRUE(window.isVisible());
  });
}

// No key closed a screen, and Alt+F4 pressed soft key 4 (in the settings sheet: OK, save).
TEST_F(QtHostTest, F5IsTheCloseKeyAndModifiedKeysPressNoSoftKey) {
  EveryControlDialog dialog;
  RunWith(dialog, [&](QWidget& window) {
    for (Qt::KeyboardModifier modifier : {Qt::AltModifier, Qt::ControlModifier, Qt::ShiftModifier})
      QTest::keyClick(&window, Qt::Key_F4, modifier);
    Settle();
    EXPECT_TRUE(dialog.commands.empty());
    QTest::keyClick(&window, Qt::Key_F5);
    Settle();
    EXPECT_EQ(dialog.closeAsked, 1);
  });
}

TEST_F(QtHostTest, TheCloseBoxAsksTheDialog) {
  EveryControlDialog dialog;
  int result = 0;
  onShown.push_back([&](QWidget& window) {
    window.close();
    Settle();
    EXPECT_EQ(dialog.closeAsked, 1);
    EXPECT_FALSE(dialog.Ended()) << "the dialog said no";
    dialog.allowClose = true;
    window.close();
    Settle();
  });
  result = host.RunModal(dialog);
  EXPECT_EQ(dialog.closeAsked, 2);
  EXPECT_EQ(result, kIdCancel);
}

TEST_F(QtHostTest, ASoftKeyThatEndsTheDialogEndsTheRun) {
  EveryControlDialog dialog;
  dialog.onCommand = [&](int id) {
    if (id == kSoft4) dialog.EndDialog(kIdOk);
  };
  onShown.push_back([&](QWidget& window) { QTest::keyClick(&window, Qt::Key_F4); });
  EXPECT_EQ(host.RunModal(dialog), kIdOk);
  EXPECT_EQ(host.OpenDialogs().size(), 0u);
  EXPECT_EQ(host.ViewOf(dialog), nullptr);
}

// ---- Message boxes ------------------------------------------------------------------------

struct AnswerCase {
  MessageButtons buttons;
  QMessageBox::StandardButton click;  // NoButton: the box is closed without a button
  int answer;
  const char* comment;
};

TEST_F(QtHostTest, MessageBoxesAnswerWithTheButtonClicked) {
  const AnswerCase cases[] = {
      {MessageButtons::Ok, QMessageBox::Ok, kIdOk, ""},
      {MessageButtons::OkCancel, QMessageBox::Cancel, kIdCancel, ""},
      {MessageButtons::OkCancel, QMessageBox::Ok, kIdOk, ""},
      {MessageButtons::YesNo, QMessageBox::Yes, kIdYes, ""},
      {MessageButtons::YesNo, QMessageBox::No, kIdNo, ""},
      {MessageButtons::YesNoCancel, QMessageBox::Cancel, kIdCancel, ""},
      {MessageButtons::YesNo, QMessageBox::NoButton, kIdNo, "closed unanswered: the refusing answer"},
  };
  for (const AnswerCase& c : cases) {
    QString shownText;
    QMessageBox::Icon shownIcon = QMessageBox::NoIcon;
    onShown.push_back([&](QWidget& window) {
      auto* box = qobject_cast<QMessageBox*>(&window);
      ASSERT_NE(box, nullptr);
      shownText = box->text();
      shownIcon = box->icon();
      EXPECT_TRUE(host.MessageBoxOpen());
      if (c.click == QMessageBox::NoButton) {
        box->done(0);
      } else {
        QTest::mouseClick(box->button(c.click), Qt::LeftButton);
      }
    });
    EXPECT_EQ(host.MessageBox("Proceed to Enable?", "DLK", MessageIcon::Question, c.buttons), c.answer)
        << c.comment;
    EXPECT_EQ(shownText, QStringLiteral("Proceed to Enable?"));
    EXPECT_EQ(shownIcon, QMessageBox::Question);
    EXPECT_FALSE(host.MessageBoxOpen());
  }
}

// Boxes were drawn 453 to 500 pixels wide on the 320 x 240 screen.
TEST_F(QtHostTest, MessageBoxesFitTheScreen) {
  const std::string texts[] = {
      "Warning: Importing of training file will overwrite existing data of PROJ-STN1. Do you wish to "
      "continue?",
      "Please start monitoring first before you can save a copy of the data.\r\n(Note: Only the last and "
      "just "
      "monitored data can be \"saved as\".  Please use \"Download\" to get all other data.)",
      std::string(90, 'W'),  // one word wider than the screen
  };
  for (const std::string& text : texts) {
    QSize size;
    onShown.push_back([&](QWidget& window) {
      size = window.size();
      auto* box = qobject_cast<QMessageBox*>(&window);
      ASSERT_NE(box, nullptr);
      box->button(QMessageBox::Yes)->click();
    });
    host.MessageBox(text, "DLK", MessageIcon::Exclamation, MessageButtons::YesNo);
    EXPECT_LE(size.width(), 320) << text;
    EXPECT_LE(size.height(), 240) << text;
  }
}

TEST_F(QtHostTest, EscapeDoesNotAnswerAMessageBoxAndKeysDoNotReachTheDialogBehindIt) {
  EveryControlDialog dialog;
  int answer = 0;
  dialog.onCommand = [&](int id) {
    if (id == kButton)
      answer = host.MessageBox("Close?", "", MessageIcon::Exclamation, MessageButtons::YesNo);
  };
  RunWith(dialog, [&](QWidget&) {
    onShown.push_back([&](QWidget& window) {
      auto* box = qobject_cast<QMessageBox*>(&window);
      ASSERT_NE(box, nullptr);
      EXPECT_EQ(box->icon(), QMessageBox::Warning);
      QTest::keyClick(box, Qt::Key_Escape);
      QTest::keyClick(box, Qt::Key_F1);
      Settle();
      EXPECT_TRUE(box->isVisible()) << "escape answered the box";
      QTest::mouseClick(box->button(QMessageBox::Yes), Qt::LeftButton);
    });
    Click(host.WidgetOf(dialog, kButton));
    EXPECT_EQ(answer, kIdYes);
    EXPECT_EQ(dialog.commands, std::vector<int>{kButton}) << "F1 reached soft key 1 behind the box";
  });
}

}  // namespace
}  // namespace vigil::ui::qt::test
