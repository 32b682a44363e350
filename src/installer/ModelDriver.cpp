#include "installer/ModelDriver.h"

#include "platform/Files.h"

namespace vigil::installer {

std::optional<ModelAnswer> QueryModelDriver(const platform::Paths& paths) {
  const std::optional<std::string> bytes = platform::ReadFileBytes(paths.Device(kModelAnswerFile));
  if (!bytes) return std::nullopt;
  ModelAnswer answer{};
  for (std::size_t i = 0; i < answer.size() && i < bytes->size(); ++i) {
    answer[i] = static_cast<std::uint8_t>((*bytes)[i]);
  }
  return answer;
}

std::string ModelNameFromAnswer(const ModelAnswer& answer) {
  std::string name;
  for (std::size_t i = kModelNameOffset; i < answer.size() && answer[i] != 0; ++i) {
    name.push_back(static_cast<char>(answer[i]));
  }
  return name;
}

ModelAnswer MakeModelAnswer(std::string_view modelName) {
  ModelAnswer answer{};
  for (std::size_t i = 0; i < modelName.size() && kModelNameOffset + i < answer.size() - 1; ++i) {
    answer[kModelNameOffset + i] = static_cast<std::uint8_t>(modelName[i]);
  }
  return answer;
}

}  // namespace vigil::installer
