// How long the simulated instrument was busy, from its verbose output with the time each
// line arrived: "<- " a command received, "-> " a reply sent.
#pragma once

#include <string>
#include <vector>

namespace vigil::bench {

struct TraceLine {
  double atMs = 0.0;  ///< when the line was read (ms, any fixed origin)
  std::string text;
};

struct BusyTime {
  int operations = 0;  ///< commands answered
  double totalMs = 0.0;
  int unanswered = 0;  ///< commands superseded or left without an answer
};

/// For each turn ("*DHA"), search ("*SJ"), angle ("Ee") and distance ("*ST2") command: the
/// time from its arrival to the first reply sent after it that is not an acknowledgement
/// (ending in <06> or <15>). Replies that were lost on the way do not count.
BusyTime InstrumentBusy(const std::vector<TraceLine>& lines);

}  // namespace vigil::bench
