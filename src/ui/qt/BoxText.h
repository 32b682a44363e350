// Message box texts fitted to the controller's 320-pixel screen: Qt would widen a box to
// half the desktop rather than wrap its text.
#pragma once

#include <QFontMetrics>
#include <QString>

namespace vigil::ui::qt {

/// Width of a message box's text on the screen (pixels): the screen less the box's icon,
/// margins and frame.
inline constexpr int kBoxTextWidthPx = 200;

/// `text` with line breaks so that no line is wider than `widthPx` in `metrics`: at the
/// blanks between words, and inside a word only when the word alone is wider. Line breaks
/// already there stay; CR LF becomes one break.
QString WrapToWidth(const QString& text, const QFontMetrics& metrics, int widthPx);

}  // namespace vigil::ui::qt
