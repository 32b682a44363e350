// The icons of the main window's six buttons, drawn as vectors: each shows what its button
// does, and stays sharp at any --scale.
#pragma once

#include <QIcon>

namespace vigil::ui::qt {

/// The drawn icon of icon resource `iconId` (144 Enable, 150 Proj Settings, 151 Orientation,
/// 152 Monitor, 153 Training, 154 Controls); a plain badge for any other id.
QIcon ButtonIcon(int iconId);

}  // namespace vigil::ui::qt
