// After a 2D scan: whether the measured points are added to the training list or replace it.
#pragma once

#include <functional>
#include <string>

#include "platform/Dialog.h"
#include "training/TrainingTexts.h"

namespace vigil::training {

class AppendOverwriteDialog final : public platform::Dialog {
 public:
  static constexpr int kTextId = 1400;
  static constexpr int kAppendRadioId = 1401;
  static constexpr int kOverwriteRadioId = 1402;
  static constexpr int kOkButtonId = platform::kIdOk;
  static constexpr int kCancelButtonId = platform::kIdCancel;

  using Tr = std::function<std::string(const TextKey&)>;
  explicit AppendOverwriteDialog(Tr tr);

  /// After OK: the append radio was selected.
  bool Append() const { return append_; }

  void OnInitDialog() override;
  void OnCommand(int controlId) override;

 private:
  Tr tr_;
  bool append_ = true;
};

}  // namespace vigil::training
