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
    const QMessageBox::Icon icon = (type & 0xF0) == MB_ICONEXCLAMATION ? QMessageBox::Warning
                                   : (type & 0xF0) == MB_ICONINFORMATION ? QMessageBox::Information
                                                                         : QMessageBox::NoIcon;
    QMessageBox box(icon, ToQString(caption), ToQString(text), QMessageBox::Ok, QApplication::activeWindow());
    box.setTextFormat(Qt::PlainText);
    box.exec();
    return IDOK;
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
