#include <clocale>
#include <locale>

#include <gtest/gtest.h>

// Take the locale from the environment, as the program does, so that a run under a
// decimal-comma locale proves that no number depends on it.
int main(int argc, char** argv) {
  std::setlocale(LC_ALL, "");
  try {
    std::locale::global(std::locale(""));
  } catch (...) {
    // An unknown locale name in the environment: keep the classic one.
  }
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
