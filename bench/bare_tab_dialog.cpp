// The yardstick for the program's start-up: a plain Qt dialog with a tab widget of five
// empty tabs and three buttons, shown modally the way the program shows its sheet.
#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  QDialog dialog;
  dialog.setWindowTitle("Bare tab dialog");
  auto* tabs = new QTabWidget;
  for (const char* title : {"Income", "Standard Deduction", "Section 80", "Section 88", "Tax Results"}) {
    tabs->addTab(new QWidget, title);
  }
  auto* buttons = new QDialogButtonBox;
  buttons->addButton("&Help", QDialogButtonBox::HelpRole);
  buttons->addButton("&About", QDialogButtonBox::ActionRole);
  QObject::connect(buttons->addButton("E&xit", QDialogButtonBox::RejectRole), &QPushButton::clicked, &dialog,
                   &QDialog::reject);
  auto* layout = new QVBoxLayout(&dialog);
  layout->addWidget(tabs);
  layout->addWidget(buttons);
  return dialog.exec();
}
