#include <cmath>

#include <gtest/gtest.h>

#include "platform/Text.h"
#include "store/ConstCustom.h"
#include "store/KeyValueFile.h"
#include "store/SettingsEntries.h"
#include "store/SettingsFileReader.h"

namespace vigil::store {
namespace {

constexpr double kExact = 1e-12;

KeyValueFile FileOf(std::string_view text) {
  return KeyValueFile("unused", text);
}

TEST(ConstCustom, NameAndConstantReadFromOneText) {
  const struct {
    const char* text;
    const char* name;
    double constantMm;  // 99 stands for "unchanged"
    const char* comment;
  } cases[] = {
      {"Mini:-17.5", "Mini", -17.5, "name and constant"},
      {"-17.5", "", -17.5, "no colon: all of it is the constant"},
      {":-17.5", "", -17.5, "empty name"},
      {"Mini:", "Mini", 99, "missing constant keeps the old one"},
      {"Mini:abc", "Mini", 99, "unreadable constant keeps the old one"},
      {"a:b:-1", "a", 99, "split at the first colon"},
      {"", "", 99, "empty value"},
      {"Mini:-17.5mm", "Mini", -17.5, "trailing text ignored as %lf does"},
      {"Mini:  +4", "Mini", 4, "leading blanks skipped"},
  };
  for (const auto& c : cases) {
    std::string name = "old";
    double constantMm = 99;
    ParseConstCustom(c.text, name, constantMm);
    EXPECT_EQ(name, c.name) << c.comment;
    EXPECT_NEAR(constantMm, c.constantMm, kExact) << c.comment;
  }
}

TEST(ConstCustom, WrittenFormReadsBack) {
  const struct {
    const char* name;
    double constantMm;
    const char* text;
  } cases[] = {
      {"Mini", -17.5, "Mini:-17.5"},
      {"", 0.0, ":0.0"},
      {"360", 23.14, "360:23.1"},
      {"X", -0.04, "X:-0.0"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FormatConstCustom(c.name, c.constantMm), c.text);
    std::string name;
    double constantMm = 99;
    ParseConstCustom(FormatConstCustom(c.name, c.constantMm), name, constantMm);
    EXPECT_EQ(name, c.name);
    EXPECT_NEAR(constantMm, c.constantMm, 0.05 + kExact) << "one decimal is stored";
  }
}

TEST(SettingsFileReader, ReadsEveryKey) {
  const std::string text =
      "project=Dam\r\nstation=North 2\r\ntemperature=21.5\r\npressure=998.25\r\nangle_units=1\r\n"
      "distance_unit=2\r\ndist_standard=1\r\neasting=1234.5678\r\nnorthing=-5.25\r\n"
      "reduced_level=100.0000\r\norientation=123.45678\r\ninstrument_height=1.5000\r\n"
      "const_monitoring=-34.4\r\nconst_connection=0.0\r\nconst_reference=17.5\r\n"
      "const_custom=Mini:-17.5\r\nsequence=2\r\nrepeat=4\r\nretry=6\r\nrounds=2\r\nmode=1\r\n"
      "interval=3\r\nstart_time=12:00 AM\r\ncycles=1,12:00 AM|2,03:00 AM";
  ProjectStationSettings s;
  ASSERT_TRUE(ReadSettingsFile(FileOf(text), s));
  EXPECT_EQ(s.project, "Dam");
  EXPECT_EQ(s.station, "North 2");
  const struct {
    double actual;
    double expected;
    const char* what;
  } numbers[] = {
      {s.temperature, 21.5, "temperature"},
      {s.pressure, 998.25, "pressure"},
      {s.easting, 1234.5678, "easting"},
      {s.northing, -5.25, "northing"},
      {s.reduced_level, 101.5, "axis level = mark level + instrument height"},
      {s.orientation, 123.45678, "orientation"},
      {s.instrument_height, 1.5, "instrument_height"},
      {s.const_monitoring, -34.4, "const_monitoring"},
      {s.const_connection, 0.0, "const_connection"},
      {s.const_reference, 17.5, "const_reference"},
      {s.const_custom, -17.5, "const_custom"},
  };
  for (const auto& n : numbers) EXPECT_NEAR(n.actual, n.expected, kExact) << n.what;
  EXPECT_EQ(s.const_custom_name, "Mini");
  EXPECT_EQ((std::vector<int>{s.angle_units, s.distance_unit, s.dist_standard, s.sequence, s.repeat, s.retry,
                              s.rounds, s.mode}),
            (std::vector<int>{1, 2, 1, 2, 4, 6, 2, 1}));
  EXPECT_EQ(s.interval, "3");
  EXPECT_EQ(s.start_time, "12:00 AM");
  EXPECT_EQ(s.cycles, "1,12:00 AM|2,03:00 AM");
}

TEST(SettingsFileReader, EmptyAndUnreadableValues) {
  ProjectStationSettings before;
  before.angle_units = 1;
  before.distance_unit = 2;
  before.dist_standard = 1;
  before.mode = 2;
  before.sequence = 2;
  before.repeat = 7;
  before.temperature = 12.0;
  before.interval = "6";
  before.start_time = "03:00 AM";
  before.cycles = "1,03:00 AM";
  const std::string text =
      "project=P\r\nstation=S\r\nangle_units=\r\ndistance_unit=\r\ndist_standard=\r\nmode=\r\n"
      "sequence=\r\nrepeat=many\r\ntemperature=warm\r\ninterval=\r\nstart_time=\r\ncycles=";
  ProjectStationSettings s = before;
  ASSERT_TRUE(ReadSettingsFile(FileOf(text), s));
  EXPECT_EQ(s.angle_units, 0) << "empty unit counts as 0";
  EXPECT_EQ(s.distance_unit, 0);
  EXPECT_EQ(s.dist_standard, 0);
  EXPECT_EQ(s.mode, 0) << "empty mode counts as 0";
  EXPECT_EQ(s.sequence, 2) << "other empty numbers keep their value";
  EXPECT_EQ(s.repeat, 7) << "unreadable number keeps its value";
  EXPECT_EQ(s.temperature, 12.0);
  EXPECT_EQ(s.interval, kDefaultInterval);
  EXPECT_EQ(s.start_time, kDefaultStartTime);
  EXPECT_EQ(s.cycles, kDefaultCycles);
}

TEST(SettingsFileReader, NoProjectValueLoadsNothing) {
  for (const std::string text : {"station=S\r\neasting=1", "project=\r\neasting=1", "project\r\neasting=1",
                                 "\xEF\xBB\xBFproject=P\r\neasting=1", ""}) {
    ProjectStationSettings s;
    EXPECT_FALSE(ReadSettingsFile(FileOf(text), s)) << text;
    EXPECT_EQ(s.project, "PROJ");
    EXPECT_EQ(s.easting, 30000.0);
  }
}

TEST(SettingsEntries, SheetFormsInFileOrder) {
  ProjectStationSettings s;
  s.reduced_level = 101.5;
  s.instrument_height = 1.5;
  s.orientation = 12.3456789;
  s.const_custom_name = "Mini";
  s.const_custom = -17.5;
  const SettingsEntries entries = SettingsEntriesFor(s);
  std::vector<std::string> keys;
  for (const auto& e : entries) keys.push_back(e.first);
  EXPECT_EQ(platform::Join(keys, ","),
            "temperature,pressure,angle_units,distance_unit,dist_standard,easting,northing,reduced_level,"
            "orientation,instrument_height,const_monitoring,const_connection,const_reference,const_custom,"
            "sequence,repeat,retry,rounds,mode,interval,start_time,cycles");
  std::vector<std::string> values;
  for (const auto& e : entries) values.push_back(e.second);
  EXPECT_EQ(platform::Join(values, ","),
            "30.0,1013.0,0,0,0,30000.0000,30000.0000,100.0000,12.34568,1.5000,-30.0,-7.0,-30.0,Mini:-17.5,"
            "0,3,5,1,0,4,01:00 AM,1,01:00 AM|2,05:00 AM|3,09:00 AM|4,01:00 PM|5,05:00 PM|6,09:00 PM");
}

TEST(SettingsFileReader, ReplyDrivenUnlessTheFileAsksForTheFixedPeriods) {
  struct Case {
    const char* line;
    bool replyDriven;
    const char* written;  ///< what a save adds for it
  };
  const Case cases[] = {
      {"", true, ""},  // every file written before the key existed
      {"reply_driven=0", false, "reply_driven=0"},
      {"reply_driven=1", true, ""},
      {"reply_driven=", true, ""},
      {"reply_driven=x", true, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    ProjectStationSettings s;
    s.reply_driven = !c.replyDriven;
    ASSERT_TRUE(ReadSettingsFile(FileOf(std::string("project=P\r\n") + c.line), s));
    EXPECT_EQ(s.reply_driven, c.replyDriven);
    SettingsEntries entries;
    AddReplyDrivenEntry(s, entries);
    std::string written;
    for (const auto& [key, value] : entries) written += key + "=" + value;
    EXPECT_EQ(written, c.written);
  }
}

}  // namespace
}  // namespace vigil::store
