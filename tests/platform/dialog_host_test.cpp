#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/BasicStateBracket.h"
#include "platform/Dialog.h"
#include "platform/DialogHost.h"
#include "platform/SoftKeyBar.h"

namespace vigil::platform {
namespace {

constexpr PixelRect kR{0, 0, 60, 20};

// A host whose modal runs the test opens and closes by hand.
class HandHost : public DialogHost {
 public:
  HandHost() : loop_(std::make_unique<VirtualTimeDriver>()) {}
  EventLoop& Loop() override { return loop_; }
  int RunModal(Dialog& dialog) override {
    Open(dialog);
    return dialog.Result();
  }
  int MessageBox(std::string_view text, std::string_view, MessageIcon, MessageButtons buttons) override {
    BeginMessageBox();
    boxes.emplace_back(text);
    if (duringBox) duringBox();
    EndMessageBox();
    return DefaultAnswer(buttons);
  }
  std::optional<std::string> OpenFile(std::string_view, std::string_view) override { return {}; }
  void Beep(MessageIcon) override {}
  void ControlChanged(Dialog&, int) override { ++changes; }

  void Open(Dialog& d) { PushModal(d); }
  void CloseTop() { PopModal(*TopDialog()); }

  EventLoop loop_;
  std::vector<std::string> boxes;
  std::function<void()> duringBox;
  int changes = 0;
};

// A screen with the four soft keys of the main window; the first is disabled.
struct Screen : Dialog {
  explicit Screen(std::string title, bool registers = true)
      : Dialog(std::move(title)), registers_(registers) {
    AddButton(1021, "", kR);
    AddButton(1025, "About...", kR);
    AddButton(1018, "", kR);
    AddButton(1019, "Close", kR);
    Enable(1021, false);
  }
  void OnInitDialog() override { log.push_back("init"); }
  void OnPaint() override {
    log.push_back("paint");
    if (registers_) RegisterSoftKeys(1021, 1025, 1018, 1019);
  }
  void OnCommand(int id) override { log.push_back("cmd " + std::to_string(id)); }
  bool OnClose() override {
    log.push_back("close");
    return allowClose;
  }
  std::vector<std::string> log;
  bool allowClose = true;
  bool registers_;
};

// ---- Hardware key table -------------------------------------------------------------------

TEST(HardwareKeyTest, CodesMapToSoftKeysAndClose) {
  struct Case {
    int code;
    HardwareKeyAction action;
  };
  const Case cases[] = {
      {4, HardwareKeyAction::SoftKey1}, {8, HardwareKeyAction::SoftKey1}, {3, HardwareKeyAction::SoftKey2},
      {7, HardwareKeyAction::SoftKey2}, {2, HardwareKeyAction::SoftKey3}, {6, HardwareKeyAction::SoftKey3},
      {1, HardwareKeyAction::SoftKey4}, {5, HardwareKeyAction::SoftKey4}, {60, HardwareKeyAction::Close},
      {64, HardwareKeyAction::Close},   {0, HardwareKeyAction::None},     {9, HardwareKeyAction::None},
      {59, HardwareKeyAction::None},    {61, HardwareKeyAction::None},    {63, HardwareKeyAction::None},
      {65, HardwareKeyAction::None},    {255, HardwareKeyAction::None},   {-1, HardwareKeyAction::None},
  };
  for (const Case& c : cases) EXPECT_EQ(MapHardwareKey(c.code), c.action) << "code " << c.code;
}

TEST(HardwareKeyTest, KeyCodeIsTheLowByteOfTheScanCodeField) {
  EXPECT_EQ(HardwareKeyCode(0xEF, 0x00040001u), 4);
  EXPECT_EQ(HardwareKeyCode(0xEF, 0xC13C0001u), 60);  // flags above bit 23 do not count
  EXPECT_EQ(HardwareKeyCode(0xEF, 0x0000FFFFu), 0);
  EXPECT_EQ(HardwareKeyCode(0x1B, 0x00040001u), -1);
  EXPECT_EQ(HardwareKeyCode(0x41, 0x00040001u), -1);
}

// ---- The bar on a host ----------------------------------------------------------------------

TEST(SoftKeyBarTest, HardwareKeysPressTheFrontDialogsSoftKeys) {
  HandHost host;
  Screen main("Main");
  host.Open(main);
  EXPECT_EQ(main.log, (std::vector<std::string>{"init", "paint"}));
  ASSERT_EQ(host.SoftKeys().Current(), &main);

  SoftKeyBar& bar = host.SoftKeys();
  EXPECT_TRUE(bar.HandleHardwareKey(1));   // fourth soft key: Close button
  EXPECT_FALSE(bar.HandleHardwareKey(4));  // first soft key is disabled: nothing
  EXPECT_TRUE(bar.HandleHardwareKey(7));
  EXPECT_FALSE(bar.HandleHardwareKey(9));
  main.Show(1018, false);
  EXPECT_FALSE(bar.HandleHardwareKey(2));  // hidden: nothing
  EXPECT_EQ(main.log, (std::vector<std::string>{"init", "paint", "cmd 1019", "cmd 1025"}));

  // Escape is swallowed and does nothing; other keys go on to the dialog.
  EXPECT_TRUE(bar.FilterKeyDown(kEscapeVirtualKey, 0x00010001u));
  EXPECT_FALSE(bar.FilterKeyDown(0x41, 0));
  EXPECT_TRUE(bar.FilterKeyDown(kHardwareKeyVirtualKey, 0x00050000u));
  EXPECT_FALSE(main.Ended());
  EXPECT_EQ(main.log.back(), "cmd 1019");

  main.allowClose = false;
  EXPECT_TRUE(bar.HandleHardwareKey(64));
  EXPECT_FALSE(main.Ended());
  main.allowClose = true;
  EXPECT_TRUE(bar.HandleHardwareKey(60));
  EXPECT_TRUE(main.Ended());
  EXPECT_EQ(main.Result(), kIdCancel);
  host.CloseTop();
  EXPECT_EQ(bar.Current(), nullptr);
  EXPECT_FALSE(bar.HandleHardwareKey(1));
}

// Fixed fault: a key pressed while a dialog without soft keys, or a message box, covers the
// registered one used to run the covered dialog's command underneath it.
TEST(SoftKeyBarTest, KeysDoNotReachACoveredDialog) {
  HandHost host;
  Screen main("Main");
  host.Open(main);
  Screen small("Set Horizontal Angle", /*registers=*/false);
  host.Open(small);
  EXPECT_EQ(host.SoftKeys().Current(), &main);
  EXPECT_FALSE(host.SoftKeys().HandleHardwareKey(1));
  EXPECT_FALSE(host.SoftKeys().HandleHardwareKey(60));
  EXPECT_FALSE(main.Ended());

  // Closing the small dialog uncovers the main one, which paints and registers again.
  host.CloseTop();
  EXPECT_EQ(main.log.back(), "paint");
  EXPECT_TRUE(host.SoftKeys().HandleHardwareKey(1));
  EXPECT_EQ(main.log.back(), "cmd 1019");

  bool pressed = true;
  host.duringBox = [&] { pressed = host.SoftKeys().HandleHardwareKey(1); };
  host.MessageBox("Really?", "", MessageIcon::Question, MessageButtons::YesNo);
  EXPECT_FALSE(pressed);
  EXPECT_EQ(main.log.back(), "paint");  // uncovered by the box
}

TEST(DialogHostTest, ADialogThatEndsWhileInitialisingIsNeverPainted) {
  struct Quitter : Dialog {
    int paints = 0;
    void OnInitDialog() override { EndDialog(100); }
    void OnPaint() override { ++paints; }
  } d;
  HandHost host;
  host.Open(d);
  EXPECT_EQ(d.paints, 0);
  EXPECT_EQ(d.Result(), 100);
}

TEST(DialogHostTest, DefaultAnswersRefuseAndValidAnswersAreButtonsOfTheBox) {
  EXPECT_EQ(DefaultAnswer(MessageButtons::Ok), kIdOk);
  EXPECT_EQ(DefaultAnswer(MessageButtons::OkCancel), kIdCancel);
  EXPECT_EQ(DefaultAnswer(MessageButtons::YesNo), kIdNo);
  EXPECT_EQ(DefaultAnswer(MessageButtons::YesNoCancel), kIdCancel);
  EXPECT_TRUE(IsValidAnswer(MessageButtons::YesNo, kIdYes));
  EXPECT_FALSE(IsValidAnswer(MessageButtons::YesNo, kIdOk));
  EXPECT_FALSE(IsValidAnswer(MessageButtons::YesNo, kIdCancel));
  EXPECT_FALSE(IsValidAnswer(MessageButtons::Ok, kIdCancel));
  EXPECT_TRUE(IsValidAnswer(MessageButtons::OkCancel, kIdCancel));
  EXPECT_TRUE(IsValidAnswer(MessageButtons::YesNoCancel, kIdCancel));
}

TEST(DialogHostTest, ChangesReachTheHostOnlyWhileRunning) {
  HandHost host;
  Screen d("Main");
  d.SetText(1019, "Close!");
  EXPECT_EQ(host.changes, 0);
  host.Open(d);
  d.SetText(1019, "Stop");
  d.SetText(1019, "Stop");  // unchanged: no notice
  d.Enable(1025, false);
  EXPECT_EQ(host.changes, 2);
  EXPECT_TRUE(d.SetTimer(3, 1000));
  host.CloseTop();
  EXPECT_EQ(host.Loop().PendingCount(), 0u) << "a closed dialog's timers are killed";
  EXPECT_FALSE(d.SetTimer(3, 1000));
}

// ---- Tab pages ----------------------------------------------------------------------------

struct TestPage : Dialog {
  explicit TestPage(std::vector<std::string>* log, std::string name) : log_(log), name_(std::move(name)) {
    AddEdit(1019, kR);  // the same id as the sheet's OK soft key
    AddButton(1050, "Apply", kR);
  }
  void OnInitDialog() override { log_->push_back(name_ + " init"); }
  void OnCommand(int id) override { log_->push_back(name_ + " cmd " + std::to_string(id)); }
  void OnEditChanged(int id) override { log_->push_back(name_ + " edit " + std::to_string(id)); }
  std::vector<std::string>* log_;
  std::string name_;
};

struct Sheet : Dialog {
  Sheet() : Dialog("Station Settings"), station(&log, "station"), units(&log, "units"), late(&log, "late") {
    AddTab(1, kR, {"Station", "Units", "Cycles"});
    AddButton(1019, "OK", kR);
    AddPage(1, station);
    AddPage(1, units);
  }
  void OnInitDialog() override {
    log.push_back("sheet init");
    AddPage(1, late);
    SetText(1019, "OK");
    station.SetText(1019, "Dam");
  }
  void OnSelectionChanged(int id) override { log.push_back("sheet sel " + std::to_string(id)); }
  void OnCommand(int id) override {
    log.push_back("sheet cmd " + std::to_string(id));
    if (id == 1019) EndDialog(kIdOk);
  }
  std::vector<std::string> log;
  TestPage station, units, late;
};

TEST(DialogPagesTest, PagesInitialiseFirstAndShowWithTheirTab) {
  HandHost host;
  Sheet s;
  host.Open(s);
  EXPECT_EQ(s.log, (std::vector<std::string>{"station init", "units init", "sheet init", "late init"}));
  EXPECT_EQ(s.Page(1, 2), &s.late);
  EXPECT_EQ(s.Page(1, 3), nullptr);
  EXPECT_EQ(s.station.Text(1019), "Dam");
  EXPECT_EQ(s.Text(1019), "OK");

  EXPECT_TRUE(s.station.IsShown(1019));
  EXPECT_FALSE(s.units.IsShown(1019));
  EXPECT_FALSE(s.units.TypeInto(1019, "x")) << "a hidden page takes no input";
  EXPECT_FALSE(s.Choose(1, 3));
  EXPECT_TRUE(s.Choose(1, 1));
  EXPECT_FALSE(s.station.IsShown(1019));
  EXPECT_TRUE(s.units.TypeInto(1019, "12.5"));
  EXPECT_TRUE(s.units.PressButton(1050));

  // Hiding the tab control hides every page.
  s.Show(1, false);
  EXPECT_FALSE(s.units.IsShown(1050));
  s.Show(1, true);

  // A page ending or closing acts on its sheet.
  s.units.EndDialog(100);
  EXPECT_TRUE(s.Ended());
  EXPECT_EQ(s.Result(), 100);
  EXPECT_EQ(s.log, (std::vector<std::string>{"station init", "units init", "sheet init", "late init",
                                             "sheet sel 1", "units edit 1019", "units cmd 1050"}));
  EXPECT_EQ(s.units.Host(), &host);
  host.CloseTop();
  EXPECT_EQ(s.units.Host(), nullptr);
}

// ---- The SetToBasicState bracket ------------------------------------------------------------

TEST(BasicStateBracketTest, BracketsBoxesAndDialogsButNotTheRawCalls) {
  HandHost host;
  std::vector<std::string> calls;
  host.duringBox = [&] { calls.push_back("box"); };
  BasicStateBracket bracket(host, [&](bool enable) {
    calls.push_back(enable ? "basic true" : "basic false");
    return true;
  });
  EXPECT_EQ(bracket.MessageBox("Proceed?", "", MessageIcon::Question, MessageButtons::YesNo), kIdNo);
  bracket.RawMessageBox("raw");
  struct Quick : Dialog {
    void OnInitDialog() override { EndDialog(kIdOk); }
  } quick;
  EXPECT_EQ(bracket.RunModal(quick), kIdOk);
  EXPECT_EQ(calls, (std::vector<std::string>{"basic false", "box", "basic true", "box", "basic false",
                                             "basic true"}));

  BasicStateBracket unlinked(host, nullptr);
  EXPECT_EQ(unlinked.MessageBox("no link"), kIdOk);
  EXPECT_FALSE(unlinked.SetToBasicState(false));
}

}  // namespace
}  // namespace vigil::platform
