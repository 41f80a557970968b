// Message boxes. Every box of the program goes through AfxMessageBox, captioned with
// the application's name; tests put a recorder in place of the real boxes.
#pragma once

#include <string>
#include <string_view>

#include "platform/types.h"

namespace varnolix {

class MessageBoxes {
 public:
  virtual ~MessageBoxes() = default;
  // Shows a modal box; returns the button pressed: IDOK, or IDSAVE, IDDISCARD or IDCANCEL.
  virtual int Show(std::string_view caption, std::string_view text, unsigned type) = 0;
  static MessageBoxes& Production();
};

int AfxMessageBox(std::string_view text, unsigned type = MB_OK, unsigned helpContext = 0);

}  // namespace varnolix
