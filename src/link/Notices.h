// What the link and the measuring engine show the operator. The screens' host implements it.
#pragma once

#include <string_view>

namespace vigil::link {

enum class BeepKind {
  Ok,           ///< MB_OK
  Question,     ///< MB_ICONQUESTION
  Exclamation,  ///< MB_ICONEXCLAMATION
  Error,        ///< MB_ICONHAND
};

class Notices {
 public:
  virtual ~Notices() = default;
  /// A message box with an OK button; returns when the operator closed it.
  virtual void ShowMessage(std::string_view text) = 0;
  virtual void Beep(BeepKind kind) = 0;
};

}  // namespace vigil::link
