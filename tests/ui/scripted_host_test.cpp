#include "ui/scripted/ScriptedHost.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/BasicStateBracket.h"

namespace vigil::ui {
namespace {

using platform::kIdCancel;
using platform::kIdNo;
using platform::kIdOk;
using platform::kIdYes;
using platform::PixelRect;

constexpr PixelRect kR{0, 0, 60, 20};
constexpr int kAsk = 1000, kOpenChild = 1001, kSlow = 1002, kBrowse = 1003;

// A small dialog that ends from its buttons and soft keys and ticks a timer.
struct Child : Dialog {
  Child() : Dialog("Child") {
    AddButton(platform::kIdOk, "OK", kR);
    AddButton(100, "Load", kR);
    AddButton(kSlow, "Ready", kR);
    AddButton(1019, "OK", kR);
    AddEdit(1059, kR, false, true);
    AddReportList(1060, kR, {{"Cycle", 100}, {"Time", 120}});
    ListAddRow(1060, {"Cycle 1", "01:00 AM"});
    ListAddRow(1060, {"Cycle 2", "05:00 AM"});
    AddCheck(1070, "Delete Data", kR);
  }
  void OnInitDialog() override {
    ticks = 0;
    Enable(kSlow, false);
    SetTimer(7, 1000);
  }
  void OnPaint() override { RegisterSoftKeys(1021, 1025, 1018, 1019); }
  void OnTimer(int) override {
    if (++ticks == 3) Enable(kSlow, true);
  }
  void OnCommand(int id) override {
    if (id == platform::kIdOk || id == 1019) EndDialog(kIdOk);
    if (id == 100) EndDialog(100);
  }
  int ticks = 0;
};

// The main screen: asks, opens the child, refuses to close unless confirmed.
struct Main : Dialog {
  explicit Main(platform::DialogHost& host) : Dialog("Main"), host_(host) {
    AddButton(kAsk, "Ask", kR);
    AddButton(kOpenChild, "Child", kR);
    AddButton(kBrowse, "Import", kR);
    AddButton(1021, "", kR);
    AddButton(1025, "About...", kR);
    AddButton(1018, "", kR);
    AddButton(1019, "Close", kR);
    Enable(1021, false);
  }
  void OnPaint() override { RegisterSoftKeys(1021, 1025, 1018, 1019); }
  void OnCommand(int id) override {
    if (id == kAsk) {
      answers.push_back(host_.MessageBox("Proceed to Enable?", "VIGIL", platform::MessageIcon::Question,
                                         MessageButtons::YesNo));
    } else if (id == kOpenChild) {
      childResults.push_back(host_.RunModal(child));
    } else if (id == kBrowse) {
      files.push_back(host_.OpenFile("\\Storage Card", "Text Files (*.txt)|*.txt||").value_or("<none>"));
    } else if (id == 1019) {
      SendClose();
    } else if (id == 1025) {
      host_.MessageBox("About VIGIL", "", platform::MessageIcon::None, MessageButtons::Ok);
    }
  }
  bool OnClose() override {
    return host_.MessageBox("Are you sure you want to close?", "", platform::MessageIcon::Question,
                            MessageButtons::YesNo) == kIdYes;
  }
  platform::DialogHost& host_;
  Child child;
  std::vector<int> answers;
  std::vector<int> childResults;
  std::vector<std::string> files;
};

class ScriptedHostTest : public ::testing::Test {
 protected:
  ScriptedHostTest() : loop_(std::make_unique<platform::VirtualTimeDriver>()), host_(loop_), main_(host_) {
    host_.SetFailureHandler([this](const std::string& what) { failures_.push_back(what); });
  }
  std::uint64_t Now() { return loop_.Time().ElapsedMs(); }

  platform::EventLoop loop_;
  ScriptedHost host_;
  Main main_;
  std::vector<std::string> failures_;
};

TEST_F(ScriptedHostTest, NestedDialogsReturnTheirResults) {
  host_.Press(kOpenChild).WaitForDialog("Child").Press(100);
  host_.Press(kOpenChild).WaitForDialog<Child>().Press(platform::kIdOk);
  host_.Close().AnswerMessageBox("Are you sure you want to close?", kIdYes);
  EXPECT_EQ(host_.Run(main_), kIdCancel);
  EXPECT_EQ(main_.childResults, (std::vector<int>{100, kIdOk}));
  EXPECT_TRUE(failures_.empty());

  std::vector<std::string> shown;
  for (const HostEvent& e : host_.Log()) {
    const char* kind = e.kind == HostEvent::Kind::DialogOpened   ? "open "
                       : e.kind == HostEvent::Kind::DialogClosed ? "closed "
                                                                 : "other ";
    shown.push_back(kind + e.text +
                    (e.kind == HostEvent::Kind::DialogClosed ? " " + std::to_string(e.result) : ""));
  }
  EXPECT_EQ(shown, (std::vector<std::string>{"open Main", "open Child", "closed Child 100", "open Child",
                                             "closed Child 1", "other Are you sure you want to close?",
                                             "closed Main 2"}));
}

TEST_F(ScriptedHostTest, HardwareKeysFollowTheDialogInFront) {
  host_.HardwareKey(4);  // main's first soft key is disabled: nothing happens
  host_.KeyDown(platform::kEscapeVirtualKey);
  host_.Press(kOpenChild).WaitForDialog("Child");
  host_.HardwareKey(5);  // the child's fourth soft key (OK)
  host_.WaitForDialog("Main").HardwareKey(3).AnswerMessageBox("About VIGIL");
  host_.HardwareKey(60).AnswerMessageBox("Are you sure you want to close?", kIdNo);
  host_.KeyDown(platform::kHardwareKeyVirtualKey, 0x00010000u)
      .AnswerMessageBox("Are you sure", kIdYes, TextMatch::Contains);
  EXPECT_EQ(host_.Run(main_), kIdCancel);
  EXPECT_EQ(main_.childResults, (std::vector<int>{kIdOk}));
  EXPECT_TRUE(failures_.empty()) << failures_.front();
}

TEST_F(ScriptedHostTest, MessageBoxesAreAnsweredInScriptOrderAfterWaits) {
  host_.Press(kAsk).AnswerMessageBox("Proceed to Enable?", kIdYes);
  // The answer is found behind a wait that is still running.
  host_.Press(kAsk).WaitMs(100).AnswerMessageBox("Enable", kIdNo, TextMatch::Contains);
  host_.EndAll();
  host_.Run(main_);
  EXPECT_EQ(main_.answers, (std::vector<int>{kIdYes, kIdNo}));
  EXPECT_TRUE(failures_.empty());
  const auto boxes = host_.Events(HostEvent::Kind::MessageBox);
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(boxes[0].caption, "VIGIL");
  EXPECT_EQ(boxes[0].icon, platform::MessageIcon::Question);
  EXPECT_EQ(boxes[0].buttons, MessageButtons::YesNo);
}

TEST_F(ScriptedHostTest, AnUnexpectedMessageBoxFailsAndIsRefused) {
  struct Case {
    const char* what;
    std::string expected;
    int answer;
    TextMatch match;
    int given;  // the answer the program gets
    bool fails;
    bool foreseen;  // the script foresaw the box (HostEvent::expected)
  };
  const Case cases[] = {
      {"exact text matches", "Proceed to Enable?", kIdYes, TextMatch::Exact, kIdYes, false, true},
      {"part of the text is not an exact match", "Proceed", kIdYes, TextMatch::Exact, kIdNo, true, false},
      {"part of the text matches as contained", "Proceed", kIdYes, TextMatch::Contains, kIdYes, false, true},
      {"other text", "Delete?", kIdYes, TextMatch::Contains, kIdNo, true, false},
      {"an answer that is not a button of the box", "Proceed to Enable?", kIdOk, TextMatch::Exact, kIdNo,
       true, true},
  };
  for (const Case& c : cases) {
    platform::EventLoop loop(std::make_unique<platform::VirtualTimeDriver>());
    ScriptedHost host(loop);
    std::vector<std::string> failures;
    host.SetFailureHandler([&](const std::string& w) { failures.push_back(w); });
    Main main(host);
    host.Press(kAsk).AnswerMessageBox(c.expected, c.answer, c.match).EndAll();
    host.Run(main);
    ASSERT_EQ(main.answers.size(), 1u) << c.what;
    EXPECT_EQ(main.answers[0], c.given) << c.what;
    EXPECT_EQ(!failures.empty(), c.fails) << c.what;
    EXPECT_EQ(host.Events(HostEvent::Kind::MessageBox)[0].expected, c.foreseen) << c.what;
  }
}

TEST_F(ScriptedHostTest, StandingAnswersCoverRepeatedBoxes) {
  host_.AlwaysAnswer("Enable", kIdYes);
  host_.Press(kAsk).Press(kAsk).EndAll();
  host_.Run(main_);
  EXPECT_EQ(main_.answers, (std::vector<int>{kIdYes, kIdYes}));
  EXPECT_TRUE(failures_.empty());
}

TEST_F(ScriptedHostTest, WaitsRunTheDialogsTimersOnTheVirtualClock) {
  std::uint64_t enabledAt = 0, afterWait = 0;
  int ticksBefore = 0;
  host_.Press(kOpenChild).WaitForDialog("Child");
  host_.Press(kSlow);  // still disabled: refused
  host_.WaitEnabled(kSlow).Do("note the time", [&] {
    enabledAt = Now();
    ticksBefore = main_.child.ticks;
  });
  host_.WaitMs(5000).Do("note the time again", [&] { afterWait = Now(); });
  host_.Press(kSlow).Press(platform::kIdOk).EndAll();
  host_.Run(main_);
  EXPECT_EQ(enabledAt, 3000u);
  EXPECT_EQ(afterWait, 8000u);
  EXPECT_EQ(main_.child.ticks - ticksBefore, 5);
  ASSERT_EQ(failures_.size(), 1u);
  EXPECT_NE(failures_[0].find("press 1002 refused"), std::string::npos) << failures_[0];
  EXPECT_EQ(loop_.PendingCount(), 0u) << "the child's timer ended with it";
}

TEST_F(ScriptedHostTest, AWaitThatIsNeverMetTimesOutAndTheScriptGoesOn) {
  host_.WaitForDialog("Never", TextMatch::Exact, 2500)
      .Press(kAsk)
      .AnswerMessageBox("Proceed to Enable?", kIdYes);
  host_.EndAll();
  host_.Run(main_);
  ASSERT_EQ(failures_.size(), 1u);
  EXPECT_EQ(failures_[0], "timed out: wait for dialog \"Never\"");
  EXPECT_EQ(Now(), 2500u);
  EXPECT_EQ(main_.answers, (std::vector<int>{kIdYes}));
}

TEST_F(ScriptedHostTest, AScriptThatRunsOutCancelsTheOpenDialogs) {
  host_.Press(kOpenChild).WaitForDialog("Child");
  EXPECT_EQ(host_.Run(main_), kIdCancel);
  EXPECT_EQ(main_.childResults, (std::vector<int>{kIdCancel}));
  ASSERT_EQ(failures_.size(), 1u);
  EXPECT_EQ(failures_[0], "the script ended while dialog \"Child\" is open");
  EXPECT_TRUE(host_.OpenDialogs().empty());

  // The host is usable again, and unused steps are reported.
  failures_.clear();
  host_.EndAll().Press(kAsk);
  host_.Run(main_);
  ASSERT_EQ(failures_.size(), 1u);
  EXPECT_EQ(failures_[0], "script steps not carried out: press 1000");
}

TEST_F(ScriptedHostTest, InputReachesListsEditsChecksAndFiles) {
  host_.Press(kBrowse).AnswerOpenFile("\\Storage Card\\points.txt");
  host_.Press(kBrowse).AnswerOpenFile(std::nullopt);
  host_.Press(kOpenChild).WaitForDialog("Child");
  host_.SelectText(1060, "Cycle 2").Type(1059, "4h").Check(1070, true).Check(1070, true);
  host_.Do("look", [&] {
    EXPECT_EQ(main_.child.ListSelected(1060), 1);
    EXPECT_EQ(main_.child.Text(1059), "4");
    EXPECT_TRUE(main_.child.IsChecked(1070));
  });
  host_.SelectText(1060, "Cycle 9").Press(kIdOk);
  host_.Press(kBrowse);  // nobody expects this file dialog
  host_.EndAll();
  host_.Run(main_);
  EXPECT_EQ(main_.files, (std::vector<std::string>{"\\Storage Card\\points.txt", "<none>", "<none>"}));
  ASSERT_EQ(failures_.size(), 2u);
  EXPECT_NE(failures_[0].find("select \"Cycle 9\""), std::string::npos) << failures_[0];
  EXPECT_EQ(failures_[1], "unexpected open-file dialog in \"\\Storage Card\"");
  EXPECT_EQ(host_.Events(HostEvent::Kind::OpenFile).size(), 3u);
}

TEST_F(ScriptedHostTest, BeepsAndBracketedBoxesAreLogged) {
  std::vector<std::string> calls;
  platform::BasicStateBracket bracket(host_, [&](bool on) {
    calls.push_back(on ? "on" : "off");
    return true;
  });
  host_.Do("beep and ask", [&] {
    host_.Beep(platform::MessageIcon::Question);
    calls.push_back(std::to_string(
        bracket.MessageBox("Failed to take a reading.", "", platform::MessageIcon::Exclamation)));
  });
  host_.AnswerMessageBox("Failed to take a reading.").EndAll();
  host_.Run(main_);
  EXPECT_EQ(calls, (std::vector<std::string>{"off", "on", "1"}));
  ASSERT_EQ(host_.Events(HostEvent::Kind::Beep).size(), 1u);
  EXPECT_EQ(host_.Events(HostEvent::Kind::Beep)[0].icon, platform::MessageIcon::Question);
  EXPECT_EQ(host_.MessageTexts(), (std::vector<std::string>{"Failed to take a reading."}));
  EXPECT_TRUE(failures_.empty());
}

}  // namespace
}  // namespace vigil::ui
