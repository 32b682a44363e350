// Taking reply lines apart: measurement, OK/error, parameter and scan replies.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "link/ControlChars.h"
#include "link/ParseResult.h"
#include "link/Replies.h"

namespace vigil::link {
namespace {

struct MeasurementCase {
  const char* name;
  std::string line;
  int expected;
  std::string ha, va, sd, tiltX, tiltY;
};

// Fields of "Ee": 1 "Ee", 2 and 3 status (L[3], L[5], L[6]), 4, Va, Ha, tilt X, tilt Y.
TEST(MeasurementReply, FieldsResultAndSubstitutedTexts) {
  const std::vector<MeasurementCase> cases = {
      {"angles and tilt", "#SEe,0,00,1,99.87650,123.45670,0.0012,-0.0003\r\n", 0, "123.45670", "99.87650", "",
       "0.0012", "-0.0003"},
      {"angle status '1' at L[3]", "#SEe,1,00,1,99.8765,123.4567,0,0\r\n", kAngleStatusNotZero, "h", "v", "s",
       "x", "y"},
      {"angle status at L[6]", "#SEe,0,01,1,99.8765,123.4567,0,0\r\n", kAngleStatusNotZero, "h", "v", "s",
       "x", "y"},
      {"angle line with 7 separators", "#SEe,0,00,99.8765,123.4567,0,0\r\n", kUnexpectedLine, "h", "v", "s",
       "x", "y"},
      {"angle line with 9 separators", "#SEe,0,00,1,99.8765,123.4567,0,0,9\r\n", kUnexpectedLine, "h", "v",
       "s", "x", "y"},
      {"vertical angle out of range", "#SEe,0,00,1,E115,123.4567,0.1,0.2\r\n", 12, "123.4567", "Out of range",
       "", "0.1", "0.2"},
      {"horizontal angle out of range", "#SEe,0,00,1,99.8765,E114,0.1,0.2\r\n", 9, "", "99.8765", "", "0.1",
       "0.2"},
      {"tilt error", "#SEe,0,00,1,99.8765,123.4567,E300,0.2\r\n", 3, "123.4567", "99.8765", "", "E300",
       "0.2"},
      {"distance", "#S*ST2,0,123.4567,99.8765,12.3456\r\n", 0, "123.4567", "99.8765", "12.3456", "x", "y"},
      {"distance of zeros is empty", "#S*ST2,0,123.4567,99.8765,0.0000\r\n", 0, "123.4567", "99.8765", "",
       "x", "y"},
      {"distance time-out", "#S*ST2,0,123.4567,99.8765,E201\r\n", 5, "123.4567", "99.8765", "Timeout", "x",
       "y"},
      {"signal off", "#S*ST2,0,123.4567,99.8765,E011\r\n", 5, "123.4567", "99.8765", "Signal off", "x", "y"},
      {"bad condition", "#S*ST2,0,123.4567,99.8765,E096\r\n", 5, "123.4567", "99.8765", "Bad condition", "x",
       "y"},
      {"unknown code is delivered", "#S*ST2,0,123.4567,99.8765,E300\r\n", 5, "123.4567", "99.8765", "E300",
       "x", "y"},
      {"code must be the whole field", "#S*ST2,0,123.4567,99.8765,E2010\r\n", 5, "123.4567", "99.8765",
       "E2010", "x", "y"},
      {"every field in error", "#S*ST2,0,E114,E115,E201\r\n", 60, "", "Out of range", "Timeout", "x", "y"},
      {"distance echo '3'", "#S*ST3,0,1.5,2.5,3.5\r\n", 0, "1.5", "2.5", "3.5", "x", "y"},
      {"angles of '1' have no distance", "#S*ST1,0,1.5,2.5,3.5\r\n", 0, "1.5", "2.5", "", "x", "y"},
      {"'1' with a vertical angle error", "#S*ST1,0,1.5,E116,3.5\r\n", 4, "1.5", "Out of range", "", "x",
       "y"},
      {"distance line with 4 separators", "#S*ST2,123.4567,99.8765,12.3456\r\n", kUnexpectedLine, "h", "v",
       "s", "x", "y"},
      {"Ea", "#SEa,0,0,0,12.3456,99.8765,123.4567\r\n", 0, "123.4567", "99.8765", "12.3456", "x", "y"},
      {"Ea with five separators", "#SEa,0,12.3456,99.8765,123.4567\r\n", kUnexpectedLine, "h", "v", "s", "x",
       "y"},
      {"anything else", "#SXY,1,2,3,4\r\n", kUnexpectedLine, "h", "v", "s", "x", "y"},
      {"a bare line end", "\r\n", kUnexpectedLine, "h", "v", "s", "x", "y"},
  };
  for (const MeasurementCase& c : cases) {
    SCOPED_TRACE(c.name);
    ReplyBuffer buffer;
    buffer.Append(c.line);
    MeasurementFields fields{"h", "v", "s", "x", "y"};
    EXPECT_EQ(ParseMeasurement(buffer, fields), c.expected);
    EXPECT_EQ(fields.ha, c.ha);
    EXPECT_EQ(fields.va, c.va);
    EXPECT_EQ(fields.sd, c.sd);
    EXPECT_EQ(fields.tiltX, c.tiltX);
    EXPECT_EQ(fields.tiltY, c.tiltY);
  }
}

TEST(MeasurementReply, AGoodLineLeavesTheNextAndABadOneClearsAll) {
  ReplyBuffer buffer;
  MeasurementFields fields;
  buffer.Append("#S*ST2,0,1,2,3\r\n#S*ST2,0,4,5,6\r\n");
  EXPECT_EQ(ParseMeasurement(buffer, fields), 0);
  EXPECT_EQ(ParseMeasurement(buffer, fields), 0);
  EXPECT_EQ(fields.sd, "6");
  buffer.Append("#SXY\r\n#S*ST2,0,4,5,6\r\n");
  EXPECT_EQ(ParseMeasurement(buffer, fields), kUnexpectedLine);
  EXPECT_EQ(buffer.Count(), 0);
  buffer.Append(std::string("#S*ST2,0") + kNak + ",1,2,3\r\n");
  EXPECT_EQ(ParseMeasurement(buffer, fields), kNakReceived);
  EXPECT_EQ(ParseMeasurement(buffer, fields), kNoLine);
}

struct OkErrorCase {
  const char* name;
  std::string text;
  int expected;
  bool acknowledged;
  int countAfter;
};

TEST(OkErrorReply, ResultAcknowledgementAndClearing) {
  const std::string ack(1, kAck);
  const std::vector<OkErrorCase> cases = {
      {"OK", "#S*DHOK\r\n", kOkReply, false, 0},
      {"error number after the echo", "#S*DHE114\r\n", 114, false, 0},
      {"error 575", "#S*SJE575\r\n", 575, false, 0},
      {"ACK first", ack + "#S*DHOK\r\n", kOkReply, true, 0},
      {"ACK alone is kept", "#S*DH" + ack, kNoLine, true, 6},
      {"a second line goes as well", "#S*DHOK\r\n#S*DHE572\r\n", kOkReply, false, 0},
      {"E without three digits", "#S*DHE1x4\r\n", kUnexpectedLine, false, 0},
      {"short line", "#SOK\r\n", kUnexpectedLine, false, 0},
      {"something else", "#S*DHXX\r\n", kUnexpectedLine, false, 0},
      {"NAK", "#S*DH" + std::string(1, kNak), kNakReceived, false, 0},
  };
  for (const OkErrorCase& c : cases) {
    SCOPED_TRACE(c.name);
    ReplyBuffer buffer;
    buffer.Append(c.text);
    bool acknowledged = false;
    EXPECT_EQ(ParseOkError(buffer, acknowledged), c.expected);
    EXPECT_EQ(acknowledged, c.acknowledged);
    EXPECT_EQ(buffer.Count(), c.countAfter);
  }
}

TEST(OkErrorReply, AcknowledgedIsNeverClearedByTheParser) {
  ReplyBuffer buffer;
  buffer.Append("#S*DHOK\r\n");
  bool acknowledged = true;
  EXPECT_EQ(ParseOkError(buffer, acknowledged), kOkReply);
  EXPECT_TRUE(acknowledged);
}

struct ParameterCase {
  const char* name;
  std::string line;
  int expected;
  ParameterForm form;
  std::vector<std::string> fields;  // the delivered ones, in order
};

TEST(ParameterReply, BlocksAAndB) {
  const std::vector<ParameterCase> cases = {
      {"A", "#SA 1,2,3,4\r\n", kParsed, ParameterForm::A, {"1", "2", "", "", "", "", "", "", "", "", "", ""}},
      {"B",
       "#SB 0,1,2,3,4,5,6,7,8,9,10,11\r\n",
       kParsed,
       ParameterForm::B,
       {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11"}},
      {"B keeps empty fields",
       "#SB 1,,3,,,,,,,,,12\r\n",
       kParsed,
       ParameterForm::B,
       {"1", "", "3", "", "", "", "", "", "", "", "", "12"}},
      {"B with eleven separators",
       "#SB 0,1,2,3,4,5,6,7,8,9,10\r\n",
       kUnexpectedLine,
       ParameterForm::None,
       {}},
      {"A with three separators", "#SA 1,2,3\r\n", kUnexpectedLine, ParameterForm::None, {}},
      {"C is the other parser's", "#SC 1\r\n", kUnexpectedLine, ParameterForm::None, {}},
  };
  for (const ParameterCase& c : cases) {
    SCOPED_TRACE(c.name);
    ReplyBuffer buffer;
    buffer.Append(c.line);
    ParameterAB parameters;
    EXPECT_EQ(ParseParameterAB(buffer, parameters), c.expected);
    EXPECT_EQ(parameters.form, c.form);
    if (!c.fields.empty()) {
      EXPECT_EQ(std::vector<std::string>(parameters.fields.begin(), parameters.fields.end()), c.fields);
    }
  }
}

TEST(ParameterReply, ReflectorTypeAndMotorParameters) {
  const std::vector<ParameterCase> cases = {
      {"C", "#SC 1\r\n", kParsed, ParameterForm::C, {"1", "", "", ""}},
      {"C empty value", "#SC \r\n", kParsed, ParameterForm::C, {"", "", "", ""}},
      {"C with two values", "#SC 1,2\r\n", kUnexpectedLine, ParameterForm::None, {}},
      {"*PA",
       "#S*PA 0,0,1.5000,1.5000\r\n",
       kParsed,
       ParameterForm::MotorParameters,
       {"0", "0", "1.5000", "1.5000"}},
      {"*PA with three separators", "#S*PA 0,0,1.5000\r\n", kUnexpectedLine, ParameterForm::None, {}},
      {"A is the other parser's", "#SA 1,2,3,4\r\n", kUnexpectedLine, ParameterForm::None, {}},
  };
  for (const ParameterCase& c : cases) {
    SCOPED_TRACE(c.name);
    ReplyBuffer buffer;
    buffer.Append(c.line);
    ParameterCPA parameters;
    EXPECT_EQ(ParseParameterCPA(buffer, parameters), c.expected);
    EXPECT_EQ(parameters.form, c.form);
    if (!c.fields.empty()) {
      EXPECT_EQ(std::vector<std::string>(parameters.fields.begin(), parameters.fields.end()), c.fields);
    }
  }
}

struct ScanCase {
  const char* name;
  std::string line;
  int expected;
  std::string ha, va, value1, value2;
};

TEST(ScanReply, FieldsAndCodes) {
  const std::vector<ScanCase> cases = {
      {"a hit", "#S*ST6,0,3,1,123.4567,99.8765,0\r\n", kParsed, "123.4567", "99.8765", "3", "1"},
      {"more separators are fine", "#S*ST6,0,3,1,123.4567,99.8765,0,,,\r\n", kParsed, "123.4567", "99.8765",
       "3", "1"},
      {"end of scan", "#S*ST6,0,0,0,0,0,0\r\n", kParsed, "0", "0", "0", "0"},
      {"angle codes", "#S*ST6,0,3,1,E114,E117,0\r\n", kParsed, "", "Out of range", "3", "1"},
      {"six separators", "#S*ST6,0,3,1,123.4567,99.8765\r\n", kUnexpectedLine, "h", "v", "1", "2"},
      {"not a scan line", "#S*ST2,0,3,1,123.4567,99.8765,0\r\n", kUnexpectedLine, "h", "v", "1", "2"},
  };
  for (const ScanCase& c : cases) {
    SCOPED_TRACE(c.name);
    ReplyBuffer buffer;
    buffer.Append(c.line);
    ScanFields fields{"h", "v", "1", "2"};
    EXPECT_EQ(ParseScan(buffer, fields), c.expected);
    EXPECT_EQ(fields.ha, c.ha);
    EXPECT_EQ(fields.va, c.va);
    EXPECT_EQ(fields.value1, c.value1);
    EXPECT_EQ(fields.value2, c.value2);
  }
}

TEST(ScanReply, TextsAreDeliveredAsUtf8) {
  ReplyBuffer buffer;
  buffer.Append("#S*ST6,0,3,1,\xB0,99,0\r\n");  // a degree sign of the 8-bit code page
  ScanFields fields;
  EXPECT_EQ(ParseScan(buffer, fields), kParsed);
  EXPECT_EQ(fields.ha, "\xC2\xB0");
}

}  // namespace
}  // namespace vigil::link
