#include "platform/dialog.h"

#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QImage>
#include <QPixmap>
#include <QPushButton>

#include "platform/dialog_layout.h"
#include "platform/png.h"
#include "platform/qt_helpers.h"
#include "platform/win_app.h"

namespace varnolix {
namespace {

using detail::ToQString;

QWidget* MakeEdit(const ControlTemplate& control, QWidget* window) {
  auto* edit = new QLineEdit(window);
  edit->setFrame((control.style & style::kBorder) != 0);
  if (control.style & style::kReadOnly) {
    edit->setReadOnly(true);
    // Read-only fields look it: they take the dialog's background.
    QPalette palette = edit->palette();
    palette.setColor(QPalette::Base, palette.color(QPalette::Window));
    edit->setPalette(palette);
  }
  return edit;
}

QWidget* MakeLabel(const ControlTemplate& control, QWidget* window, bool wrapsText) {
  auto* label = new QLabel(window);
  label->setTextFormat(Qt::PlainText);
  label->setText(ToQString(control.text));
  label->setAlignment(LabelAlignment(control.style));
  if (LabelHasFrame(control.style)) label->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
  label->setWordWrap(wrapsText);
  return label;
}

// The pictures are drawn on a light grey, RGB(192, 192, 192), that stands for the
// background: it shows as whatever background the dialog has.
QPixmap LoadPicture(const QString& resource) {
  QImage image = ReadPng(resource);
  if (image.isNull()) return {};
  image = image.convertToFormat(QImage::Format_ARGB32);
  const QRgb background = qRgb(192, 192, 192);
  for (int y = 0; y < image.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < image.width(); ++x) {
      if (line[x] == background) line[x] = qRgba(0, 0, 0, 0);
    }
  }
  return QPixmap::fromImage(image);
}

QWidget* MakePicture(const ControlTemplate& control, QWidget* window) {
  auto* picture = new QLabel(window);
  picture->setPixmap(LoadPicture(ToQString(control.text)));
  picture->setScaledContents(true);
  return picture;
}

QWidget* MakeButton(const ControlTemplate& control, QWidget* window) {
  auto* button = new QPushButton(ToQString(control.text), window);
  button->setAutoDefault(true);
  if (control.style & style::kDefaultButton) button->setDefault(true);
  return button;
}

std::unique_ptr<CWnd> WrapperFor(ControlKind kind) {
  switch (kind) {
    case ControlKind::Edit:
      return std::make_unique<CEdit>();
    case ControlKind::Label:
    case ControlKind::Picture:
      return std::make_unique<CStatic>();
    case ControlKind::PushButton:
      break;
  }
  return std::make_unique<CWnd>();
}

}  // namespace

CDialog::CDialog(const DialogTemplate& dialogTemplate, CWnd* parent) : m_template(dialogTemplate), m_parent(parent) {}

CDialog::~CDialog() = default;

int CDialog::DoModal() {
  QWidget* owner = m_parent != nullptr ? m_parent->GetSafeHwnd() : nullptr;
  if (owner == nullptr && AfxGetApp() != nullptr && AfxGetApp()->m_pMainWnd != nullptr) {
    owner = AfxGetApp()->m_pMainWnd->GetSafeHwnd();
  }
  detail::RoutedDialog window(owner, [this] { OnCancel(); });
  window.setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
  window.setWindowTitle(ToQString(m_template.title));
  CreateFromTemplate(&window);
  m_modal = &window;
  if (OnInitDialog()) {
    if (QWidget* first = FirstTabStop()) first->setFocus(Qt::TabFocusReason);
  }
  const int result = window.exec();
  m_modal = nullptr;
  DestroyWindow();
  return result;
}

void CDialog::EndDialog(int result) {
  if (m_modal != nullptr) m_modal->done(result);
}

bool CDialog::UpdateData(bool saveAndValidate) {
  CDataExchange dx(this, saveAndValidate);
  DoDataExchange(&dx);
  return true;
}

bool CDialog::OnInitDialog() {
  UpdateData(false);
  return true;
}

void CDialog::DoDataExchange(CDataExchange* /*dx*/) {}

void CDialog::OnOK() {
  if (UpdateData(true)) EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

bool CDialog::OnCommand(int id) {
  if (CWnd::OnCommand(id)) return true;
  if (id == IDOK) {
    OnOK();
    return true;
  }
  if (id == IDCANCEL) {
    OnCancel();
    return true;
  }
  return false;
}

void CDialog::CreateFromTemplate(QWidget* window) {
  Attach(window, 0);
  const DialogLayout layout = LayOutDialog(m_template, window->font());
  window->setFixedSize(layout.size);
  QWidget* previousTabStop = nullptr;
  for (size_t i = 0; i < m_template.controls.size(); ++i) {
    const ControlTemplate& control = m_template.controls[i];
    QWidget* widget = nullptr;
    switch (control.kind) {
      case ControlKind::Edit:
        widget = MakeEdit(control, window);
        break;
      case ControlKind::Label:
        widget = MakeLabel(control, window, layout.wrapsText[i]);
        break;
      case ControlKind::Picture:
        widget = MakePicture(control, window);
        break;
      case ControlKind::PushButton:
        widget = MakeButton(control, window);
        break;
    }
    widget->setGeometry(layout.controls[i]);
    widget->setVisible((control.style & style::kVisible) != 0);
    const bool tabStop = (control.style & style::kTabStop) != 0;
    // A label takes the focus from the keyboard only; a click leaves that to its handler.
    const Qt::FocusPolicy takesFocus = control.kind == ControlKind::Label ? Qt::TabFocus : Qt::StrongFocus;
    widget->setFocusPolicy(tabStop ? takesFocus : Qt::NoFocus);
    if (tabStop) {
      if (previousTabStop != nullptr) QWidget::setTabOrder(previousTabStop, widget);
      previousTabStop = widget;
    }
    if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
      QObject::connect(edit, &QLineEdit::textChanged, edit, [edit] {
        if (CWnd* handler = CWnd::FromHandle(edit)) NotifyEditChange(*handler);
      });
    } else if (auto* button = qobject_cast<QPushButton*>(widget)) {
      QObject::connect(button, &QPushButton::clicked, button, [button] {
        if (CWnd* handler = CWnd::FromHandle(button)) NotifyCommand(*handler);
      });
    }
    if (!control.spokenName.empty()) widget->setAccessibleName(QString::fromUtf8(control.spokenName));
    AddChild(widget, control.id, control.style, WrapperFor(control.kind));
  }

  // Labels name their fields for screen readers.
  const std::vector<QWidget*> widgets = ChildWidgets();
  for (size_t i = 0; i < widgets.size(); ++i) {
    auto* label = qobject_cast<QLabel*>(widgets[i]);
    const int buddy = m_template.controls[i].buddy;
    CWnd* field = buddy != 0 ? GetDlgItem(buddy) : nullptr;
    if (label != nullptr && field != nullptr) {
      label->setBuddy(field->GetSafeHwnd());
      field->GetSafeHwnd()->setAccessibleName(label->text());
    }
  }
}

void CDialog::DestroyWindow() {
  ClearChildren();
  Detach();
}

QWidget* CDialog::FirstTabStop() const {
  for (QWidget* widget : ChildWidgets()) {
    if (widget->focusPolicy() != Qt::NoFocus && !widget->isHidden() && widget->isEnabled()) {
      return widget;
    }
  }
  return nullptr;
}

}  // namespace varnolix
