#include "FaultWorld.h"

#include <cmath>

#include "demo/KnownSite.h"
#include "platform/Files.h"
#include "platform/Text.h"
#include "survey/Units.h"
#include "training/TrainingFile.h"

namespace vigil::faults::test {

namespace {

constexpr sim::GridPoint kStation{1000.0, 2000.0, 100.0};

sim::GridPoint Position(const SitePrism& p) {
  const double a = p.bearingGon * survey::kPi / 200.0;
  return {kStation.eastingMetres + p.horizontalMetres * std::sin(a),
          kStation.northingMetres + p.horizontalMetres * std::cos(a), kStation.levelMetres + p.heightMetres};
}

double AngleApart(double a, double b) {
  const double d = std::fmod(std::fabs(a - b), 400.0);
  return std::min(d, 400.0 - d);
}

const char* const kNoticeTexts[] = {kTimedOut,      kFailedToStop,       kFailedToConnect,
                                    kFailedReading, kMotorReadGivenBack, kReflectorReadNotGivenBack};
constexpr const char* kCommunicationErrorPrefix = "Measuring::Communication error! Ret = ";

bool IsNotice(const std::string& text) {
  if (platform::StartsWith(text, kCommunicationErrorPrefix)) return true;
  for (const char* n : kNoticeTexts)
    if (text == n) return true;
  return false;
}

}  // namespace

sim::Scenario FaultSite() {
  sim::Scenario s;
  s.station = kStation;
  s.angleNoiseMgon = 0.0;
  s.distanceNoiseMm = 0.0;
  s.distanceNoisePpm = 0.0;
  s.tiltNoiseMgon = 0.0;
  for (const SitePrism& p : kSitePrisms) s.prisms.push_back({p.name, p.simType, -30.0, Position(p), {}, {}});
  return s;
}

FaultWorld::FaultWorld()
    : loop_(std::make_unique<platform::VirtualTimeDriver>()),
      bus_(platform::MakeInProcessBus()),
      simClock_(*loop_.Virtual()),
      sim_(*bus_, simClock_, FaultSite()),
      host_(loop_),
      app_(loop_, *bus_, host_, store::StorageLayout(platform::Paths(dir_.path(), dir_.path() / "device"))) {
  host_.SetFailureHandler([](const std::string& what) { ADD_FAILURE() << what; });
  // A fault may be told at any moment; what was told is asserted after the run.
  host_.AlwaysAnswer(kCommunicationErrorPrefix, platform::kIdOk, TextMatch::Contains);
  for (const char* n : kNoticeTexts) host_.AlwaysAnswer(n, platform::kIdOk, TextMatch::Exact);
  EXPECT_TRUE(sim_.Start());
  store::ProjectStationSettings& s = Settings();
  const sim::Scenario& site = sim_.scenario();
  demo::TakeTrueStation(s, site);
  app_.SetHooks(&hooks_);
}

FaultWorld::~FaultWorld() {
  sim_.Stop();
}

store::ProjectStationSettings& FaultWorld::Settings() {
  return Context().Settings();
}

void FaultWorld::Connect() {
  ASSERT_TRUE(Context().Link().Connect());
  sim_.log().Clear();
}

void FaultWorld::Inject(const Injection& in) {
  if (in.kind == FaultKind::kWindowGone && in.count == kForGood) {
    sim_.Stop();
    return;
  }
  Arm(sim_.faults(), in);
}

bool FaultWorld::Struck(const Injection& in) {
  if (in.kind == FaultKind::kWindowGone && in.count == kForGood) return !sim_.Present();
  const int left = Remaining(sim_.faults(), in);
  return in.count == kForGood ? left < kForGood : left == 0;
}

void FaultWorld::SwitchOff() {
  ClearAll(sim_.faults());
  if (!sim_.Present()) {
    EXPECT_TRUE(sim_.Start());
  }
}

sim::GridPoint FaultWorld::Truth(const std::string& name) const {
  for (const SitePrism& p : kSitePrisms)
    if (name == p.name) return Position(p);
  ADD_FAILURE() << "no prism " << name;
  return {};
}

survey::Observation FaultWorld::TrueObservation(const std::string& name) const {
  const sim::GridPoint t = Truth(name);
  return survey::ComputeHaVaSd({kStation.eastingMetres, kStation.northingMetres, kStation.levelMetres},
                               t.eastingMetres, t.northingMetres, t.levelMetres);
}

void FaultWorld::WriteTraining(const std::vector<std::string>& names) {
  const store::ProjectStationSettings& s = Settings();
  std::string text = "Stat\tName\tHa\tVa\tSD\tEasting\tNorthing\tRL\tType\tPrism\r\n";
  for (const std::string& name : names) {
    int type = 2;
    for (const SitePrism& p : kSitePrisms)
      if (name == p.name) type = p.trainingType;
    const survey::Observation o = TrueObservation(name);
    const sim::GridPoint t = Truth(name);
    auto angle = [&](double gon) { return survey::FormatAngle(s, gon, survey::AngleFormat::Current, false); };
    const std::vector<std::string> fields{"1",
                                          name,
                                          angle(o.haGon),
                                          angle(o.vaGon),
                                          survey::FormatDistance(s, o.sdMetres),
                                          survey::FormatDistance(s, t.eastingMetres),
                                          survey::FormatDistance(s, t.northingMetres),
                                          survey::FormatDistance(s, t.levelMetres),
                                          std::to_string(type),
                                          type == 0 ? "Reference" : "Monitoring"};
    text += platform::Join(fields, "\t") + "\r\n";
  }
  const training::TrainingFileLocation where = training::TrainingFileOf(Context().Layout(), s);
  ASSERT_TRUE(platform::CreateFolder(where.folder));
  ASSERT_TRUE(platform::WriteUtf16FileAtomic(where.file, text));
}

void FaultWorld::PointAt(const std::string& name) {
  const survey::Observation o = TrueObservation(name);
  bool done = false;
  Context().Engine().TurnTo(
      o.haGon, o.vaGon, [&] { done = true; }, false, true);
  ASSERT_TRUE(loop_.RunUntil([&] { return done; }, 200000));
}

ScriptedHost& FaultWorld::ScriptPointAt(const std::string& name) {
  link::MeasurementEngine& engine = Context().Engine();
  return host_
      .Do("turn to " + name,
          [this, name] {
            const survey::Observation o = TrueObservation(name);
            Context().Engine().TurnTo(o.haGon, o.vaGon, nullptr, false, false);
          })
      .WaitUntil("the telescope still", [&engine] { return !engine.Turning() && !engine.Measuring(); });
}

std::vector<std::string> FaultWorld::Notices() const {
  std::vector<std::string> notices;
  for (const ui::HostEvent& e : host_.Log()) {
    if (e.kind == ui::HostEvent::Kind::Beep) notices.push_back(kBeep);
    if (e.kind == ui::HostEvent::Kind::MessageBox && IsNotice(e.text)) notices.push_back(e.text);
  }
  return notices;
}

int FaultWorld::Beeps() const {
  return static_cast<int>(host_.Events(ui::HostEvent::Kind::Beep).size());
}

std::string FaultWorld::PrismObserved(double haGon, double vaGon, double sdMetres) const {
  for (const SitePrism& p : kSitePrisms) {
    const survey::Observation f1 = TrueObservation(p.name);
    const survey::Observation f2 = survey::OtherFace(f1);
    if (std::fabs(sdMetres - f1.sdMetres) > kLengthToleranceMetres) continue;
    for (const survey::Observation& o : {f1, f2}) {
      if (AngleApart(haGon, o.haGon) <= kAngleToleranceGon &&
          std::fabs(vaGon - o.vaGon) <= kAngleToleranceGon)
        return p.name;
    }
  }
  return "";
}

std::string FaultWorld::PrismAt(double e, double n, double rl) const {
  for (const SitePrism& p : kSitePrisms) {
    const sim::GridPoint t = Position(p);
    if (std::fabs(e - t.eastingMetres) <= kLengthToleranceMetres &&
        std::fabs(n - t.northingMetres) <= kLengthToleranceMetres &&
        std::fabs(rl - t.levelMetres) <= kLengthToleranceMetres)
      return p.name;
  }
  return "";
}

}  // namespace vigil::faults::test
