#include <string>
#include <vector>

#include "link/LineFields.h"
#include "link/ParseResult.h"
#include "link/Replies.h"
#include "platform/Text.h"

namespace vigil::link {
namespace {

// Takes one line; returns the code to report, or kParsed with the line without its prefix.
int TakeLine(ReplyBuffer& replies, std::string& line, std::string_view& l) {
  const int taken = replies.TakeReplyLine(line);
  if (taken == kParsed) l = WithoutPrefix(line);
  return taken;
}

template <std::size_t N>
void Deliver(const std::vector<std::string_view>& fields, std::size_t count,
             std::array<std::string, N>& out) {
  for (std::size_t i = 0; i < N; ++i) out[i] = i < count ? platform::Cp1252ToUtf8(fields[i]) : std::string();
}

}  // namespace

int ParseParameterAB(ReplyBuffer& replies, ParameterAB& parameters) {
  std::string line;
  std::string_view l;
  if (int taken = TakeLine(replies, line, l); taken != kParsed) return taken;
  const std::vector<std::string_view> fields = SplitFields(l, 2);
  if (CharAt(l, 0) == 'A' && fields.size() == 4) {
    parameters.form = ParameterForm::A;
    Deliver(fields, 2, parameters.fields);
    return kParsed;
  }
  if (CharAt(l, 0) == 'B' && fields.size() == 12) {
    parameters.form = ParameterForm::B;
    Deliver(fields, 12, parameters.fields);
    return kParsed;
  }
  replies.Clear();
  return kUnexpectedLine;
}

int ParseParameterCPA(ReplyBuffer& replies, ParameterCPA& parameters) {
  std::string line;
  std::string_view l;
  if (int taken = TakeLine(replies, line, l); taken != kParsed) return taken;
  if (l.substr(0, 3) == "*PA") {
    const std::vector<std::string_view> fields = SplitFields(l, 4);
    if (fields.size() == 4) {
      parameters.form = ParameterForm::MotorParameters;
      Deliver(fields, 4, parameters.fields);
      return kParsed;
    }
  } else if (CharAt(l, 0) == 'C') {
    const std::vector<std::string_view> fields = SplitFields(l, 2);
    if (fields.size() == 1) {
      parameters.form = ParameterForm::C;
      Deliver(fields, 1, parameters.fields);
      return kParsed;
    }
  }
  replies.Clear();
  return kUnexpectedLine;
}

}  // namespace vigil::link
