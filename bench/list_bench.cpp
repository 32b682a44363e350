// What the window program's lists cost per reading, through the real Qt host on the offscreen
// platform: a screen with the Monitoring screen's two lists (readings, 15 columns; differences,
// 7 columns) filled at cycle start with 30 to 1,200 rows, then readings as a cycle records
// them: the row made visible, its measured cells and its differences set, the screen drawn.
#include <QApplication>
#include <QTimer>
#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "platform/Dialog.h"
#include "platform/EventLoop.h"
#include "platform/Format.h"
#include "support/Report.h"
#include "ui/qt/QtHost.h"
#include "ui/qt/QtTimeDriver.h"

namespace {

using namespace vigil;
using bench::Figure;
using bench::Say;
using Clock = std::chrono::steady_clock;

constexpr int kReadings = 1;
constexpr int kDifferences = 2;
constexpr int kReadingColumns = 15;
constexpr int kDifferenceColumns = 7;
constexpr int kReadingsMeasured = 60;

class Lists final : public platform::Dialog {
 public:
  Lists() : Dialog("Monitoring") {
    std::vector<platform::ListColumn> readings, differences;
    for (int c = 0; c < kReadingColumns; ++c) readings.push_back({"C" + std::to_string(c), 60});
    for (int c = 0; c < kDifferenceColumns; ++c) differences.push_back({"D" + std::to_string(c), 60});
    AddReportList(kReadings, {4, 4, 312, 100}, readings);
    AddReportList(kDifferences, {4, 108, 312, 100}, differences);
  }
};

struct Figures {
  double fillMs = 0.0;
  double perReadingMs = 0.0;
};

Figures Measure(ui::qt::QtHost& host, int rows) {
  Lists lists;
  Figures f;
  host.SetWindowShownHook([&](QWidget&) {
    std::vector<std::vector<std::string>> readings(static_cast<std::size_t>(rows)),
        differences(static_cast<std::size_t>(rows));
    for (int r = 0; r < rows; ++r) {
      for (int c = 0; c < kReadingColumns; ++c) readings[r].push_back(c < 6 ? "P" + std::to_string(r) : "");
      for (int c = 0; c < kDifferenceColumns; ++c)
        differences[r].push_back(c == 0 || c > 3 ? "1000.0000" : "");
    }
    Clock::time_point start = Clock::now();
    lists.ListSetRows(kReadings, std::move(readings));
    lists.ListSetRows(kDifferences, std::move(differences));
    QCoreApplication::processEvents();
    f.fillMs = std::chrono::duration<double, std::milli>(Clock::now() - start).count();

    start = Clock::now();
    for (int i = 0; i < kReadingsMeasured; ++i) {
      const int row = (i * 7) % rows;
      lists.ListEnsureVisible(kReadings, row);
      for (int c = 6; c < kReadingColumns; ++c) lists.ListSetCell(kReadings, row, c, "123.4567");
      for (int c = 1; c < 4; ++c) lists.ListSetCell(kDifferences, row, c, "0.0012");
      QCoreApplication::processEvents();  // the screen drawn as the operator sees it
    }
    f.perReadingMs =
        std::chrono::duration<double, std::milli>(Clock::now() - start).count() / kReadingsMeasured;
    lists.EndDialog(platform::kIdOk);
  });
  host.RunModal(lists);
  host.SetWindowShownHook({});
  return f;
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  platform::EventLoop loop(std::make_unique<ui::qt::QtTimeDriver>());
  ui::qt::QtHost host(loop, ".");
  Say("bench_list: the Monitoring screen's two lists through the Qt host (offscreen)");
  for (const int rows : {30, 150, 300, 600, 1200}) {
    const Figures f = Measure(host, rows);
    Figure(platform::Format("%d rows: filled at cycle start", {rows}), f.fillMs, 2, "ms");
    Figure(platform::Format("%d rows: list work per reading", {rows}), f.perReadingMs, 3, "ms");
  }
  return 0;
}
