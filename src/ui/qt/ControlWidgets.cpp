#include "ui/qt/ControlWidgets.h"

#include "ui/qt/ButtonIcons.h"
#include "ui/qt/PlotWidget.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QSignalBlocker>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>
#include <QTreeWidget>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

namespace vigil::ui::qt {

using platform::Control;
using platform::ControlHead;
using platform::ControlKind;
using platform::ListEdit;
using platform::TreeNode;

namespace {

QString Q(const std::string& text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

bool SameNodes(const std::vector<TreeNode>& a, const std::vector<TreeNode>& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (a[i].text != b[i].text || a[i].parent != b[i].parent || a[i].children != b[i].children) return false;
  }
  return true;
}

bool SameColumns(const std::vector<platform::ListColumn>& a, const std::vector<platform::ListColumn>& b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const auto& x, const auto& y) {
    return x.caption == y.caption && x.widthPx == y.widthPx;
  });
}

QTreeWidget* MakeList(QWidget* parent, bool report) {
  auto* tree = new QTreeWidget(parent);
  tree->setSelectionMode(QAbstractItemView::SingleSelection);
  tree->setSelectionBehavior(QAbstractItemView::SelectRows);
  tree->setEditTriggers(QAbstractItemView::NoEditTriggers);
  tree->setUniformRowHeights(true);
  if (report) {
    tree->setRootIsDecorated(false);
    tree->setAllColumnsShowFocus(true);
    tree->header()->setStretchLastSection(false);
    tree->header()->setSectionsMovable(false);
  } else {
    tree->setHeaderHidden(true);
    tree->setColumnCount(1);
  }
  return tree;
}

QTreeWidgetItem* MakeRowItem(const std::vector<std::string>& row) {
  auto* item = new QTreeWidgetItem;
  for (std::size_t c = 0; c < row.size(); ++c) item->setText(static_cast<int>(c), Q(row[c]));
  return item;
}

void RefreshListSelection(QTreeWidget& list, const Control& now, const Control* before);

void RefreshReportList(QTreeWidget& list, const Control& now, const Control* before) {
  if (before == nullptr || !SameColumns(now.columns, before->columns)) {
    list.setColumnCount(static_cast<int>(now.columns.size()));
    QStringList captions;
    for (const auto& column : now.columns) captions << Q(column.caption);
    list.setHeaderLabels(captions);
    for (int i = 0; i < static_cast<int>(now.columns.size()); ++i) {
      const int width = now.columns[static_cast<std::size_t>(i)].widthPx;
      list.setColumnHidden(i, width <= 0);
      if (width > 0) list.setColumnWidth(i, width);
    }
  }
  if (before == nullptr || now.rows != before->rows || now.columns.size() != before->columns.size()) {
    list.clear();
    QList<QTreeWidgetItem*> items;
    items.reserve(static_cast<qsizetype>(now.rows.size()));
    for (const auto& row : now.rows) items.push_back(MakeRowItem(row));
    // One insertion for the whole list: the view lays out once, not once a row.
    list.addTopLevelItems(items);
  }
  RefreshListSelection(list, now, before);
}

void RefreshListSelection(QTreeWidget& list, const Control& now, const Control* before) {
  QTreeWidgetItem* selected = now.selected >= 0 ? list.topLevelItem(now.selected) : nullptr;
  if (list.currentItem() != selected || (selected != nullptr && !selected->isSelected())) {
    list.setCurrentItem(selected);
    if (selected == nullptr) list.clearSelection();
  }
  if (now.scrollToRow >= 0 && (before == nullptr || before->scrollToRow != now.scrollToRow)) {
    if (QTreeWidgetItem* item = list.topLevelItem(now.scrollToRow)) list.scrollToItem(item);
  }
}

void RefreshTree(QTreeWidget& tree, const Control& now, const Control* before) {
  if (before == nullptr || !SameNodes(now.nodes, before->nodes)) {
    tree.clear();
    std::vector<QTreeWidgetItem*> items(now.nodes.size(), nullptr);
    // Parents are always inserted before their children, so one pass in handle order works.
    for (std::size_t h = 0; h < now.nodes.size(); ++h) {
      const TreeNode& node = now.nodes[h];
      const bool topLevel = node.parent < 0 || static_cast<std::size_t>(node.parent) >= h;
      QTreeWidgetItem* item = topLevel ? new QTreeWidgetItem(&tree)
                                       : new QTreeWidgetItem(items[static_cast<std::size_t>(node.parent)]);
      item->setText(0, Q(node.text));
      item->setData(0, Qt::UserRole, static_cast<int>(h));
      items[h] = item;
    }
  }
  QTreeWidgetItem* selected = nullptr;
  QTreeWidgetItemIterator it(&tree);
  for (; *it != nullptr; ++it) {
    const int handle = (*it)->data(0, Qt::UserRole).toInt();
    if (handle < 0 || static_cast<std::size_t>(handle) >= now.nodes.size()) continue;
    (*it)->setExpanded(now.nodes[static_cast<std::size_t>(handle)].expanded);
    if (handle == now.selected) selected = *it;
  }
  if (tree.currentItem() != selected) tree.setCurrentItem(selected);
  if (selected == nullptr) tree.clearSelection();
}

void RefreshCombo(QComboBox& combo, const Control& now, const Control* before) {
  if (before == nullptr || now.items != before->items) {
    combo.clear();
    for (const auto& item : now.items) combo.addItem(Q(item));
  }
  if (combo.currentIndex() != now.selected) combo.setCurrentIndex(now.selected);
}

// Padding and frame of one tab, both sides together (px): the style's own is twice the
// width of a narrow caption, and six tabs would not fit the screen.
constexpr int kTabSidesPx = 4;

QString BrokenAtMiddleBlank(const QString& caption) {
  int best = -1;
  for (int i = 0; i < caption.size(); ++i) {
    if (caption[i] == QLatin1Char(' ') &&
        (best < 0 || std::abs(i - caption.size() / 2) < std::abs(best - caption.size() / 2)))
      best = i;
  }
  if (best < 0) return caption;
  QString broken = caption;
  broken[best] = QLatin1Char('\n');
  return broken;
}

void RefreshTab(QTabWidget& tabs, const Control& now) {
  FitTabCaptions(tabs, now.items);
  if (now.selected >= 0 && now.selected < tabs.count() && tabs.currentIndex() != now.selected) {
    tabs.setCurrentIndex(now.selected);
  }
}

void RefreshText(QWidget& widget, const Control& now) {
  const QString text = Q(now.text);
  if (auto* button = qobject_cast<QAbstractButton*>(&widget)) {
    if (button->text() != text) button->setText(text);
    if (button->isCheckable() && button->isChecked() != now.checked) button->setChecked(now.checked);
  } else if (auto* label = qobject_cast<QLabel*>(&widget)) {
    if (label->text() != text) label->setText(text);
  } else if (auto* edit = qobject_cast<QLineEdit*>(&widget)) {
    // Only when it differs: setting the same text would move the operator's cursor.
    if (edit->text() != text) edit->setText(text);
    edit->setReadOnly(now.readOnly);
  }
}

}  // namespace

QString ControlObjectName(int controlId) {
  return QStringLiteral("control-%1").arg(controlId);
}

QRect WidgetRect(const Control& control) {
  int height = control.rect.height;
  if (control.kind == ControlKind::Combo) height = std::min(height, kComboBoxHeightPx);
  return QRect(control.rect.x, control.rect.y, control.rect.width, height);
}

QRect ScreenFit::Apply(const QRect& laidOut) const {
  // Top and bottom are mapped, not the height, so neighbouring rows keep their gap.
  const int top = topPx + static_cast<int>(std::lround(laidOut.y() * yScale));
  const int bottom = topPx + static_cast<int>(std::lround((laidOut.y() + laidOut.height()) * yScale));
  return QRect(laidOut.x(), top, laidOut.width(), bottom - top);
}

void FitTabCaptions(QTabWidget& tabs, const std::vector<std::string>& captions) {
  auto show = [&](bool twoLines) {
    for (int i = 0; i < tabs.count() && i < static_cast<int>(captions.size()); ++i) {
      QString caption = Q(captions[static_cast<std::size_t>(i)]);
      if (twoLines) caption = BrokenAtMiddleBlank(caption);
      if (tabs.tabText(i) != caption) tabs.setTabText(i, caption);
    }
  };
  // The bar's own size hint already counts shortened captions: measure the whole ones.
  const QFontMetrics metrics(tabs.tabBar()->font());
  int oneLinePx = 0;
  for (const std::string& text : captions) oneLinePx += metrics.horizontalAdvance(Q(text)) + kTabSidesPx;
  show(oneLinePx > tabs.width());
}

QIcon DrawnIcon(int iconId) {
  return ButtonIcon(iconId);
}

QWidget* CreateControlWidget(const Control& control, QWidget* parent) {
  QWidget* widget = nullptr;
  switch (control.kind) {
    case ControlKind::Button:
      if (control.iconId != 0) {
        auto* button = new QToolButton(parent);
        button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        button->setIcon(DrawnIcon(control.iconId));
        button->setIconSize(QSize(32, 32));
        widget = button;
      } else {
        auto* button = new QPushButton(parent);
        button->setAutoDefault(false);
        widget = button;
      }
      break;
    case ControlKind::Label: {
      auto* label = new QLabel(parent);
      label->setWordWrap(true);
      label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
      label->setTextFormat(Qt::PlainText);
      widget = label;
      break;
    }
    case ControlKind::Edit: {
      auto* edit = new QLineEdit(parent);
      if (control.digitsOnly) {
        edit->setValidator(
            new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), edit));
      }
      widget = edit;
      break;
    }
    case ControlKind::ReportList:
      widget = MakeList(parent, true);
      break;
    case ControlKind::Tree:
      widget = MakeList(parent, false);
      break;
    case ControlKind::Combo:
      widget = new QComboBox(parent);
      break;
    case ControlKind::Check:
      widget = new QCheckBox(parent);
      break;
    case ControlKind::Radio: {
      auto* radio = new QRadioButton(parent);
      // Groups are the dialog's; Qt's own exclusivity among siblings would mix them up.
      radio->setAutoExclusive(false);
      widget = radio;
      break;
    }
    case ControlKind::Tab: {
      auto* tabs = new QTabWidget(parent);
      // Every tab in sight: captions fitted (FitTabCaptions) on tabs with little padding.
      tabs->setUsesScrollButtons(false);
      tabs->setElideMode(Qt::ElideNone);
      tabs->tabBar()->setStyleSheet(QStringLiteral("QTabBar::tab { padding: 1px 1px; height: 28px; }"));
      widget = tabs;
      break;
    }
    case ControlKind::Progress: {
      auto* bar = new QProgressBar(parent);
      bar->setTextVisible(false);
      widget = bar;
      break;
    }
    case ControlKind::Plot:
      widget = MakePlot(parent);
      break;
  }
  widget->setObjectName(ControlObjectName(control.id));
  return widget;
}

bool FollowListEdit(QTreeWidget& list, const Control& now, Control& shown) {
  if (now.listRevision != shown.listRevision + 1 || now.columns.size() != shown.columns.size()) return false;
  const ListEdit& edit = now.listEdit;
  const auto row = static_cast<std::size_t>(edit.row);
  switch (edit.kind) {
    case ListEdit::Kind::None:
      break;
    case ListEdit::Kind::Cell: {
      QTreeWidgetItem* item = list.topLevelItem(edit.row);
      if (item == nullptr || row >= shown.rows.size() || row >= now.rows.size()) return false;
      const std::string& text = now.rows[row][static_cast<std::size_t>(edit.column)];
      item->setText(edit.column, Q(text));
      shown.rows[row][static_cast<std::size_t>(edit.column)] = text;
      break;
    }
    case ListEdit::Kind::Insert:
      if (row > shown.rows.size() || row >= now.rows.size()) return false;
      list.insertTopLevelItem(edit.row, MakeRowItem(now.rows[row]));
      shown.rows.insert(shown.rows.begin() + edit.row, now.rows[row]);
      break;
    case ListEdit::Kind::Delete:
      if (row >= shown.rows.size()) return false;
      delete list.takeTopLevelItem(edit.row);
      shown.rows.erase(shown.rows.begin() + edit.row);
      break;
    case ListEdit::Kind::All:
      return false;
  }
  RefreshListSelection(list, now, &shown);
  static_cast<ControlHead&>(shown) = now;
  return true;
}

void RefreshControlWidget(QWidget& widget, const Control& now, const Control* before, const ScreenFit& fit) {
  const QSignalBlocker blocker(&widget);
  const QRect rect = fit.Apply(WidgetRect(now));
  if (widget.geometry() != rect) widget.setGeometry(rect);
  switch (now.kind) {
    case ControlKind::Button:
    case ControlKind::Label:
    case ControlKind::Edit:
    case ControlKind::Check:
    case ControlKind::Radio:
      RefreshText(widget, now);
      break;
    case ControlKind::ReportList:
      RefreshReportList(static_cast<QTreeWidget&>(widget), now, before);
      break;
    case ControlKind::Tree:
      RefreshTree(static_cast<QTreeWidget&>(widget), now, before);
      break;
    case ControlKind::Combo:
      RefreshCombo(static_cast<QComboBox&>(widget), now, before);
      break;
    case ControlKind::Tab:
      RefreshTab(static_cast<QTabWidget&>(widget), now);
      break;
    case ControlKind::Progress: {
      auto& bar = static_cast<QProgressBar&>(widget);
      if (bar.minimum() != now.rangeMin || bar.maximum() != now.rangeMax)
        bar.setRange(now.rangeMin, now.rangeMax);
      bar.setValue(std::clamp(now.position, std::min(now.rangeMin, now.rangeMax),
                              std::max(now.rangeMin, now.rangeMax)));
      break;
    }
    case ControlKind::Plot:
      RefreshPlot(widget, now, before);
      break;
  }
  if (widget.isEnabled() != now.enabled) widget.setEnabled(now.enabled);
  if (widget.isVisibleTo(widget.parentWidget()) != now.visible) widget.setVisible(now.visible);
}

}  // namespace vigil::ui::qt
