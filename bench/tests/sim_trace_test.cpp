// The instrument's busy time out of the simulator's stamped verbose lines.
#include <gtest/gtest.h>

#include <vector>

#include "support/SimTrace.h"

namespace vigil::bench {
namespace {

struct TraceCase {
  std::vector<TraceLine> lines;
  int operations;
  double totalMs;
  int unanswered;
  const char* comment;
};

constexpr const char* kTurn = "<- #S*DHA1000000VA1000000<0d><0a>";
constexpr const char* kTurnAck = "-> VNT8-Message communication: #S*DHA<06>";
constexpr const char* kTurnOk = "-> VNT8-Message communication: #S*DHAOK<0d><0a>";

TEST(InstrumentBusy, FromTheCommandToItsFirstAnswerThatIsNoAcknowledgement) {
  const TraceCase cases[] = {
      {{{0, kTurn}, {20, kTurnAck}, {2200, kTurnOk}}, 1, 2200, 0, "the ACK does not end the turn"},
      {{{0, kTurn}, {20, "-> (lost) VNT8-Message communication: #S*DHAOK<0d><0a>"}, {3000, kTurnOk}},
       1,
       3000,
       0,
       "a lost reply was never seen by the program"},
      {{{0, "<- #S*SJ000000<0d><0a>"},
        {1500, "-> X: #S*SJOK<0d><0a>"},
        {1600, "<- #SEe<0d><0a>"},
        {1850, "-> X: #SEe 0 ...<0d><0a>"},
        {1900, "<- #S*ST2<0d><0a>"},
        {3100, "-> X: #S*ST2 ...<0d><0a>"},
        {4100, "-> X: #S*ST2 ...<0d><0a>"}},
       3,
       1500 + 250 + 1200,
       0,
       "search, angles, distance: a repeated distance line is not busy time"},
      {{{0, "<- #S/C 0<0d><0a><0d><0a>"}, {20, "-> X: #S/C<06>"}, {30, "<- #STs 2<0d><0a>"}},
       0,
       0,
       0,
       "settings and link commands are not measuring"},
      {{{0, kTurn}, {20, kTurnAck}, {500, kTurn}, {2500, kTurnOk}},
       1,
       2000,
       1,
       "a turn superseded by another"},
      {{{0, kTurn}, {20, "-> X: #S*DHA<15>"}}, 0, 0, 1, "refused with NAK, never answered"},
      {{}, 0, 0, 0, "nothing traced"},
  };
  for (const TraceCase& c : cases) {
    const BusyTime busy = InstrumentBusy(c.lines);
    EXPECT_EQ(busy.operations, c.operations) << c.comment;
    EXPECT_NEAR(busy.totalMs, c.totalMs, 1e-9) << c.comment;
    EXPECT_EQ(busy.unanswered, c.unanswered) << c.comment;
  }
}

}  // namespace
}  // namespace vigil::bench
