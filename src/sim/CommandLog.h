// Every command the instrument received, for tests to assert on.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "sim/Command.h"

namespace vigil::sim {

struct ReceivedCommand {
  std::uint64_t elapsedMs = 0;  ///< clock time of arrival (ms)
  std::string bytes;            ///< the message exactly as it came
  Command command;
};

class CommandLog {
 public:
  void Add(std::uint64_t elapsedMs, std::string bytes, const Command& command);
  const std::vector<ReceivedCommand>& All() const { return all_; }
  /// Number received of one command key ("Ee", "*DHA", "/B", "?" for invalid ones).
  int Count(std::string_view key) const;
  void Clear();
  /// Keeps at most about `entries` of the newest commands (0: all). A simulator that runs for
  /// weeks must not keep every command it ever received; the counts still cover them all.
  void SetCapacity(std::size_t entries) { capacity_ = entries; }

 private:
  std::size_t capacity_ = 0;
  std::vector<ReceivedCommand> all_;
  std::map<std::string, int, std::less<>> counts_;
};

/// The bytes with control characters written as <XX> (for printing).
std::string Printable(std::string_view bytes);

}  // namespace vigil::sim
