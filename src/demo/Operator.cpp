#include "demo/Operator.h"

#include "platform/Files.h"
#include "survey/Coordinates.h"

namespace vigil::demo {

Operator::Operator(DemoWorld& world, const DemoSite& site, Screenshots& shots, int days)
    : world_(world), site_(site), shots_(shots), days_(days) {}

std::filesystem::path Operator::StickFolder() const {
  return world_.DeviceRoot() / "Removable Disk" / kStickFolder;
}

void Operator::Shoot(const std::string& name) {
  Host().Do("picture " + name, [this, name] {
    platform::Dialog* front = Host().TopDialog();
    if (front != nullptr) shots_.Shoot(*front, name);
  });
}

void Operator::AimByHand(const std::string& what, std::function<sim::GridPoint()> where) {
  link::MeasurementEngine& engine = Context().Engine();
  Host()
      .Do("aim by hand at " + what,
          [this, where, &engine] {
            const Sighting s = SightTo(site_.scenario, where());
            // The engine adds the program's orientation; the hand turns the raw circle.
            engine.TurnTo(survey::NormaliseAngle(s.circleHaGon - Context().Settings().orientation), s.vaGon,
                          nullptr, false, false);
          })
      .WaitUntil("the telescope is still", [&engine] { return !engine.Turning() && !engine.Measuring(); });
}

void Operator::ChooseRow(const std::string& what, int listId, std::function<int(platform::Dialog&)> pick) {
  Host().Do("choose " + what, [this, what, listId, pick] {
    platform::Dialog* front = Host().TopDialog();
    const int row = front != nullptr ? pick(*front) : -1;
    if (row < 0 || !front->Choose(listId, row)) Problem("no row for " + what);
  });
}

}  // namespace vigil::demo
