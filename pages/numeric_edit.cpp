#include "pages/numeric_edit.h"

#include <optional>
#include <string_view>

#include "payroll/strict_amount.h"

namespace varnolix {

const MessageMap& CNumericEdit::GetMessageMap() const {
  static const MessageMap map{&CEdit::GetMessageMap(),
                              {OnCharMessage(&CNumericEdit::OnChar), OnPasteMessage(&CNumericEdit::OnPaste)}};
  return map;
}

void CNumericEdit::OnChar(unsigned character, unsigned /*repeatCount*/, unsigned /*keyFlags*/) {
  const bool digit = character >= '0' && character <= '9';
  if (digit || character == '.' || character == 0x08) Default();
}

// A spreadsheet ends a copied cell with a line break, which is no part of the amount.
void CNumericEdit::OnPaste(std::string& text) {
  std::string_view pasted = text;
  if (pasted.ends_with('\n')) pasted.remove_suffix(pasted.ends_with("\r\n") ? 2 : 1);
  if (std::optional<std::string> plain = payroll::PlainAmount(pasted)) text = std::move(*plain);
}

}  // namespace varnolix
