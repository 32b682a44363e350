// The widget of a plot control: its lines with their uncertainty bands and its level lines,
// drawn small enough to be read on the 320 x 240 screen.
#pragma once

#include <QWidget>

#include "platform/Control.h"

namespace vigil::ui::qt {

QWidget* MakePlot(QWidget* parent);

/// Draws `now` afresh unless what it shows is the same as `before`.
void RefreshPlot(QWidget& widget, const platform::Control& now, const platform::Control* before);

}  // namespace vigil::ui::qt
