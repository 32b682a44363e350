#include "link/LineFields.h"
#include "link/ParseResult.h"
#include "link/Replies.h"

namespace vigil::link {
namespace {
bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}
}  // namespace

int ParseOkError(ReplyBuffer& replies, bool& acknowledged) {
  std::string line;
  bool ack = false;
  const int taken = replies.TakeReplyLine(line, &ack);
  if (ack) acknowledged = true;
  if (taken != kParsed) return taken;

  // The prefix is kept here: "OK" or "E" and three digits sit at L[5] onwards.
  const std::string_view l = line;
  int result = kUnexpectedLine;
  if (CharAt(l, 5) == 'O' && CharAt(l, 6) == 'K') {
    result = kOkReply;
  } else if (CharAt(l, 5) == 'E' && IsDigit(CharAt(l, 6)) && IsDigit(CharAt(l, 7)) && IsDigit(CharAt(l, 8))) {
    result = (l[6] - '0') * 100 + (l[7] - '0') * 10 + (l[8] - '0');
  }
  replies.Clear();
  return result;
}

}  // namespace vigil::link
