// replication.conf as read, and a password never shown: every form a connection string can
// carry it in.
#include <gtest/gtest.h>

#include <string>

#include "TempFolder.h"
#include "platform/Files.h"
#include "replication/MaskedText.h"
#include "replication/ReplicationConfig.h"
#include "replication/StationReplication.h"

namespace vigil::replication {
namespace {

TEST(ReplicationConfig, LinesAreReadOrRefusedWithoutEchoingSecrets) {
  struct Case {
    const char* text;
    bool ok;
    const char* connectionOrError;
    int batchCycles;
  };
  const Case cases[] = {
      {"# copy\nconnection = host=db port=5432 password=a=b\nbatch_cycles = 5\n", true,
       "host=db port=5432 password=a=b", 5},
      {"connection=dbname=x\r\nretry_seconds=30\r\n", true, "dbname=x", 20},
      {"batch_cycles = 5\n", false, "replication.conf: no connection = line", 0},
      {"connection = x\nbatch_cycles = 0\n", false, "replication.conf line 2: batch_cycles is a whole number",
       0},
      {"connection = x\nretry_seconds = 2\n", false, "replication.conf line 2: retry_seconds", 0},
      // A password pasted on a line of its own: the key is not repeated, it may be the secret.
      {"connection = x\nhunter2 password = y\n", false, "replication.conf line 2: unknown key", 0},
      {"connection = x\njust words\n", false, "replication.conf line 2: not key = value", 0},
  };
  for (const Case& c : cases) {
    ReplicationConfig config;
    std::string error;
    EXPECT_EQ(ParseReplicationConfig(c.text, config, error), c.ok) << c.text;
    if (c.ok) {
      EXPECT_EQ(config.connection, c.connectionOrError);
      EXPECT_EQ(config.batchCycles, c.batchCycles);
    } else {
      EXPECT_EQ(error.rfind(c.connectionOrError, 0), 0u) << error;
      EXPECT_EQ(error.find("hunter2"), std::string::npos) << error;
    }
  }
}

TEST(MaskedText, EveryFormOfPasswordIsMasked) {
  struct Case {
    const char* connection;
    const char* masked;
  };
  const Case cases[] = {
      {"host=h password=pw user=u", "host=h password=*** user=u"},
      {"host=h password = 'p w\\'x' user=u", "host=h password = *** user=u"},
      {"postgresql://u:pw@h:5432/db?sslmode=require", "postgresql://u:***@h:5432/db?sslmode=require"},
      {"postgres://u@h/db?password=pw&x=1", "postgres://u@h/db?password=***&x=1"},
      {"host=h user=u", "host=h user=u"},
      {"password=", "password="},
  };
  for (const Case& c : cases) EXPECT_EQ(MaskedConnection(c.connection), c.masked);
  EXPECT_EQ(MaskedMessage("auth for pw failed\n", "password=pw", false), "auth for *** failed");
  // The client library's messages come in the user's language and its quotes.
  EXPECT_EQ(MaskedMessage("missing \"=\" after \"secret\" in string", "password sec ret", true),
            "missing \"...\" after \"...\" in string");
  EXPECT_EQ(MaskedMessage("fehlendes \u00bb=\u00ab nach \u00bbPw-tail\u00ab", "password=x Pw-tail", true),
            "fehlendes \u00bb...\u00ab nach \u00bb...\u00ab");
  EXPECT_EQ(MaskedMessage("bad option Pw-tail here", "password=x Pw-tail", true), "bad option *** here");
}

TEST(StationReplication, WithoutAUsableFileTheStationCopiesNothingAndSaysWhy) {
  struct Case {
    const char* file;  ///< replication.conf, or nullptr for none
    const char* says;
  };
  const Case cases[] = {
      {nullptr, ""},
      {"connection = host=h password=pw\nbatch_cycles = many\n",
       "replication.conf line 2: batch_cycles is a whole number from 1 to 1000"},
  };
  for (const Case& c : cases) {
    vigil::test::TempFolder home;
    if (c.file) {
      ASSERT_TRUE(platform::WriteFileBytesAtomic(home.path() / kReplicationConfigName, c.file));
    }
    const store::StorageLayout layout(platform::Paths(home.path(), home.path() / "device"));
    StationReplication replication;
    replication.OnTick(layout, 1000);
    replication.OnCycleStored(layout, 2000);
    EXPECT_EQ(replication.LastMessage(), c.says);
  }
}

}  // namespace
}  // namespace vigil::replication
