// Before an import: whether the file to bring in is a coordinate file or a training file.
#pragma once

#include <functional>
#include <string>

#include "platform/Dialog.h"
#include "training/TrainingTexts.h"

namespace vigil::training {

class ImportTypeDialog final : public platform::Dialog {
 public:
  static constexpr int kLabelId = 1500;
  static constexpr int kCoordinateRadioId = 1501;
  static constexpr int kTrainingRadioId = 1502;
  static constexpr int kOkButtonId = platform::kIdOk;
  static constexpr int kCancelButtonId = platform::kIdCancel;

  using Tr = std::function<std::string(const TextKey&)>;
  explicit ImportTypeDialog(Tr tr);

  /// After OK: a coordinate file was chosen (else a training file).
  bool CoordinateFile() const { return coordinates_; }

  void OnInitDialog() override;
  void OnCommand(int controlId) override;

 private:
  Tr tr_;
  bool coordinates_ = true;
};

}  // namespace vigil::training
