#include <gtest/gtest.h>

#include <clocale>
#include <locale>
#include <string>

#include "UnitSettings.h"
#include "survey/Coordinates.h"
#include "survey/Units.h"

namespace vigil::survey {
namespace {

// Switches the process to a decimal-comma locale for one test.
class DecimalCommaLocale {
 public:
  DecimalCommaLocale() : previous_(std::setlocale(LC_ALL, nullptr)), saved_(std::locale()) {
    active_ = std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr;
    if (active_) std::locale::global(std::locale("de_DE.UTF-8"));
  }
  ~DecimalCommaLocale() {
    std::setlocale(LC_ALL, previous_.c_str());
    std::locale::global(saved_);
  }
  bool active() const { return active_; }

 private:
  std::string previous_;
  std::locale saved_;
  bool active_ = false;
};

TEST(DecimalComma, TextsKeepThePoint) {
  DecimalCommaLocale locale;
  if (!locale.active()) GTEST_SKIP() << "de_DE.UTF-8 is not installed";
  const auto deg = test::UnitSettings(1, 1);
  EXPECT_EQ(FormatAngle(deg, 123.4567, AngleFormat::Current, false), "111° 06' 39.71\"");
  EXPECT_EQ(FormatAngle(deg, 123.4567, AngleFormat::Current, true), "111.06397");
  EXPECT_EQ(ParseAngle(deg, "111° 06' 39.71\""), "123.45670");
  EXPECT_EQ(FormatDistance(deg, 10.0), "32.8084");
  EXPECT_EQ(PrismConstantToMm(deg, "-0.1"), "-30.5");
  Reading r;
  EXPECT_TRUE(ReduceReading(ProjectStationSettings{}, r, "12.5", "99.5", "20.25", false));
  EXPECT_EQ(r.haText, "12.50000");
  EXPECT_EQ(r.sdText.find(','), std::string::npos);
}

}  // namespace
}  // namespace vigil::survey
