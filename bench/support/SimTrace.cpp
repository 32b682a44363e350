#include "support/SimTrace.h"

#include <string_view>

#include "platform/Text.h"

namespace vigil::bench {

namespace {

bool IsBusyCommand(std::string_view received) {
  if (!platform::StartsWith(received, "#S")) return false;
  const std::string_view command = received.substr(2);
  for (std::string_view prefix : {"*DHA", "*SJ", "Ee", "*ST2"}) {
    if (platform::StartsWith(command, prefix)) return true;
  }
  return false;
}

bool EndsWith(std::string_view text, std::string_view suffix) {
  return text.size() >= suffix.size() && text.substr(text.size() - suffix.size()) == suffix;
}

}  // namespace

BusyTime InstrumentBusy(const std::vector<TraceLine>& lines) {
  BusyTime busy;
  bool pending = false;
  double pendingSinceMs = 0.0;
  for (const TraceLine& line : lines) {
    const std::string_view text = line.text;
    if (platform::StartsWith(text, "<- ")) {
      if (!IsBusyCommand(text.substr(3))) continue;
      if (pending) ++busy.unanswered;
      pending = true;
      pendingSinceMs = line.atMs;
    } else if (platform::StartsWith(text, "-> ") && pending) {
      if (platform::StartsWith(text, "-> (lost)")) continue;
      if (EndsWith(text, "<06>") || EndsWith(text, "<15>")) continue;
      busy.totalMs += line.atMs - pendingSinceMs;
      ++busy.operations;
      pending = false;
    }
  }
  if (pending) ++busy.unanswered;
  return busy;
}

}  // namespace vigil::bench
