// Reading CPU ticks and resident pages out of the kernel's texts.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "support/ProcStats.h"

namespace vigil::bench {
namespace {

// Fields after the name: state ppid pgrp session tty tpgid flags minflt cminflt majflt cmajflt
// utime stime ...
constexpr const char* kTail = " S 1 2 3 0 -1 4194560 500 0 0 0 1234 567 0 0 20 0 1 0 100 1000 200\n";

struct StatCase {
  std::string text;
  std::optional<long long> ticks;
  const char* comment;
};

TEST(CpuTicksOfStatText, UserAndSystemTicksAfterTheName) {
  const StatCase cases[] = {
      {std::string("42 (VigilStation)") + kTail, 1234 + 567, "plain name"},
      // Once read as fields 14 and 15 of the whole line: a blank in the name shifted them.
      {std::string("42 (basic mode sim)") + kTail, 1234 + 567, "blanks in the name"},
      {std::string("42 (a) b (c))") + kTail, 1234 + 567, "parentheses in the name: the last one ends it"},
      {"42 (x) S 1 2 3 0 -1 4194560 500 0 0 0 9999999999 1\n", 10000000000LL, "past the range of int"},
      {"42 (x) S 1 2 3 0 -1 4194560 500 0 0 0 12\n", std::nullopt, "stime missing"},
      {"42 x S 1 2 3 0 -1 4194560 500 0 0 0 12 13\n", std::nullopt, "no parenthesis at all"},
      {"42 (x) S 1 2 3 0 -1 4194560 500 0 0 0 12 -3\n", std::nullopt, "a negative count"},
      {"42 (x) S 1 2 3 0 -1 4194560 500 0 0 0 1e3 2\n", std::nullopt, "not a whole number"},
      {"", std::nullopt, "empty"},
  };
  for (const StatCase& c : cases) EXPECT_EQ(CpuTicksOfStatText(c.text), c.ticks) << c.comment;
}

struct StatmCase {
  std::string text;
  std::optional<long long> pages;
  const char* comment;
};

TEST(ResidentPagesOfStatmText, TheSecondNumber) {
  const StatmCase cases[] = {
      {"12345 6789 1000 10 0 3000 0\n", 6789, "size first, resident second"},
      {"  12345   6789\n", 6789, "extra blanks"},
      {"12345\n", std::nullopt, "resident missing"},
      {"12345 x67\n", std::nullopt, "garbage"},
      {"", std::nullopt, "empty"},
  };
  for (const StatmCase& c : cases) EXPECT_EQ(ResidentPagesOfStatmText(c.text), c.pages) << c.comment;
}

TEST(ContextSwitchesOfStatusText, VoluntaryAndInvoluntaryAdded) {
  const StatmCase cases[] = {
      {"Name:\tx\nvoluntary_ctxt_switches:\t120\nnonvoluntary_ctxt_switches:\t3\n", 123, "both"},
      // "voluntary_ctxt_switches:" is also the end of the involuntary key: it was once read twice.
      {"nonvoluntary_ctxt_switches:\t3\nvoluntary_ctxt_switches:\t120\n", 123, "involuntary first"},
      {"voluntary_ctxt_switches:\t120\n", std::nullopt, "one missing"},
      {"voluntary_ctxt_switches:\tx\nnonvoluntary_ctxt_switches:\t3\n", std::nullopt, "garbage"},
  };
  for (const StatmCase& c : cases) EXPECT_EQ(ContextSwitchesOfStatusText(c.text), c.pages) << c.comment;
  const auto threads = ThreadSwitches(0);
  ASSERT_TRUE(threads.has_value());
  EXPECT_FALSE(threads->empty());
  EXPECT_EQ(WakeUpsBetween({{1, 5}, {2, 7}}, {{2, 9}, {3, 4}}), 6) << "thread 1 ended, thread 3 is new";
}

TEST(LiveProcess, ThisProcessHasMemoryAndItsCpuTimeDoesNotRunBackwards) {
  const auto resident = ResidentMiB(0);
  ASSERT_TRUE(resident.has_value());
  EXPECT_GT(*resident, 0.1);
  // ru_maxrss is the peak, so it cannot be below what is resident now (0.5 MiB of rounding).
  EXPECT_GE(PeakResidentMiB() + 0.5, *resident);
  const double before = SelfCpuSeconds();
  volatile double sink = 0.0;
  for (int i = 0; i < 2'000'000; ++i) sink = sink + i * 0.5;
  EXPECT_GE(SelfCpuSeconds(), before);
  EXPECT_FALSE(ProcessCpuSeconds(-5).has_value()) << "no such process";
}

}  // namespace
}  // namespace vigil::bench
