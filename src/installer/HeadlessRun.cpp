#include "installer/HeadlessRun.h"

#include "installer/InstallerMessages.h"
#include "ui/scripted/ScriptedHost.h"

namespace vigil::installer {

bool ParseHeadlessAction(std::string_view text, HeadlessAction& action) {
  if (text == "show")
    action = HeadlessAction::Show;
  else if (text == "install")
    action = HeadlessAction::Install;
  else if (text == "uninstall")
    action = HeadlessAction::Uninstall;
  else if (text == "tool")
    action = HeadlessAction::Tool;
  else
    return false;
  return true;
}

int RunHeadless(InstallerDialog& dialog, platform::EventLoop& loop, const InstallerStrings& strings,
                HeadlessAction action, bool deleteData, std::ostream& out) {
  ui::ScriptedHost host(loop);
  for (int question :
       {msg::kAskInstall, msg::kAskUninstall, msg::kAskInstallDeleteData, msg::kAskUninstallDeleteData}) {
    host.AlwaysAnswer(strings.Text(question), platform::kIdYes, ui::TextMatch::Exact);
  }
  host.AlwaysAnswer("", platform::kIdOk, ui::TextMatch::Contains);
  host.Do("start", [&] {
    if (deleteData) dialog.SetChecked(kDeleteDataId, true);
    // A button the window would not offer says why, as the action itself would.
    if (action == HeadlessAction::Install && !dialog.PressButton(kInstallId)) {
      dialog.ShowMessage(msg::kAlreadyInstalled, platform::MessageIcon::Exclamation);
    }
    if (action == HeadlessAction::Uninstall && !dialog.PressButton(kUninstallId)) {
      dialog.ShowMessage(msg::kNotInstalled, platform::MessageIcon::Exclamation);
    }
    if (action == HeadlessAction::Tool && !dialog.PressButton(kToolButtonId)) {
      dialog.ShowMessage(msg::kToolMissing, platform::MessageIcon::Exclamation);
    }
  });
  host.EndAll();
  host.RunModal(dialog);

  out << dialog.Title() << "\n";
  if (dialog.StartupFailure() == 0) {
    out << dialog.Text(kProductLabelId) << " " << dialog.Text(kProductId) << "\n";
    out << dialog.Text(kVersionLabelId) << " " << dialog.Text(kVersionId) << "\n";
    out << (dialog.Installed() ? "installed" : "not installed") << "\n";
  }
  for (const std::string& text : host.MessageTexts()) out << "message: " << text << "\n";
  if (dialog.StartupFailure() != 0) return 1;
  return action == HeadlessAction::Show || dialog.ActionCompleted() ? 0 : 1;
}

}  // namespace vigil::installer
