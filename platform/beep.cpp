#include "platform/beep.h"

#include <QApplication>

#include "platform/service.h"

namespace varnolix {
namespace {

// The desktop has one alert sound; every type sounds it.
class DesktopBeeper : public Beeper {
 public:
  void Beep(unsigned /*type*/) override { QApplication::beep(); }
};

}  // namespace

Beeper& Beeper::Production() {
  static DesktopBeeper beeper;
  return beeper;
}

bool MessageBeep(unsigned type) {
  Service<Beeper>().Beep(type);
  return true;
}

}  // namespace varnolix
