#include "platform/BasicStateBracket.h"

#include <utility>

#include "platform/Dialog.h"

namespace vigil::platform {

BasicStateBracket::BasicStateBracket(DialogHost& host, std::function<bool(bool)> setToBasicState)
    : host_(host), setToBasicState_(std::move(setToBasicState)) {}

bool BasicStateBracket::SetToBasicState(bool enable) {
  return setToBasicState_ ? setToBasicState_(enable) : false;
}

int BasicStateBracket::MessageBox(std::string_view text, std::string_view caption, MessageIcon icon,
                                  MessageButtons buttons) {
  SetToBasicState(false);
  const int answer = host_.MessageBox(text, caption, icon, buttons);
  SetToBasicState(true);
  return answer;
}

int BasicStateBracket::RunModal(Dialog& dialog) {
  SetToBasicState(false);
  const int result = host_.RunModal(dialog);
  SetToBasicState(true);
  return result;
}

int BasicStateBracket::RawMessageBox(std::string_view text, std::string_view caption, MessageIcon icon,
                                     MessageButtons buttons) {
  return host_.MessageBox(text, caption, icon, buttons);
}

int BasicStateBracket::RawRunModal(Dialog& dialog) {
  return host_.RunModal(dialog);
}

}  // namespace vigil::platform
