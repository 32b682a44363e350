#include <string>
#include <vector>

#include "link/InstrumentErrors.h"
#include "link/LineFields.h"
#include "link/ParseResult.h"
#include "link/Replies.h"
#include "platform/Text.h"

namespace vigil::link {

int ParseScan(ReplyBuffer& replies, ScanFields& out) {
  std::string line;
  const int taken = replies.TakeReplyLine(line);
  if (taken != kParsed) return taken;

  const std::string_view l = WithoutPrefix(line);
  const std::vector<std::string_view> fields = SplitFields(l, 0);
  if (l.substr(0, 4) != "*ST6" || fields.size() < 7) {
    replies.Clear();
    return kUnexpectedLine;
  }
  out.value1 = platform::Cp1252ToUtf8(fields[2]);
  out.value2 = platform::Cp1252ToUtf8(fields[3]);
  out.ha = platform::Cp1252ToUtf8(fields[4]);
  out.va = platform::Cp1252ToUtf8(fields[5]);
  if (IsAngleRangeCode(out.ha)) out.ha.clear();
  if (IsAngleRangeCode(out.va)) out.va = std::string(kOutOfRangeText);
  return kParsed;
}

}  // namespace vigil::link
