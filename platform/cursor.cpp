#include "platform/cursor.h"

#include <QCursor>

#include "platform/service.h"

namespace varnolix {
namespace {

// The desktop's cursor theme supplies the pointing hand under its usual names.
class ThemeHandCursor : public HandCursorSource {
 public:
  HCURSOR Load() override {
    static const QCursor hand(Qt::PointingHandCursor);
    return &hand;
  }
};

HCURSOR chosen = nullptr;

}  // namespace

HandCursorSource& HandCursorSource::Production() {
  static ThemeHandCursor source;
  return source;
}

HCURSOR LoadPointingHandCursor() { return Service<HandCursorSource>().Load(); }

HCURSOR SetCursor(HCURSOR cursor) {
  const HCURSOR previous = chosen;
  chosen = cursor;
  return previous;
}

namespace detail {
void BeginCursorRequest() { chosen = nullptr; }
HCURSOR ChosenCursor() { return chosen; }
}  // namespace detail

}  // namespace varnolix
