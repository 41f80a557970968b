// The sound that goes with a message box, behind a service so tests hear nothing.
#pragma once

namespace varnolix {

class Beeper {
 public:
  virtual ~Beeper() = default;
  virtual void Beep(unsigned type) = 0;
  static Beeper& Production();
};

// Sounds the beep for a box of `type` (MB_ICONEXCLAMATION and the like).
bool MessageBeep(unsigned type);

}  // namespace varnolix
