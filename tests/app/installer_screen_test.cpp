// The installer drawn by the Qt host: its screen stays live while it copies.
#include <QEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "../installer/InstallerWorld.h"
#include "QtFixture.h"

namespace vigil::ui::qt::test {
namespace {

// A package of the installer's own tests, run here in a window.
struct Package : installer::test::InstallerWorld {
  void TestBody() override {}
};

// The texts a label showed each time it was painted.
class PaintSpy final : public QObject {
 public:
  explicit PaintSpy(QLabel& label) : label_(label) { label.installEventFilter(this); }
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == &label_ && event->type() == QEvent::Paint) painted.push_back(label_.text().toStdString());
    return false;
  }
  std::vector<std::string> painted;

 private:
  QLabel& label_;
};

void Answer(QWidget& window, QMessageBox::StandardButton button) {
  auto* box = qobject_cast<QMessageBox*>(&window);
  ASSERT_NE(box, nullptr);
  box->button(button)->click();
}

// The window stood still for the whole copy: the counter was never drawn.
TEST_F(QtHostTest, TheInstallerCounterIsDrawnWhileItCopies) {
  Package package;
  package.StandardPackage();
  constexpr int kFiles = 40;
  for (int i = 0; i < kFiles; ++i) package.ProgramFile("f" + std::to_string(i) + ".bin", "x");
  installer::InstallerDialog& dialog = package.Dialog();
  std::unique_ptr<PaintSpy> spy;
  RunWith(dialog, [&](QWidget&) {
    auto* counter = qobject_cast<QLabel*>(host.WidgetOf(dialog, installer::kCounterId));
    ASSERT_NE(counter, nullptr);
    spy = std::make_unique<PaintSpy>(*counter);
    onShown.push_back([](QWidget& box) { Answer(box, QMessageBox::Yes); });
    onShown.push_back([](QWidget& box) { Answer(box, QMessageBox::Ok); });
    QTest::mouseClick(host.WidgetOf(dialog, installer::kInstallId), Qt::LeftButton);
    EXPECT_TRUE(SettleUntil([&] { return dialog.Installed(); }));
  });
  ASSERT_NE(spy, nullptr);
  std::set<std::string> counts;
  for (const std::string& text : spy->painted)
    if (text.find(" / ") != std::string::npos) counts.insert(text);
  EXPECT_GE(counts.size(), 10u) << "distinct counter texts drawn during the copy";
  EXPECT_TRUE(counts.count("1 / " + std::to_string(kFiles + 2)));
}

}  // namespace
}  // namespace vigil::ui::qt::test
