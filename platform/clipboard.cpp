#include "platform/clipboard.h"

#include <QApplication>
#include <QClipboard>

#include "platform/qt_helpers.h"

namespace varnolix {

void SetClipboardText(std::string_view text) { QApplication::clipboard()->setText(detail::ToQString(text)); }

}  // namespace varnolix
