#include "platform/message_box.h"

#include <QApplication>
#include <QMessageBox>

#include "platform/qt_helpers.h"
#include "platform/service.h"
#include "platform/win_app.h"

namespace varnolix {
namespace {

using detail::ToQString;

class QtMessageBoxes : public MessageBoxes {
 public:
  int Show(std::string_view caption, std::string_view text, unsigned type) override {
    const unsigned iconBits = type & 0xF0;
    const QMessageBox::Icon icon = iconBits == MB_ICONEXCLAMATION   ? QMessageBox::Warning
                                   : iconBits == MB_ICONINFORMATION ? QMessageBox::Information
                                   : iconBits == MB_ICONQUESTION    ? QMessageBox::Question
                                                                    : QMessageBox::NoIcon;
    const bool asksToSave = (type & 0x0F) == MB_SAVEDISCARDCANCEL;
    const QMessageBox::StandardButtons buttons =
        asksToSave ? QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel : QMessageBox::Ok;
    QMessageBox box(icon, ToQString(caption), ToQString(text), buttons, QApplication::activeWindow());
    box.setTextFormat(Qt::PlainText);
    if (asksToSave) {
      box.setDefaultButton(QMessageBox::Save);
      box.setEscapeButton(QMessageBox::Cancel);
    }
    switch (box.exec()) {
      case QMessageBox::Save:
        return IDSAVE;
      case QMessageBox::Discard:
        return IDDISCARD;
      case QMessageBox::Cancel:
        return IDCANCEL;
      default:
        return IDOK;
    }
  }
};

}  // namespace

MessageBoxes& MessageBoxes::Production() {
  static QtMessageBoxes boxes;
  return boxes;
}

int AfxMessageBox(std::string_view text, unsigned type, unsigned /*helpContext*/) {
  const CWinApp* app = AfxGetApp();
  return Service<MessageBoxes>().Show(app != nullptr ? app->m_strAppName : std::string(), text, type);
}

}  // namespace varnolix
