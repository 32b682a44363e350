// Reply bytes as the Basic-mode application might send them: split into messages at 0xFE,
// each appended to a reply buffer and followed by one parser (chosen by the message's
// position). The buffer must never hold more than 999 characters, no line longer than the
// line buffer may come out, and taking lines must end.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "link/ParseResult.h"
#include "link/Replies.h"
#include "link/ReplyBuffer.h"

namespace {

using namespace vigil::link;

void Check(bool ok) {
  if (!ok) std::abort();
}

void CheckBuffer(const ReplyBuffer& buffer) {
  Check(buffer.Count() >= 0 && buffer.Count() <= kReplyCapacity);
}

void CheckResult(int result) {
  // Every code a parser may give: -2, -1, 0, 2, 70, 100, error numbers below 1000 and
  // products of the field-error factors.
  Check(result >= kNakReceived && result != kReadingTimeOut && result < 1000);
}

void RunParser(ReplyBuffer& buffer, std::size_t which) {
  switch (which % 6) {
    case 0: {
      bool acknowledged = false;
      CheckResult(ParseOkError(buffer, acknowledged));
      break;
    }
    case 1: {
      MeasurementFields fields;
      // Up to 3^5 x 4 = 972 when every field of an angle line carries a code.
      CheckResult(ParseMeasurement(buffer, fields));
      break;
    }
    case 2: {
      ParameterAB parameters;
      const int result = ParseParameterAB(buffer, parameters);
      CheckResult(result);
      Check((result == kParsed) == (parameters.form != ParameterForm::None));
      break;
    }
    case 3: {
      ParameterCPA parameters;
      const int result = ParseParameterCPA(buffer, parameters);
      CheckResult(result);
      Check((result == kParsed) == (parameters.form != ParameterForm::None));
      break;
    }
    case 4: {
      ScanFields fields;
      CheckResult(ParseScan(buffer, fields));
      break;
    }
    default: {
      std::string line;
      const int before = buffer.Count();
      const int result = buffer.TakeReplyLine(line);
      Check(line.size() <= static_cast<std::size_t>(kMaxLineChars));
      if (result == kNoLine) Check(buffer.Count() == before);
      break;
    }
  }
  CheckBuffer(buffer);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  ReplyBuffer buffer;
  std::size_t index = 0;
  std::size_t from = 0;
  while (from <= bytes.size()) {
    std::size_t end = bytes.find('\xFE', from);
    if (end == std::string_view::npos) end = bytes.size();
    buffer.Append(bytes.substr(from, end - from));
    CheckBuffer(buffer);
    RunParser(buffer, index++);
    from = end + 1;
  }
  // What is left comes out line by line; every step takes something or stops.
  std::string line;
  while (true) {
    const int before = buffer.Count();
    const int result = buffer.TakeReplyLine(line);
    Check(line.size() <= static_cast<std::size_t>(kMaxLineChars));
    CheckBuffer(buffer);
    if (result == kNoLine) break;
    Check(buffer.Count() < before);
    if (result == kParsed) Check(line.size() >= 2 && line.substr(line.size() - 2) == "\r\n");
  }
  return 0;
}
