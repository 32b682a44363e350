// The dashboard over real HTTP on loopback: its API and pages against the stepping site, and
// every hostile request we could think of, each with the one answer it must get and nothing
// of the machine's files or of the markup in a point's name leaking through.
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <unistd.h>

#include <sstream>
#include <thread>

#include "SteppingSite.h"
#include "TempFolder.h"
#include "alarms/AlarmLimitsFile.h"
#include "results/ResultsDatabase.h"
#include "web/RequestTarget.h"
#include "web/WebServer.h"
#include "web/WebTool.h"

namespace vigil::web {
namespace {

// The whole answer is in: its headers and as much body as they announce. The server may keep
// the connection open after it (as it does after refusing a malformed request).
bool Complete(const std::string& answer, bool head) {
  const std::size_t end = answer.find("\r\n\r\n");
  if (end == std::string::npos) return false;
  if (head) return true;
  const std::size_t length = answer.find("Content-Length: ");
  if (length == std::string::npos || length > end) return false;
  return answer.size() - end - 4 >= std::stoul(answer.substr(length + 16));
}

// Sends the bytes as they are and reads the answer until it is complete or the server closes.
std::string Exchange(int port, const std::string& request) {
  const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
  timeval limit{10, 0};  // a server that never answers fails the test instead of hanging it
  ::setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &limit, sizeof limit);
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_port = htons(static_cast<std::uint16_t>(port));
  a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  std::string answer;
  if (::connect(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0) {
    ::send(fd, request.data(), request.size(), MSG_NOSIGNAL);
    char buffer[4096];
    for (ssize_t n; !Complete(answer, request.rfind("HEAD", 0) == 0) &&
                    (n = ::recv(fd, buffer, sizeof buffer, 0)) > 0;) {
      answer.append(buffer, static_cast<std::size_t>(n));
    }
  }
  ::close(fd);
  return answer;
}

std::string Get(const std::string& target, const std::string& headers = "") {
  return "GET " + target + " HTTP/1.1\r\nHost: 127.0.0.1\r\nConnection: close\r\n" + headers + "\r\n";
}

int StatusOf(const std::string& answer) {
  return answer.size() > 12 && answer.rfind("HTTP/1.", 0) == 0 ? std::stoi(answer.substr(9, 3)) : -1;
}

std::string BodyOf(const std::string& answer) {
  const std::size_t end = answer.find("\r\n\r\n");
  return end == std::string::npos ? "" : answer.substr(end + 4);
}

class Dashboard {
 public:
  Dashboard(const std::filesystem::path& folder, const std::string& token) {
    std::string error;
    data_ = DashboardData::Open(folder / results::kResultsFileName, error);
    EXPECT_TRUE(data_) << error;
    WebConfig config;
    config.listen = {"127.0.0.1", 0};
    config.token = token;
    alarms::AlarmLimits limits;
    EXPECT_TRUE(alarms::ParseAlarmLimits(test::kSteppingLimits, limits, error));
    config.limits = limits;
    server_ = std::make_unique<WebServer>(*data_, config);
    EXPECT_TRUE(server_->Bind(error)) << error;
    thread_ = std::thread([this] { server_->Serve(); });
  }
  ~Dashboard() {
    server_->Stop();
    thread_.join();
  }
  int Port() const { return server_->Port(); }

 private:
  std::unique_ptr<DashboardData> data_;
  std::unique_ptr<WebServer> server_;
  std::thread thread_;
};

class WebTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    folder_ = new vigil::test::TempFolder();
    std::string error;
    ASSERT_TRUE(test::WriteSteppingSite(folder_->path(), error)) << error;
    open_ = new Dashboard(folder_->path(), "");
    guarded_ = new Dashboard(folder_->path(), "s3cret-token-1");
  }
  static void TearDownTestSuite() {
    delete guarded_;
    delete open_;
    delete folder_;
  }
  static vigil::test::TempFolder* folder_;
  static Dashboard* open_;
  static Dashboard* guarded_;
};
vigil::test::TempFolder* WebTest::folder_ = nullptr;
Dashboard* WebTest::open_ = nullptr;
Dashboard* WebTest::guarded_ = nullptr;

const std::string kMarkupSegment = EncodeSegment(test::kMarkupPoint);

struct Case {
  const char* what;
  bool guarded;         // sent to the server that asks for the token
  std::string request;  // the bytes sent
  int status;
  std::string has;     // in the answer, headers included
  std::string hasNot;  // nowhere in the answer
};

TEST_F(WebTest, EveryRequestGetsItsOneAnswer) {
  const std::string longName(3000, 'a');
  const Case cases[] = {
      {"the overview of the only station", false, Get("/"), 200, "References used", "<b id=\"x\">"},
      {"markup in a point's name shown as text", false, Get("/s/DAM/P1/"), 200,
       "&lt;b id=&quot;x&quot;&gt;M2&lt;/b&gt;&amp;amp;", "<b id=\"x\">"},
      {"M1's row carries its open level", false, Get("/s/DAM/P1/"), 200,
       "class=\"level-action\" data-point=\"M1\"", ""},
      {"no station status before the station writes one", false, Get("/api/stations"), 200, "\"status\":null",
       ""},
      {"points with their open level", false, Get("/api/s/DAM/P1/points"), 200, "\"open_level\":\"action\"",
       ""},
      {"events", false, Get("/api/s/DAM/P1/events"), 200, "\"kind\":\"confirmed\"", ""},
      {"the point with markup in its name found by its encoded name", false,
       Get("/api/s/DAM/P1/points/" + kMarkupSegment + "/series"), 200, "\\\"x\\\">M2", ""},
      {"its page escapes it in title and heading", false, Get("/s/DAM/P1/point/" + kMarkupSegment), 200,
       "<title>Point &lt;b id=&quot;x&quot;&gt;", "<b id=\"x\">"},
      {"a point not in the database", false, Get("/api/s/DAM/P1/points/M9/series"), 404, "no point M9", ""},
      {"a station not in the database", false, Get("/s/DAM/P9/"), 404, "no station DAM P9", ""},
      {"a point of another station's name", false, Get("/s/DAM/P9/point/M1"), 404, "no station", ""},
      {"the plotting library from the program itself", false, Get("/assets/uPlot.iife.min.js"), 200, "uPlot",
       ""},
      {"CSV download", false, Get("/s/DAM/P1/results.csv"), 200, "attachment; filename=\"DAM_P1.csv\"", ""},
      {"GeoJSON download", false, Get("/s/DAM/P1/results.geojson"), 200, "FeatureCollection", ""},
      {"HEAD has no body", false, "HEAD / HTTP/1.1\r\nHost: x\r\nConnection: close\r\n\r\n", 200, "",
       "<html"},
      {"path traversal", false, Get("/../../etc/passwd"), 400, "cannot be read", "root:"},
      {"encoded traversal", false, Get("/%2e%2e/%2E%2E/etc/passwd"), 400, "cannot be read", "root:"},
      {"traversal inside one encoded segment is only a name", false, Get("/assets/..%2F..%2Fetc%2Fpasswd"),
       404, "no asset", "root:"},
      {"double encoding stays a name", false, Get("/assets/%252e%252e%252fetc"), 404, "no asset", "root:"},
      {"an asset of a name not served", false, Get("/assets/dashboard.cpp"), 404, "", ""},
      {"a NUL in a name", false, Get("/s/DAM%00/P1/"), 400, "", ""},
      {"a bad escape", false, Get("/s/%zz/P1/"), 400, "", ""},
      {"a truncated escape", false, Get("/s/DAM/P1%2"), 400, "", ""},
      {"not UTF-8", false, Get("/s/%ff/P1/"), 400, "", ""},
      {"an overlong UTF-8 slash", false, Get("/s/%c0%af/P1/"), 400, "", ""},
      {"a query key twice", false, Get("/?a=1&a=2"), 400, "", ""},
      {"an empty segment", false, Get("/s//P1/"), 400, "", ""},
      {"an overlong path", false, Get("/" + longName), 414, "longer than the dashboard reads", ""},
      {"an overlong query", false, Get("/?q=" + longName), 414, "", ""},
      {"a target longer than the server reads at all", false, Get("/" + std::string(9000, 'a')), 414, "", ""},
      {"a header line too long", false, Get("/", "X-Long: " + std::string(9000, 'b') + "\r\n"), 400, "", ""},
      {"garbage for a request line", false, "GARBAGE\r\n\r\n", 400, "400 Bad Request", ""},
      {"a request line without a version", false, "GET /\r\n\r\n", 400, "", ""},
      {"a target without a leading slash", false, Get("s/DAM/P1/"), 400, "", ""},
      {"a method that writes", false,
       "POST / HTTP/1.1\r\nHost: x\r\nConnection: close\r\nContent-Length: 5\r\n\r\nhello", 405,
       "Allow: GET, HEAD", ""},
      {"no token when one is asked", true, Get("/"), 401, "a token is needed", "References"},
      {"no token for the API either", true, Get("/api/stations"), 401, "", "DAM"},
      {"nor for the assets", true, Get("/assets/dashboard.js"), 401, "", ""},
      {"a wrong token", true, Get("/?token=s3cret-token-2"), 401, "", ""},
      {"a token longer than the right one", true, Get("/", "Authorization: Bearer s3cret-token-1!\r\n"), 401,
       "", ""},
      {"the token in the query leaves a cookie", true, Get("/?token=s3cret-token-1"), 200,
       "Set-Cookie: vigil_token=s3cret-token-1; Path=/; HttpOnly; SameSite=Strict", ""},
      {"the token as a bearer", true, Get("/api/stations", "Authorization: Bearer s3cret-token-1\r\n"), 200,
       "DAM", ""},
      {"the token in its own header", true, Get("/api/stations", "X-Vigil-Token: s3cret-token-1\r\n"), 200,
       "DAM", ""},
      {"the token in the cookie", true, Get("/s/DAM/P1/", "Cookie: a=b; vigil_token=s3cret-token-1\r\n"), 200,
       "M1", ""},
      {"hostile targets are refused before the token is asked", true, Get("/%2e%2e/"), 400, "", ""},
  };
  for (const Case& c : cases) {
    const std::string answer = Exchange((c.guarded ? guarded_ : open_)->Port(), c.request);
    EXPECT_EQ(StatusOf(answer), c.status) << c.what << "\n" << answer.substr(0, 600);
    if (!c.has.empty()) {
      EXPECT_NE(answer.find(c.has), std::string::npos) << c.what << "\n" << answer.substr(0, 2000);
    }
    if (!c.hasNot.empty()) {
      EXPECT_EQ(answer.find(c.hasNot), std::string::npos) << c.what;
    }
    if (c.status >= 400) {
      EXPECT_EQ(answer.find("Content-Type: text/plain"), answer.find("Content-Type:"))
          << c.what << ": plain text only";
      EXPECT_LT(BodyOf(answer).size(), 200u) << c.what;
    }
  }
}

TEST_F(WebTest, TheSeriesOfTheSteppingPrismHasEveryCycleItsStepAndItsLimits) {
  const auto series =
      nlohmann::json::parse(BodyOf(Exchange(open_->Port(), Get("/api/s/DAM/P1/points/M1/series"))));
  ASSERT_EQ(series["time_ms"].size(), static_cast<std::size_t>(test::kSteppingCycles));
  for (int c = 0; c < test::kSteppingCycles; ++c) {
    const double expected[] = {c < test::kStepCycle ? 0.0 : 9.0, c < test::kStepCycle ? 0.0 : -6.0,
                               c < test::kStepCycle ? 0.0 : 3.0};
    const char* keys[] = {"dE_mm", "dN_mm", "dH_mm"};
    for (int k = 0; k < 3; ++k) {
      EXPECT_NEAR(series[keys[k]][c].get<double>(), expected[k], 0.3) << keys[k] << " of cycle " << c;
    }
    EXPECT_GT(series["sigma_dE_mm"][c].get<double>(), 0.0);
  }
  EXPECT_EQ(series["limits"]["de_mm"]["action"].get<double>(), 6.0);
  EXPECT_FALSE(series["limits"].contains("dh_mm")) << "no limit set on the height";
}

TEST(WebStatus, TheStationsStatusAsTheStationWroteIt) {
  vigil::test::TempFolder folder;
  std::string error;
  ASSERT_TRUE(test::WriteSteppingSite(folder.path(), error)) << error;
  {
    auto db = results::ResultsDatabase::Open(folder.path() / results::kResultsFileName, error);
    ASSERT_TRUE(db) << error;
    // As the running station writes it.
    ASSERT_TRUE(db->Raw().Execute(
        "INSERT OR REPLACE INTO station_status (project, station, updated_ms, last_cycle_ms, next_cycle_ms, "
        "link) "
        "VALUES ('DAM', 'P1', 1797066000000, 1797065000000, 1797079400000, 'connected <ok>')"));
  }
  Dashboard dashboard(folder.path(), "");
  const auto stations = nlohmann::json::parse(BodyOf(Exchange(dashboard.Port(), Get("/api/stations"))));
  ASSERT_EQ(stations.size(), 1u);
  EXPECT_EQ(stations[0]["status"]["link"], "connected <ok>");
  EXPECT_EQ(stations[0]["status"]["next_cycle"], "2026-12-12T12:43:20");
  const std::string page = Exchange(dashboard.Port(), Get("/s/DAM/P1/"));
  EXPECT_NE(page.find("<th>Link</th><td>connected &lt;ok&gt;</td>"), std::string::npos) << page;
  EXPECT_NE(page.find("<th>Next cycle</th><td>2026-12-12T12:43:20</td>"), std::string::npos);
}

TEST(WebTool, RefusesWhatItCannotDoSafely) {
  vigil::test::TempFolder folder;
  struct ToolCase {
    std::vector<std::string> args;
    int code;
    const char* says;
  } cases[] = {
      {{"--help"}, 0, "usage: vigil-web"},
      {{}, 2, "--db PATH is needed"},
      {{"--db"}, 2, "needs a value"},
      {{"--db", "x", "--pg", "host=/nowhere"}, 2, "--db and --pg exclude each other"},
      {{"--pg", "host=/nowhere"}, 2, "this build reads no server"},
      {{"--db", "x", "--port", "1"}, 2, "unknown argument --port"},
      {{"--db", "x", "--listen", "0.0.0.0:0"}, 2, "give --token"},
      {{"--db", "x", "--listen", "[::]:8080"}, 2, "give --token"},
      {{"--db", "x", "--listen", "0.0.0.0:0", "--token", "short"}, 2, "at least 12 characters"},
      {{"--db", "x", "--token", "a-token-with;a-semicolon"}, 2, "each a letter"},
      {{"--db", "x", "--listen", "127.0.0.1:99999"}, 2, "is not ADDR:PORT"},
      {{"--db", "x", "--listen", "example.org:80"}, 2, "is not ADDR:PORT"},
      {{"--db", (folder.path() / "missing.sqlite").string()}, 1, "missing.sqlite"},
      {{"--db", "x", "--alarms", (folder.path() / "none.conf").string()}, 1, "cannot be read"},
  };
  for (const ToolCase& c : cases) {
    std::ostringstream out, err;
    EXPECT_EQ(RunWebTool(c.args, out, err), c.code) << c.says;
    EXPECT_NE((out.str() + err.str()).find(c.says), std::string::npos) << out.str() << err.str();
  }
  EXPECT_FALSE(std::filesystem::exists(folder.path() / "missing.sqlite")) << "never created";
}

}  // namespace
}  // namespace vigil::web
