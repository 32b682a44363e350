#include "link/ReplyBuffer.h"

#include <algorithm>
#include <cstring>

#include "link/ControlChars.h"
#include "link/ParseResult.h"

namespace vigil::link {

void ReplyBuffer::Append(std::string_view message) {
  // One message carries at most 999 bytes, and only up to its first NUL.
  std::string_view data = message.substr(0, kReplyCapacity);
  data = data.substr(0, data.find('\0'));
  const std::size_t room = static_cast<std::size_t>(kReplyCapacity - count_);
  const std::size_t take = std::min(room, data.size());
  std::memcpy(chars_.data() + count_, data.data(), take);
  count_ += static_cast<int>(take);
}

int ReplyBuffer::TakeReplyLine(std::string& line, bool* ackPassed) {
  line.clear();
  bool ack = false;
  bool tooLong = false;
  const auto report = [&](int result) {
    if (ack && ackPassed != nullptr) *ackPassed = true;
    return result;
  };
  for (int i = 0; i < count_; ++i) {
    const char c = chars_[static_cast<std::size_t>(i)];
    if (c == kAck) {
      ack = true;
      continue;
    }
    if (c == kNak) {
      line.clear();
      Clear();
      return report(kNakReceived);
    }
    // Never copy more than the line buffer could hold.
    if (line.size() < static_cast<std::size_t>(kMaxLineChars)) {
      line.push_back(c);
    } else {
      tooLong = true;
    }
    if (c == '\r' && i + 1 < count_ && chars_[static_cast<std::size_t>(i) + 1] == '\n') {
      ++i;
      if (line.size() < static_cast<std::size_t>(kMaxLineChars)) {
        line.push_back('\n');
      } else {
        tooLong = true;
      }
      if (tooLong) {
        line.clear();
        Clear();
        return report(kUnexpectedLine);
      }
      const int end = i + 1;
      std::memmove(chars_.data(), chars_.data() + end, static_cast<std::size_t>(count_ - end));
      count_ -= end;
      return report(kParsed);
    }
  }
  line.clear();
  return report(kNoLine);
}

}  // namespace vigil::link
