// Message boxes. Every box of the program goes through AfxMessageBox, captioned with
// the application's name; tests put a recorder in place of the real boxes.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "platform/types.h"

namespace varnolix {

// A question whose buttons say what each answer does.
struct Question {
  std::string text;
  std::vector<std::string> buttons;  // from the left; "&" marks a mnemonic
  std::size_t defaultButton = 0;     // pressed by Enter
  std::size_t escapeButton = 0;      // given by Esc and the close box
};

class MessageBoxes {
 public:
  virtual ~MessageBoxes() = default;
  // Shows a modal box; returns the button pressed: IDOK, or IDSAVE, IDDISCARD or IDCANCEL.
  virtual int Show(std::string_view caption, std::string_view text, unsigned type) = 0;
  // Shows a modal question; returns the index of the button pressed.
  virtual std::size_t Ask(std::string_view caption, const Question& question) = 0;
  static MessageBoxes& Production();
};

int AfxMessageBox(std::string_view text, unsigned type = MB_OK, unsigned helpContext = 0);
// A question in a box captioned as every box is; the index of the button pressed.
std::size_t AfxAsk(const Question& question);

}  // namespace varnolix
