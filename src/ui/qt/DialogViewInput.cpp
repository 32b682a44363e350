// What the operator does to the widgets, handed to the dialog as its input. Every input
// runs queued, after the widget's signal has returned, so a screen may rebuild or close the
// very widget that was used.
#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QPointer>
#include <QTabWidget>
#include <QTreeWidget>

#include "ui/qt/DialogView.h"
#include "ui/qt/QtHost.h"

namespace vigil::ui::qt {

using platform::Control;
using platform::ControlKind;
using platform::Dialog;

namespace {

int SelectedData(const QTreeWidget& tree, bool byHandle) {
  const auto selected = tree.selectedItems();
  if (selected.isEmpty()) return -1;
  return byHandle ? selected.front()->data(0, Qt::UserRole).toInt()
                  : tree.indexOfTopLevelItem(selected.front());
}

}  // namespace

void DialogView::Input(int id, std::function<void(Dialog&)> action) {
  QPointer<DialogView> self(this);
  host_.Deliver(this, [self, id, action = std::move(action)] {
    if (self == nullptr) return;
    action(self->dialog_);
    // Input the dialog refused (or changed, as a digits-only edit does) is shown undone.
    if (self != nullptr && id != 0) self->RefreshControl(id);
  });
}

void DialogView::ConnectInput(QWidget& widget, const Control& control) {
  const int id = control.id;
  switch (control.kind) {
    case ControlKind::Button:
    case ControlKind::Check:
    case ControlKind::Radio:
      connect(static_cast<QAbstractButton*>(&widget), &QAbstractButton::clicked, this,
              [this, id] { Input(id, [id](Dialog& d) { d.PressButton(id); }); });
      break;
    case ControlKind::Edit: {
      QPointer<QLineEdit> edit(static_cast<QLineEdit*>(&widget));
      // The text at the time the input runs: fast typing is taken whole, not key by key.
      connect(edit, &QLineEdit::textEdited, this, [this, id, edit] {
        Input(id, [id, edit](Dialog& d) {
          if (edit != nullptr) d.TypeInto(id, edit->text().toStdString());
        });
      });
      break;
    }
    case ControlKind::ReportList:
    case ControlKind::Tree: {
      auto* tree = static_cast<QTreeWidget*>(&widget);
      const bool byHandle = control.kind == ControlKind::Tree;
      connect(tree, &QTreeWidget::itemSelectionChanged, this, [this, id, tree, byHandle] {
        const int index = SelectedData(*tree, byHandle);
        Input(id, [id, index](Dialog& d) { d.Choose(id, index); });
      });
      if (byHandle) {
        const auto toggle = [this, id](QTreeWidgetItem* item, bool expanded) {
          const int node = item->data(0, Qt::UserRole).toInt();
          Input(id, [id, node, expanded](Dialog& d) {
            const platform::TreeNode* n = d.TreeGet(id, node);
            if (n != nullptr && n->expanded != expanded) d.ToggleExpand(id, node);
          });
        };
        connect(tree, &QTreeWidget::itemExpanded, this,
                [toggle](QTreeWidgetItem* item) { toggle(item, true); });
        connect(tree, &QTreeWidget::itemCollapsed, this,
                [toggle](QTreeWidgetItem* item) { toggle(item, false); });
      }
      break;
    }
    case ControlKind::Combo:
      connect(static_cast<QComboBox*>(&widget), &QComboBox::activated, this,
              [this, id](int index) { Input(id, [id, index](Dialog& d) { d.Choose(id, index); }); });
      break;
    case ControlKind::Tab:
      connect(static_cast<QTabWidget*>(&widget), &QTabWidget::currentChanged, this,
              [this, id](int index) { Input(id, [id, index](Dialog& d) { d.Choose(id, index); }); });
      break;
    case ControlKind::Label:
    case ControlKind::Progress:
    case ControlKind::Plot:
      break;
  }
}

}  // namespace vigil::ui::qt
