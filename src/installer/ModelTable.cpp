#include "installer/ModelTable.h"

#include <array>

namespace vigil::installer {

namespace {

constexpr std::array<ModelEntry, 29> kModels{{
    {"VS-201", 2},   {"VS-202", 2},   {"VS-203", 2},   {"VS-205", 2},  //
    {"VS-302", 3},   {"VS-303", 3},   {"VS-305", 3},                   //
    {"VS-401", 4},   {"VS-403", 4},   {"VS-405", 4},   {"VS-407", 4},  //
    {"VS-510", 5},   {"VS-520", 5},   {"VS-530", 5},                   //
    {"VS-602", 6},   {"VS-603", 6},   {"VS-605", 6},   {"VS-607", 6},  //
    {"VS-701R", 7},                                                    //
    {"VS-801", 8},   {"VS-802", 8},   {"VS-803", 8},                   //
    {"VS-903", 9},   {"VS-905", 9},   {"VS-907", 9},                   //
    {"VS-1001", 10}, {"VS-1002", 10}, {"VS-1003", 10}, {"VS-1005", 10},
}};

}  // namespace

std::span<const ModelEntry> ModelTable() {
  return kModels;
}

int FamilyOfModel(std::string_view modelName) {
  for (int family = kFirstFamily; family <= kLastFamily; ++family) {
    for (const ModelEntry& entry : kModels) {
      if (entry.family == family && entry.name == modelName) return family;
    }
  }
  return kUnknownFamily;
}

std::string_view FamilySeriesName(int family) {
  static constexpr std::array<std::string_view, 11> kSeries{
      "", "", "VS-200", "VS-300", "VS-400", "VS-500", "VS-600", "VS-700", "VS-800", "VS-900", "VS-1000"};
  return family >= kFirstFamily && family <= kLastFamily ? kSeries[static_cast<std::size_t>(family)] : "";
}

}  // namespace vigil::installer
