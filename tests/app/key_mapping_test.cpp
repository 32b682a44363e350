#include <gtest/gtest.h>

#include <Qt>

#include "platform/SoftKeyBar.h"
#include "ui/qt/KeyMapping.h"

namespace vigil::ui::qt {
namespace {

struct KeyCase {
  int qtKey;
  unsigned virtualKey;
  platform::HardwareKeyAction action;
  const char* comment;
};

class KeyMappingTest : public ::testing::TestWithParam<KeyCase> {};

TEST_P(KeyMappingTest, MapsToTheControllersKeyDown) {
  const KeyCase& c = GetParam();
  const KeyDown key = KeyDownOf(c.qtKey);
  EXPECT_EQ(key.virtualKey, c.virtualKey) << c.comment;
  EXPECT_EQ(key.hardware, c.virtualKey == platform::kHardwareKeyVirtualKey) << c.comment;
  // Through the soft-key bar's own decoding, as the host passes it on.
  EXPECT_EQ(platform::MapHardwareKey(platform::HardwareKeyCode(key.virtualKey, key.keyData)), c.action)
      << c.comment;
}

using A = platform::HardwareKeyAction;
constexpr unsigned kHw = platform::kHardwareKeyVirtualKey;

INSTANTIATE_TEST_SUITE_P(Table, KeyMappingTest,
                         ::testing::Values(KeyCase{Qt::Key_F1, kHw, A::SoftKey1, "F1 is the left soft key"},
                                           KeyCase{Qt::Key_F2, kHw, A::SoftKey2, ""},
                                           KeyCase{Qt::Key_F3, kHw, A::SoftKey3, ""},
                                           KeyCase{Qt::Key_F4, kHw, A::SoftKey4, "F4 is the right soft key"},
                                           KeyCase{Qt::Key_F5, kHw, A::Close, "the close key, once none"},
                                           KeyCase{Qt::Key_Escape, platform::kEscapeVirtualKey, A::None,
                                                   "escape stays escape, swallowed by the bar"},
                                           KeyCase{Qt::Key_A, 'A', A::None, "letters keep their code"},
                                           KeyCase{Qt::Key_7, '7', A::None, "digits keep their code"},
                                           KeyCase{Qt::Key_Return, 0x0D, A::None, ""},
                                           KeyCase{Qt::Key_Down, 0x28, A::None, ""}));

TEST(KeyMapping, OnlyTheHardwareKeysAndEscapeAreSwallowed) {
  platform::SoftKeyBar bar;  // no dialog: nothing is pressed, only consumption is decided
  for (int qtKey : {Qt::Key_F1, Qt::Key_F2, Qt::Key_F3, Qt::Key_F4, Qt::Key_F5, Qt::Key_Escape}) {
    const KeyDown key = KeyDownOf(qtKey);
    EXPECT_TRUE(bar.FilterKeyDown(key.virtualKey, key.keyData)) << qtKey;
  }
  for (int qtKey : {Qt::Key_A, Qt::Key_Return, Qt::Key_Tab, Qt::Key_F6}) {
    const KeyDown key = KeyDownOf(qtKey);
    EXPECT_FALSE(bar.FilterKeyDown(key.virtualKey, key.keyData)) << qtKey;
  }
}

}  // namespace
}  // namespace vigil::ui::qt
