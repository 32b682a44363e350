// The link trace: every message sent to and received from the Basic-mode application, with
// the local time, in "link.log" of its folder. The file is bounded: when the next entry would
// take it past its limit it becomes "link.1.log" (replacing the one before) and a new one is
// begun, so the two together never hold more than twice the limit. Writing never fails or
// holds up a command: the first write that fails (a full medium) stops the trace, and every
// entry after it is only counted.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "link/LinkObserver.h"
#include "platform/EventLoop.h"

namespace vigil::link {

inline constexpr std::string_view kTraceFileName = "link.log";
inline constexpr std::string_view kTraceOldFileName = "link.1.log";
/// Limit of each of the two files (bytes).
inline constexpr std::uint64_t kDefaultTraceLimitBytes = 1024 * 1024;
/// Smallest limit taken: always room for the longest entry.
inline constexpr std::uint64_t kMinTraceLimitBytes = 16 * 1024;
/// Bytes of one message written out; the rest is only counted in the entry.
inline constexpr std::size_t kMaxTracedMessageBytes = 1000;

/// The message as trace text: printable ASCII as it is, CR, LF, ACK and NAK as <CR>, <LF>,
/// <ACK>, <NAK>, '<' and every other byte as <XX> in hexadecimal.
std::string TraceText(std::string_view bytes);

class LinkTrace final : public LinkObserver {
 public:
  /// Traces into `folder` (made when missing), timed by the loop's local time.
  LinkTrace(platform::EventLoop& loop, std::filesystem::path folder,
            std::uint64_t limitBytes = kDefaultTraceLimitBytes);

  void OnSent(std::string_view bytes) override { Write('>', bytes); }
  void OnReceived(std::string_view bytes) override { Write('<', bytes); }

  bool Writing() const { return writing_; }
  /// Entries not written since the trace stopped.
  std::uint64_t DroppedEntries() const { return dropped_; }
  std::uint64_t LimitBytes() const { return limitBytes_; }
  std::filesystem::path FilePath() const { return folder_ / kTraceFileName; }
  std::filesystem::path OldFilePath() const { return folder_ / kTraceOldFileName; }

 private:
  void Write(char direction, std::string_view bytes);

  platform::EventLoop& loop_;
  std::filesystem::path folder_;
  std::uint64_t limitBytes_;
  std::uint64_t sizeBytes_ = 0;  ///< of link.log as this trace left it
  bool writing_ = true;
  std::uint64_t dropped_ = 0;
};

}  // namespace vigil::link
