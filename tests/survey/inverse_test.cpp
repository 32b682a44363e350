#include <gtest/gtest.h>

#include "survey/Coordinates.h"

namespace vigil::survey {
namespace {

TEST(ComputeHaVaSd, DirectionsAroundTheStation) {
  const StationPosition station{100.0, 200.0, 10.0};
  // Axis directions come from the eight-decimal pi constants alone and are exact; the others
  // go through atan, which follows the true pi, hence the wider tolerance.
  const struct {
    double dE, dN, dH, ha, va, sd, tolerance;
  } cases[] = {
      {0, 50, 0, 0, 100, 50, 1e-9},
      {50, 0, 0, 100, 100, 50, 1e-9},
      {0, -50, 0, 200, 100, 50, 1e-9},
      {-50, 0, 0, 300, 100, 50, 1e-9},
      {50, 50, 0, 50, 100, 70.710678, 1e-6},
      {50, -50, 0, 150, 100, 70.710678, 1e-6},
      {-50, -50, 0, 250, 100, 70.710678, 1e-6},
      {-50, 50, 0, 350, 100, 70.710678, 1e-6},
      {30, 40, 50, 40.966553, 50, 70.710678, 1e-6},
      {0, 50, -50, 0, 150, 70.710678, 1e-6},
      {0, 0, 5, 0, 0, 5, 0},  // straight above: no azimuth
  };
  for (const auto& c : cases) {
    const Observation o = ComputeHaVaSd(station, 100.0 + c.dE, 200.0 + c.dN, 10.0 + c.dH);
    EXPECT_NEAR(o.haGon, c.ha, c.tolerance) << c.dE << "," << c.dN << "," << c.dH;
    EXPECT_NEAR(o.vaGon, c.va, c.tolerance) << c.dE << "," << c.dN << "," << c.dH;
    EXPECT_NEAR(o.sdMetres, c.sd, 1e-6) << c.dE << "," << c.dN << "," << c.dH;
  }
  EXPECT_EQ(ComputeHaVaSd(station, 150.0, 260.0, 10.0).vaGon, 100.0);  // level: exactly 100
}

TEST(ComputeHaVaSd, InvertsTheReduction) {
  ProjectStationSettings s;
  for (const Observation& o : {Observation{0.001, 99.0, 12.0}, Observation{123.4567, 101.5, 345.678},
                               Observation{399.9, 80.0, 5.0}, Observation{250.0, 120.0, 1500.0}}) {
    Reading r;
    r.haGon = o.haGon, r.vaGon = o.vaGon, r.sdMetres = o.sdMetres, r.keepReflector = true;
    ComputeTargetCoordinates(s, r, "");
    const Observation back = ComputeHaVaSd(StationOf(s), r.eastingMetres, r.northingMetres, r.rlMetres);
    // atan undoes the forward sine and cosine with the true pi: up to 5e-7 gon apart.
    EXPECT_NEAR(back.haGon, o.haGon, 1e-6);
    EXPECT_NEAR(back.vaGon, o.vaGon, 1e-6);
    EXPECT_NEAR(back.sdMetres, o.sdMetres, 1e-7);
  }
}

TEST(OtherFace, TurnsOverBothCircles) {
  const std::pair<Observation, Observation> cases[] = {
      {{150, 98, 1}, {350, 302, 1}},
      {{250, 302, 1}, {50, 98, 1}},
      {{0, 100, 1}, {200, 300, 1}},
      {{200, 100, 1}, {0, 300, 1}},
  };
  for (const auto& [face1, face2] : cases) {
    const Observation o = OtherFace(face1);
    EXPECT_DOUBLE_EQ(o.haGon, face2.haGon);
    EXPECT_DOUBLE_EQ(o.vaGon, face2.vaGon);
    EXPECT_EQ(o.sdMetres, face2.sdMetres);
  }
}

}  // namespace
}  // namespace vigil::survey
