#include "platform/message_box.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <vector>

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
      // Every answer but Cancel, which Esc gives, has its letter.
      box.button(QMessageBox::Save)->setText(QStringLiteral("&Save"));
      box.button(QMessageBox::Discard)->setText(QStringLiteral("&Discard"));
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

  std::size_t Ask(std::string_view caption, const Question& question) override {
    QMessageBox box(QMessageBox::Question, ToQString(caption), ToQString(question.text), QMessageBox::NoButton,
                    QApplication::activeWindow());
    box.setTextFormat(Qt::PlainText);
    std::vector<QPushButton*> buttons;
    for (std::size_t i = 0; i < question.buttons.size(); ++i) {
      const QMessageBox::ButtonRole role = i == question.escapeButton ? QMessageBox::RejectRole : QMessageBox::AcceptRole;
      buttons.push_back(box.addButton(ToQString(question.buttons[i]), role));
    }
    if (question.defaultButton < buttons.size()) box.setDefaultButton(buttons[question.defaultButton]);
    if (question.escapeButton < buttons.size()) box.setEscapeButton(buttons[question.escapeButton]);
    box.exec();
    for (std::size_t i = 0; i < buttons.size(); ++i) {
      if (box.clickedButton() == buttons[i]) return i;
    }
    return question.escapeButton;
  }
};

}  // namespace

MessageBoxes& MessageBoxes::Production() {
  static QtMessageBoxes boxes;
  return boxes;
}

namespace {

std::string Caption() {
  const CWinApp* app = AfxGetApp();
  return app != nullptr ? app->m_strAppName : std::string();
}

}  // namespace

int AfxMessageBox(std::string_view text, unsigned type, unsigned /*helpContext*/) {
  return Service<MessageBoxes>().Show(Caption(), text, type);
}

std::size_t AfxAsk(const Question& question) { return Service<MessageBoxes>().Ask(Caption(), question); }

}  // namespace varnolix
