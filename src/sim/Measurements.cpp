// Turning, searching and measuring of the simulated instrument.
#include <algorithm>
#include <cmath>

#include "platform/Format.h"
#include "sim/Atmosphere.h"
#include "sim/Faults.h"
#include "sim/ReplyLines.h"
#include "sim/Simulator.h"
#include "sim/Site.h"

namespace vigil::sim {

namespace {

std::uint64_t Ms(double ms) {
  return static_cast<std::uint64_t>(std::max(0.0, std::ceil(ms)));
}

}  // namespace

void Simulator::Turn(const Command& c) {
  const Pointing to = instrument_.FromReading(c.haTenthMilligon / 10000.0, c.vaTenthMilligon / 10000.0);
  channel_.Send(linkTitle_, std::string(1, kAck), scenario_.replyDelayMs);
  const double turnMs = instrument_.TurnMs(to, scenario_.turnSpeedGonPerS);
  EndMotion(c, Ms(turnMs) + scenario_.settleMs, to, 0);
}

void Simulator::Search(const Command& c) {
  channel_.Send(linkTitle_, std::string(1, kAck), scenario_.replyDelayMs);
  const Pointing from = instrument_.pointing();
  const auto found = targets_.Nearest(scenario_, NowMs(), from, scenario_.searchFieldGon, true);
  if (!found) {
    EndMotion(c, scenario_.searchMs, std::nullopt, kNoPrismFound);
    return;
  }
  Pointing centre = from;
  centre.azimuthGon = found->direction.azimuthGon;
  centre.zenithGon = found->direction.zenithGon;
  EndMotion(c, scenario_.searchMs + Ms(instrument_.TurnMs(centre, scenario_.turnSpeedGonPerS)), centre, 0);
}

void Simulator::EndMotion(const Command& c, std::uint64_t afterMs, std::optional<Pointing> to,
                          int errorNumber) {
  const std::uint64_t seq = ++motionSeq_;
  if (TakeOne(faults_.endlessTurns)) return;
  if (errorNumber == 0 && TakeOne(faults_.turnErrors)) errorNumber = faults_.turnErrorNumber;
  Later(afterMs, [this, seq, to, errorNumber, echo = c.echo] {
    if (seq != motionSeq_) return;
    if (to) instrument_.PointAt(*to);
    channel_.Send(linkTitle_, errorNumber ? ErrorNumberLine(echo, errorNumber) : OkLine(echo),
                  scenario_.replyDelayMs);
  });
}

void Simulator::ReadAngles() {
  auto makeLine = [this] {
    const double sigma = scenario_.angleNoiseMgon * 0.001;
    std::string ha = GonText(WrapGon(instrument_.ReadHa() + noise_.Gaussian(sigma)));
    std::string va = GonText(instrument_.ReadVa() + noise_.Gaussian(sigma));
    if (TakeOne(faults_.haErrors)) ha = faults_.haErrorCode;
    if (TakeOne(faults_.vaErrors)) va = faults_.vaErrorCode;
    const double tiltSigma = scenario_.tiltNoiseMgon * 0.001;
    return AngleLine(ha, va, GonText(noise_.Gaussian(tiltSigma)), GonText(noise_.Gaussian(tiltSigma)),
                     !TakeOne(faults_.angleStatusErrors));
  };
  const std::string title = linkTitle_;
  Later(scenario_.angleMs, [this, title, makeLine] { channel_.SendData(title, makeLine, 0); });
}

void Simulator::StartDistance() {
  distanceRunning_ = true;
  const std::uint64_t series = ++seriesSeq_;
  Later(scenario_.distanceFirstMs, [this, series] { DistanceLine(series, 0); });
}

void Simulator::DistanceLine(std::uint64_t series, int count) {
  constexpr int kMaxLinesPerSeries = 600;  // an instrument left measuring gives up
  if (series != seriesSeq_ || !distanceRunning_) return;
  auto makeLine = [this] {
    const double sigma = scenario_.angleNoiseMgon * 0.001;
    std::string ha = GonText(WrapGon(instrument_.ReadHa() + noise_.Gaussian(sigma)));
    std::string va = GonText(instrument_.ReadVa() + noise_.Gaussian(sigma));
    std::string sd = "E200";  // no signal returned
    if (const auto target =
            targets_.Nearest(scenario_, NowMs(), instrument_.pointing(), scenario_.beamGon, false)) {
      const double trueMetres = target->direction.slopeMetres;
      const double sdSigma =
          (scenario_.distanceNoiseMm + scenario_.distanceNoisePpm * trueMetres * 1e-3) * 1e-3;
      const double ppm = AtmosphericPpm(scenario_.temperatureC, scenario_.pressureHpa);
      sd = MetresText(RawDistanceMetres(trueMetres, ppm, target->prism->constantMm) +
                      noise_.Gaussian(sdSigma));
    }
    if (TakeOne(faults_.haErrors)) ha = faults_.haErrorCode;
    if (TakeOne(faults_.vaErrors)) va = faults_.vaErrorCode;
    if (TakeOne(faults_.distanceErrors)) sd = faults_.distanceErrorCode;
    return vigil::sim::DistanceLine(ha, va, sd);
  };
  channel_.SendData(linkTitle_, makeLine, 0);
  if (count + 1 >= kMaxLinesPerSeries) {
    distanceRunning_ = false;
    return;
  }
  Later(scenario_.distanceRepeatMs, [this, series, count] { DistanceLine(series, count + 1); });
}

void Simulator::Scan(const Command& c) {
  const double startHa = c.values.at(0), startVa = c.values.at(1), endHa = c.values.at(2),
               endVa = c.values.at(3);
  const double widthGon = WrapGon(endHa - startHa);
  const double topVa = std::min(startVa, endVa), bottomVa = std::max(startVa, endVa);
  const Pointing start = instrument_.FromReading(startHa, startVa);
  const double speed = std::max(scenario_.turnSpeedGonPerS, 1e-6);
  const double toStartMs = instrument_.TurnMs(start, speed);

  struct Hit {
    double offsetGon, haGon, vaGon, slopeMetres;
  };
  std::vector<Hit> hits;
  for (const Sighting& s : VisibleTargets(scenario_, NowMs(), true)) {
    const Pointing p{s.direction.azimuthGon, s.direction.zenithGon, start.face};
    const double ha = instrument_.ReadHa(p), va = instrument_.ReadVa(p);
    const double offset = WrapGon(ha - startHa);
    if (offset <= widthGon && va >= topVa && va <= bottomVa)
      hits.push_back({offset, ha, va, s.direction.slopeMetres});
  }
  std::sort(hits.begin(), hits.end(), [](const Hit& a, const Hit& b) { return a.offsetGon < b.offsetGon; });

  const std::uint64_t seq = ++motionSeq_;
  const std::string title = linkTitle_;
  const double sigma = scenario_.angleNoiseMgon * 0.001;
  for (std::size_t i = 0; i < hits.size(); ++i) {
    const Hit h = hits[i];
    const int signal = std::max(1, 100 - static_cast<int>(h.slopeMetres / 10.0));
    Later(Ms(toStartMs + h.offsetGon / speed * 1000.0), [this, seq, title, h, i, signal, sigma] {
      if (seq != motionSeq_) return;
      channel_.SendData(
          title,
          [this, h, i, signal, sigma] {
            return ScanLine(static_cast<int>(i) + 1, signal,
                            GonText(WrapGon(h.haGon + noise_.Gaussian(sigma))),
                            GonText(h.vaGon + noise_.Gaussian(sigma)));
          },
          0);
    });
  }
  const Pointing end = instrument_.FromReading(endHa, endVa);
  const bool none = hits.empty();
  Later(Ms(toStartMs + widthGon / speed * 1000.0), [this, seq, title, end, none, endHa, endVa] {
    if (seq != motionSeq_) return;
    instrument_.PointAt(end);
    if (none)
      channel_.SendData(
          title, [endHa, endVa] { return ScanLine(0, 0, GonText(endHa), GonText(endVa)); }, 0);
  });
}

}  // namespace vigil::sim
