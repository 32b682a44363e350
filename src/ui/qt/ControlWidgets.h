// The widget of each control kind and how it follows the control's record. Operator input
// is wired elsewhere (DialogView); here widgets are only made to show what the dialog holds,
// with their signals blocked so showing never looks like input.
#pragma once

#include <QIcon>
#include <QRect>
#include <QWidget>
#include <string>
#include <vector>

#include "platform/Control.h"

class QTabWidget;

class QTreeWidget;

namespace vigil::ui::qt {

/// A combo's rectangle includes its drop-down list; the closed box is at most this high (px):
/// two less than a settings row, so lists in rows one below the other do not touch.
inline constexpr int kComboBoxHeightPx = 20;

/// Where the widget of `control` goes on its dialog (pixels), as the dialog laid it out.
QRect WidgetRect(const platform::Control& control);

/// The controller draws a window's title row inside its 320 x 240 screen, while the dialogs lay
/// their controls out on the whole screen: the host squeezes every row evenly into what is left
/// below the title, so nothing at the bottom is cut off and no two controls come to overlap.
struct ScreenFit {
  int topPx = 0;        ///< where the dialog's row 0 is drawn (px)
  double yScale = 1.0;  ///< drawn height per laid-out height

  QRect Apply(const QRect& laidOut) const;
};

/// A new widget for the control (named "control-<id>"), not yet filled.
QWidget* CreateControlWidget(const platform::Control& control, QWidget* parent);

/// Brings `widget` in line with `now`. `before` is what the widget shows (null: nothing yet);
/// parts that did not change are left alone, so a list keeps its scroll position.
void RefreshControlWidget(QWidget& widget, const platform::Control& now, const platform::Control* before,
                          const ScreenFit& fit);

/// Follows the one change of a report list's rows since `shown` (what `list` shows): the cell,
/// the inserted or deleted row, the selection; `shown` then equals `now`. False, nothing done,
/// when the list did more than that: the caller refreshes it whole.
bool FollowListEdit(QTreeWidget& list, const platform::Control& now, platform::Control& shown);

/// The captions of a tab control's tabs: on one line when the bar fits the control's width,
/// otherwise on two lines at the blank nearest each caption's middle, so every tab is seen
/// without scrolling.
void FitTabCaptions(QTabWidget& tabs, const std::vector<std::string>& captions);

/// The drawn icon of icon resource `iconId` (ButtonIcon), 32 x 32 at scale 1.
QIcon DrawnIcon(int iconId);

/// The object name of a control's widget, for finding it.
QString ControlObjectName(int controlId);

}  // namespace vigil::ui::qt
