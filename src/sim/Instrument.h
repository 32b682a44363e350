// The telescope: where it points, in which face, and what its circles read.
#pragma once

#include <functional>

namespace vigil::sim {

/// A physical direction of the line of sight and the face it is taken in.
struct Pointing {
  double azimuthGon = 0.0;   ///< grid bearing
  double zenithGon = 100.0;  ///< 0 up, 100 level, below 200
  int face = 1;
};

class Instrument {
 public:
  /// `collimationGon` and `indexErrorGon`: the errors of an instrument out of adjustment.
  explicit Instrument(double circleZeroGon, double collimationGon = 0.0, double indexErrorGon = 0.0)
      : circleZeroGon_(circleZeroGon), collimationGon_(collimationGon), indexErrorGon_(indexErrorGon) {}

  const Pointing& pointing() const { return pointing_; }
  void PointAt(const Pointing& p) { pointing_ = p; }

  /// Circle readings of a direction (Ha, Va in gon); face 2 reads Ha + 200, 400 - Va, each
  /// with the collimation and index errors.
  double ReadHa(const Pointing& p) const;
  double ReadVa(const Pointing& p) const;
  double ReadHa() const { return ReadHa(pointing_); }
  double ReadVa() const { return ReadVa(pointing_); }

  /// The direction whose circle readings are (haGon, vaGon); Va above 200 is face 2.
  Pointing FromReading(double haGon, double vaGon) const;

  /// Time to turn from the current pointing to `to` (ms) at `speedGonPerS`, both axes at once.
  double TurnMs(const Pointing& to, double speedGonPerS) const;

  /// Sets the horizontal circle so that the current direction reads `haGon`.
  void SetCircle(double haGon);
  double circleZeroGon() const { return circleZeroGon_; }

  /// The pillar's twist at the moment of a reading (gon), added to every horizontal circle
  /// reading: a circle set once drifts against the grid as the pillar turns.
  void SetTwistSource(std::function<double()> twistGon) { twistGon_ = std::move(twistGon); }

 private:
  /// Horizontal offset of the circle reading in `face` (the collimation error's sign flips).
  double FaceOffsetGon(int face) const { return face == 2 ? 200.0 - collimationGon_ : collimationGon_; }
  double TwistGon() const { return twistGon_ ? twistGon_() : 0.0; }

  double circleZeroGon_;
  double collimationGon_ = 0.0;
  double indexErrorGon_ = 0.0;
  Pointing pointing_;
  std::function<double()> twistGon_;
};

}  // namespace vigil::sim
