// Which model family the instrument belongs to: asked of the driver once, on first use, and
// kept for the rest of the run. The program holds one of these for the whole process.
#pragma once

#include <functional>
#include <optional>

#include "installer/ModelDriver.h"
#include "installer/PackageRecord.h"

namespace vigil::installer {

using ModelQuery = std::function<std::optional<ModelAnswer>()>;

class ModelFamily {
 public:
  explicit ModelFamily(ModelQuery query) : query_(std::move(query)) {}

  /// 1 for an unknown model (or no answer), else 2 to 10. Determined on the first call.
  int Family();

  bool IsFamily2() { return Family() == 2; }
  bool IsFamily3() { return Family() == 3; }
  bool IsFamily4() { return Family() == 4; }
  bool IsFamily5() { return Family() == 5; }
  bool IsFamily6() { return Family() == 6; }
  bool IsFamily7() { return Family() == 7; }
  bool IsFamily8() { return Family() == 8; }
  bool IsFamily9() { return Family() == 9; }
  bool IsFamily10() { return Family() == 10; }

  /// How often the driver was asked (once at most).
  int QueryCount() const { return queries_; }

 private:
  ModelQuery query_;
  int family_ = 0;  // 0: not asked yet
  int queries_ = 0;
};

/// The start-up check: 0 when the record supports the instrument's family, else the number
/// of the message that refuses it (22, 23, 24, 46, 47, 48, 60, 61, 62; 25 for an unknown model).
int ModelRefusalMessage(ModelFamily& models, const PackageRecord& record);

}  // namespace vigil::installer
