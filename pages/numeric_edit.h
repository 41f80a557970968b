// The edit field of every amount: typed characters other than digits, the decimal
// point and backspace are dropped without a sound. Text set by the program or
// pasted from the context menu is not filtered.
#pragma once

#include "platform/wnd.h"

namespace varnolix {

class CNumericEdit : public CEdit {
 public:
  const MessageMap& GetMessageMap() const override;

 protected:
  void OnChar(unsigned character, unsigned repeatCount, unsigned keyFlags);
};

}  // namespace varnolix
