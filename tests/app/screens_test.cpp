// The program's screens drawn offscreen, one picture each, for looking at them.
#include <QImage>
#include <QMessageBox>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

#include "QtFixture.h"
#include "platform/Paths.h"
#include "platform/WindowMessages.h"
#include "store/StorageLayout.h"
#include "ui/AboutDialog.h"
#include "ui/AppContext.h"
#include "ui/ControlsDialog.h"
#include "ui/MonitoringApp.h"
#include "ui/ProjectSelectDialog.h"
#include "ui/SetHorizontalAngleDialog.h"
#include "ui/StationSettingsSheet.h"

namespace vigil::ui::qt::test {
namespace {

class ScreensTest : public QtHostTest {
 protected:
  store::StorageLayout Layout() const {
    return store::StorageLayout(platform::Paths(home.path(), device.path()));
  }

  /// Runs `dialog`, saves its picture as `name`.png and checks it is a whole screen.
  void Picture(Dialog& dialog, const std::string& name, std::function<void()> more = {}) {
    const auto path = ScreensFolder() / (name + ".png");
    bool saved = false;
    RunWith(dialog, [&](QWidget& window) {
      EXPECT_EQ(window.size(), QSize(320, 240)) << name;
      saved = host.SaveScreenshot(dialog, path);
      if (more) more();
    });
    ASSERT_TRUE(saved) << name;
    EXPECT_EQ(QImage(QString::fromStdString(path.string())).size(), QSize(320, 240)) << name;
  }

  vigil::test::TempFolder home;
  std::unique_ptr<platform::MessageBus> bus = platform::MakeInProcessBus();
};

TEST_F(ScreensTest, MainWindowWithTheBoxOfItsFirstPaint) {
  MonitoringApp app(loop, *bus, host, Layout());
  // No Basic-mode application on this bus: the first paint says so, over the main window.
  onShown.push_back([&](QWidget& window) {
    auto* box = qobject_cast<QMessageBox*>(&window);
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(host.ViewOf(app.Window())->isVisible()) << "the box shows over nothing";
    EXPECT_TRUE(QtHost::SaveScreenshot(*box, ScreensFolder() / "main_window_first_paint_box.png"));
    box->button(QMessageBox::Ok)->click();
  });
  Picture(app.Window(), "main_window");
}

TEST_F(ScreensTest, ControlsDialog) {
  AppContext context(loop, *bus, host, Layout());
  ui::ControlsDialog dialog(context);
  Picture(dialog, "controls");
}

TEST_F(ScreensTest, SetHorizontalAngleDialog) {
  AppContext context(loop, *bus, host, Layout());
  ui::SetHorizontalAngleDialog dialog(context);
  Picture(dialog, "set_horizontal_angle");
}

TEST_F(ScreensTest, AboutDialog) {
  AppContext context(loop, *bus, host, Layout());
  ui::AboutDialog dialog(context);
  Picture(dialog, "about");
}

// Enter did not press OK: the About box and Set Horizontal Angle needed a tap.
TEST_F(ScreensTest, EnterPressesTheDefaultButton) {
  AppContext context(loop, *bus, host, Layout());
  ui::AboutDialog about(context);
  const int result = RunWith(about, [&](QWidget& window) {
    QTest::keyClick(&window, Qt::Key_Return);
    Settle();
  });
  EXPECT_EQ(result, platform::kIdOk);
}

// The six tabs did not fit ("Prism Consta" cut, scroll arrows) and the Sequence list touched
// the row below it.
TEST_F(ScreensTest, TheSettingsTabsFitAndNoControlTouchesAnother) {
  AppContext context(loop, *bus, host, Layout());
  ui::StationSettingsSheet sheet(context.Store(), context.Bracket(), true);
  RunWith(sheet, [&](QWidget&) {
    auto* tabs = qobject_cast<QTabWidget*>(host.WidgetOf(sheet, StationSettingsSheet::kTabId));
    ASSERT_NE(tabs, nullptr);
    const QTabBar& bar = *tabs->tabBar();
    for (int i = 0; i < tabs->count(); ++i) {
      const QRect tab = bar.tabRect(i);
      EXPECT_LE(tab.right(), tabs->width() - 1) << i;
      EXPECT_GE(tab.width(), bar.fontMetrics().size(0, bar.tabText(i)).width()) << "cut: " << i;
      tabs->setCurrentIndex(i);
      Settle();
      std::vector<QRect> rects;
      for (auto* w : tabs->currentWidget()->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
        if (w->isVisible()) rects.push_back(w->geometry());
      for (std::size_t a = 0; a < rects.size(); ++a)
        for (std::size_t b = a + 1; b < rects.size(); ++b)
          EXPECT_FALSE(rects[a].adjusted(-1, -1, 1, 1).intersects(rects[b])) << "page " << i;
    }
  });
}

TEST_F(ScreensTest, ProjectSelectDialog) {
  AppContext context(loop, *bus, host, Layout());
  ui::ProjectSelectDialog dialog(context.Bracket(), context.TranslationsPath(),
                                 context.Layout().StationFolder(), "", "");
  Picture(dialog, "project_select");
}

TEST_F(ScreensTest, StationSettingsSheetWithEachPage) {
  AppContext context(loop, *bus, host, Layout());
  ui::StationSettingsSheet sheet(context.Store(), context.Bracket(), true);
  Picture(sheet, "station_settings_0", [&] {
    auto* tabs = qobject_cast<QTabWidget*>(host.WidgetOf(sheet, StationSettingsSheet::kTabId));
    ASSERT_NE(tabs, nullptr);
    for (int page = 1; page < tabs->count(); ++page) {
      tabs->setCurrentIndex(page);  // as the operator taps the tab
      Settle();
      EXPECT_EQ(sheet.TabCurrent(StationSettingsSheet::kTabId), page);
      EXPECT_TRUE(host.SaveScreenshot(
          sheet, ScreensFolder() / ("station_settings_" + std::to_string(page) + ".png")));
    }
  });
}

}  // namespace
}  // namespace vigil::ui::qt::test
