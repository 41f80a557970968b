#include "pages/numeric_edit.h"

namespace varnolix {

const MessageMap& CNumericEdit::GetMessageMap() const {
  static const MessageMap map{&CEdit::GetMessageMap(), {OnCharMessage(&CNumericEdit::OnChar)}};
  return map;
}

void CNumericEdit::OnChar(unsigned character, unsigned /*repeatCount*/, unsigned /*keyFlags*/) {
  const bool digit = character >= '0' && character <= '9';
  if (digit || character == '.' || character == 0x08) Default();
}

}  // namespace varnolix
