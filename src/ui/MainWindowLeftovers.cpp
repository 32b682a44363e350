// At start-up, the temporary files of writes that a stopped run left behind. A reading must
// never go without a word: what holds readings is put back or kept, and the operator is told.
#include "platform/LeftoverTemporaries.h"
#include "store/Placeholders.h"
#include "ui/MainWindow.h"

namespace vigil::ui {

namespace {

std::string Joined(const std::vector<std::string>& names) {
  std::string text;
  for (const std::string& name : names) text += (text.empty() ? "" : ", ") + name;
  return text;
}

}  // namespace

void MainWindow::ClearLeftoverTemporaries() {
  const store::StorageLayout& layout = context_.Layout();
  platform::LeftoverReport report;
  platform::ClearLeftoverTemporaries(layout.StationFolder(), false, report);
  platform::ClearLeftoverTemporaries(layout.TrainingFolder(), false, report);
  platform::ClearLeftoverTemporaries(layout.DataFolder(), true, report);
  std::string text;
  if (!report.recovered.empty()) {
    const std::string files = Joined(report.recovered);
    text = store::FillPlaceholders(Tr("IDS_MAIN_MSGBOX_READINGS_RECOVERED",
                                      "Readings of an interrupted write were put back into their cycle file: "
                                      "{files}"),
                                   {{"{files}", files}});
  }
  if (!report.setAside.empty()) {
    const std::string files = Joined(report.setAside);
    if (!text.empty()) text += "\r\n";
    text += store::FillPlaceholders(Tr("IDS_MAIN_MSGBOX_READINGS_SET_ASIDE",
                                       "Readings of an interrupted write are kept in the Data folder, apart "
                                       "from the cycle files: {files}"),
                                    {{"{files}", files}});
  }
  if (text.empty()) return;
  context_.Host().MessageBox(text, {}, platform::MessageIcon::Exclamation, platform::MessageButtons::Ok);
}

}  // namespace vigil::ui
