#include "platform/file_dialog.h"

#include <QApplication>
#include <QFile>
#include <QFileDialog>

#include "platform/qt_helpers.h"
#include "platform/service.h"

namespace varnolix {
namespace {

using detail::ToQString;

class QtFileDialogs : public FileDialogs {
 public:
  std::optional<std::string> Choose(const FileChoice& choice) override {
    QFileDialog dialog(QApplication::activeWindow(), ToQString(choice.caption), QFile::decodeName(choice.start.c_str()),
                       ToQString(choice.filter));
    dialog.setAcceptMode(choice.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(choice.save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(ToQString(choice.defaultSuffix));
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !choice.askToReplace);
    if (choice.save) dialog.selectFile(QFile::decodeName(choice.start.c_str()));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return QFile::encodeName(dialog.selectedFiles().constFirst()).toStdString();
  }
};

}  // namespace

FileDialogs& FileDialogs::Production() {
  static QtFileDialogs dialogs;
  return dialogs;
}

std::optional<std::string> ChooseFile(const FileChoice& choice) { return Service<FileDialogs>().Choose(choice); }

}  // namespace varnolix
