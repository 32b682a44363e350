#include "installer/ModelFamily.h"

#include <array>

#include "installer/ModelTable.h"

namespace vigil::installer {

int ModelFamily::Family() {
  if (family_ != 0) return family_;
  family_ = kUnknownFamily;
  ++queries_;
  const std::optional<ModelAnswer> answer = query_ ? query_() : std::nullopt;
  if (answer) family_ = FamilyOfModel(ModelNameFromAnswer(*answer));
  return family_;
}

int ModelRefusalMessage(ModelFamily& models, const PackageRecord& record) {
  struct Check {
    bool (ModelFamily::*is)();
    int family;
    int refusal;
  };
  static constexpr std::array<Check, 9> kChecks{{
      {&ModelFamily::IsFamily2, 2, 22},
      {&ModelFamily::IsFamily3, 3, 23},
      {&ModelFamily::IsFamily4, 4, 24},
      {&ModelFamily::IsFamily5, 5, 46},
      {&ModelFamily::IsFamily7, 7, 47},
      {&ModelFamily::IsFamily6, 6, 48},
      {&ModelFamily::IsFamily8, 8, 60},
      {&ModelFamily::IsFamily9, 9, 61},
      {&ModelFamily::IsFamily10, 10, 62},
  }};
  for (const Check& check : kChecks) {
    if ((models.*check.is)()) return record.SupportsFamily(check.family) ? 0 : check.refusal;
  }
  return 25;
}

}  // namespace vigil::installer
