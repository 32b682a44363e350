// Runs the installer dialog without a screen: one action, every question answered with Yes,
// every message printed. For builds without the window front end, and for scripted use.
#pragma once

#include <ostream>
#include <string_view>

#include "installer/InstallerDialog.h"

namespace vigil::installer {

enum class HeadlessAction { Show, Install, Uninstall, Tool };

/// The action named on the command line ("show", "install", "uninstall", "tool").
bool ParseHeadlessAction(std::string_view text, HeadlessAction& action);

/// Runs `dialog` on `loop`, carries out `action` (with "Delete Data" when `deleteData`) and
/// writes each message shown to `out`. Returns the process exit code: 0 when the start-up
/// checks passed and the action ran to its end, 1 when the package was refused or the action
/// was refused, failed or had nothing to do.
int RunHeadless(InstallerDialog& dialog, platform::EventLoop& loop, const InstallerStrings& strings,
                HeadlessAction action, bool deleteData, std::ostream& out);

}  // namespace vigil::installer
