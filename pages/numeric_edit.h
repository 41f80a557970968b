// The edit field of every amount: typed characters other than digits, the decimal
// point and backspace are dropped without a sound. Pasted text is not filtered, but a
// text that is wholly an amount as clerks write it ("1,00,000", "Rs 2,500",
// "45,000/-") goes in as its plain number. Text set by the program goes in as it is.
#pragma once

#include <string>

#include "platform/wnd.h"

namespace varnolix {

class CNumericEdit : public CEdit {
 public:
  const MessageMap& GetMessageMap() const override;

 protected:
  void OnChar(unsigned character, unsigned repeatCount, unsigned keyFlags);
  void OnPaste(std::string& text);
};

}  // namespace varnolix
