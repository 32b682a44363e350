#include "link/LinkTrace.h"

#include <algorithm>
#include <array>

#include "link/ControlChars.h"
#include "platform/Files.h"

namespace vigil::link {

namespace {

constexpr std::array<char, 16> kHex{'0', '1', '2', '3', '4', '5', '6', '7',
                                    '8', '9', 'A', 'B', 'C', 'D', 'E', 'F'};

void AppendPadded(std::string& out, int value, int digits) {
  std::string text = std::to_string(std::max(value, 0));
  if (static_cast<int>(text.size()) < digits) out.append(static_cast<std::size_t>(digits) - text.size(), '0');
  out += text;
}

// "2026-12-07 08:00:00.050": sorts as text, the same in every locale.
std::string Stamp(const platform::LocalDateTime& t) {
  std::string out;
  AppendPadded(out, t.year, 4);
  out += '-';
  AppendPadded(out, t.month, 2);
  out += '-';
  AppendPadded(out, t.day, 2);
  out += ' ';
  AppendPadded(out, t.hour, 2);
  out += ':';
  AppendPadded(out, t.minute, 2);
  out += ':';
  AppendPadded(out, t.second, 2);
  out += '.';
  AppendPadded(out, t.millisecond, 3);
  return out;
}

}  // namespace

std::string TraceText(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size() + 8);
  for (const char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '\r') {
      out += "<CR>";
    } else if (c == '\n') {
      out += "<LF>";
    } else if (c == kAck) {
      out += "<ACK>";
    } else if (c == kNak) {
      out += "<NAK>";
    } else if (byte >= 0x20 && byte < 0x7F && c != '<') {
      out += c;
    } else {
      out += '<';
      out += kHex[byte >> 4];
      out += kHex[byte & 0x0F];
      out += '>';
    }
  }
  return out;
}

LinkTrace::LinkTrace(platform::EventLoop& loop, std::filesystem::path folder, std::uint64_t limitBytes)
    : loop_(loop), folder_(std::move(folder)), limitBytes_(std::max(limitBytes, kMinTraceLimitBytes)) {
  writing_ = platform::CreateFolder(folder_);
  // A file of an earlier run is continued; one already past the limit is rotated first.
  sizeBytes_ = platform::FileSize(FilePath()).value_or(0);
}

void LinkTrace::Write(char direction, std::string_view bytes) {
  if (!writing_) {
    ++dropped_;
    return;
  }
  std::string entry = Stamp(loop_.Now());
  entry += ' ';
  entry += direction;
  entry += ' ';
  entry += TraceText(bytes.substr(0, kMaxTracedMessageBytes));
  if (bytes.size() > kMaxTracedMessageBytes) {
    entry += " ... (" + std::to_string(bytes.size()) + " bytes)";
  }
  entry += '\n';
  if (sizeBytes_ + entry.size() > limitBytes_) {
    // No old file to replace is fine; a rename that fails with the file there is not.
    if (!platform::RenameFile(FilePath(), OldFilePath()) && platform::FileExists(FilePath())) {
      writing_ = false;
    }
    sizeBytes_ = 0;
  }
  if (writing_ && platform::AppendFileBytes(FilePath(), entry)) {
    sizeBytes_ += entry.size();
    return;
  }
  writing_ = false;
  ++dropped_;
}

}  // namespace vigil::link
