// The text received from the Basic-mode application, in order of arrival, and the taking
// apart of it into lines.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace vigil::link {

/// At most this many characters are ever held; the rest of a message is dropped.
inline constexpr int kReplyCapacity = 999;

/// A parser's line buffer: 136 characters with CR LF and the terminating NUL, so a line
/// may be at most 135 characters long with its CR LF.
inline constexpr int kLineBufferChars = 136;
inline constexpr int kMaxLineChars = kLineBufferChars - 1;

/// One character per received byte (the 8-bit system code page maps each byte to one
/// character); the texts handed to callers are converted to UTF-8 by the parsers.
class ReplyBuffer {
 public:
  /// Appends one received message: the bytes up to the first NUL, at most 999 of them,
  /// and no more than the free room.
  void Append(std::string_view message);

  /// Forgets the received text (the reply count becomes 0).
  void Clear() {
    count_ = 0;
    ++clears_;
  }
  /// How often the text was forgotten so far (a parser that cleared it after its line).
  std::uint64_t Clears() const { return clears_; }

  int Count() const { return count_; }
  std::string_view Text() const { return std::string_view(chars_.data(), static_cast<std::size_t>(count_)); }

  /// Takes the first line (ending in CR LF, kept in `line`) off the front.
  /// Returns 0 with the line; -1 when no complete line has arrived (buffer unchanged);
  /// -2 when a NAK comes before the line end (buffer cleared); 2 when the complete line
  /// is longer than kMaxLineChars (buffer cleared, `line` empty).
  /// ACK characters are never part of a line: they are skipped, and `ackPassed` (when
  /// given) is set when one was passed, also when no line is complete yet.
  int TakeReplyLine(std::string& line, bool* ackPassed = nullptr);

 private:
  std::array<char, kReplyCapacity + 1> chars_{};
  int count_ = 0;
  std::uint64_t clears_ = 0;
};

}  // namespace vigil::link
