#include "platform/FolderLock.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include "TempFolder.h"

namespace vigil::platform {
namespace {

TEST(FolderLockTest, ASecondProgramOnTheFolderIsRefusedAndToldWhoHoldsIt) {
  test::TempFolder dir;
  {
    const FolderLock first(dir.path());
    ASSERT_TRUE(first.Held()) << first.Error();
    const FolderLock second(dir.path());
    EXPECT_FALSE(second.Held());
    EXPECT_EQ(second.HolderPid(), ::getpid());
    EXPECT_EQ(second.Error(), "");
  }
  EXPECT_TRUE(FolderLock(dir.path()).Held()) << "given up when the first one ends";
}

}  // namespace
}  // namespace vigil::platform
