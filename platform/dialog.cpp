#include "platform/dialog.h"

#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QFontMetrics>
#include <QImage>
#include <QPixmap>
#include <QPushButton>
#include <cmath>
#include <functional>

#include "platform/dialog_units.h"
#include "platform/win_app.h"

namespace varnolix {
namespace {

QString ToQString(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The modal window of a CDialog: Esc and the close box go through OnCancel.
class ModalWindow : public QDialog {
 public:
  ModalWindow(QWidget* owner, std::function<void()> cancel) : QDialog(owner), m_cancel(std::move(cancel)) {}
  void reject() override { m_cancel(); }

 private:
  std::function<void()> m_cancel;
};

Qt::Alignment TextAlignment(unsigned style) {
  Qt::Alignment horizontal = Qt::AlignLeft;
  if (style & style::kAlignRight) horizontal = Qt::AlignRight;
  if (style & style::kAlignCenter) horizontal = Qt::AlignHCenter;
  return horizontal | ((style & style::kCenterVertically) ? Qt::AlignVCenter : Qt::AlignTop);
}

QWidget* MakeEdit(const ControlTemplate& control, QWidget* window) {
  auto* edit = new QLineEdit(window);
  edit->setFrame((control.style & style::kBorder) != 0);
  if (control.style & style::kReadOnly) {
    edit->setReadOnly(true);
    // Read-only fields look it: the dialog's background, as on the classic desktop.
    QPalette palette = edit->palette();
    palette.setColor(QPalette::Base, palette.color(QPalette::Window));
    edit->setPalette(palette);
  }
  return edit;
}

QWidget* MakeLabel(const ControlTemplate& control, QWidget* window) {
  auto* label = new QLabel(window);
  label->setTextFormat(Qt::PlainText);
  label->setText(ToQString(control.text));
  label->setAlignment(TextAlignment(control.style));
  if (control.style & style::kStaticEdge) label->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
  return label;
}

// A label of one line never wraps and never clips: where the font makes its text
// wider than the template allows, it grows away from the side it is aligned to.
// Taller labels wrap their text within their width.
QRect FitLabel(QLabel& label, QRect rect, const QWidget& window) {
  const QFontMetrics metrics(label.font());
  const bool oneLine = rect.height() < 2 * metrics.height() && !label.text().contains(u'\n');
  label.setWordWrap(!oneLine);
  if (!oneLine) return rect;
  const int needed = metrics.horizontalAdvance(label.text()) + 2 * label.frameWidth() + 1;
  if (needed <= rect.width()) return rect;
  const int growth = needed - rect.width();
  const Qt::Alignment alignment = label.alignment();
  if (alignment & Qt::AlignRight) {
    rect.setLeft(rect.left() - growth);
  } else if (alignment & Qt::AlignHCenter) {
    rect.adjust(-growth / 2, 0, growth - growth / 2, 0);
  } else {
    rect.setRight(rect.right() + growth);
  }
  // Never past the window's edges.
  if (rect.left() < 0) rect.moveLeft(0);
  if (rect.right() >= window.width()) rect.moveRight(window.width() - 1);
  return rect;
}

// The pictures are drawn on the classic dialog grey; that grey shows as whatever
// background the dialog has today.
QPixmap LoadPicture(const QString& resource) {
  QImage image(resource);
  if (image.isNull()) return {};
  image = image.convertToFormat(QImage::Format_ARGB32);
  const QRgb classicGrey = qRgb(192, 192, 192);
  for (int y = 0; y < image.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < image.width(); ++x) {
      if (line[x] == classicGrey) line[x] = qRgba(0, 0, 0, 0);
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
    case ControlKind::PushButton:
      return std::make_unique<CButton>();
    case ControlKind::Label:
    case ControlKind::Picture:
      break;
  }
  return std::make_unique<CStatic>();
}

QRect PictureRect(const ControlTemplate& control, const DialogUnits& units) {
  // A picture takes the size of its image, grown with the font like the rest.
  const double scale = units.PictureScale();
  return {units.X(control.x), units.Y(control.y), static_cast<int>(std::lround(control.imageWidth * scale)),
          static_cast<int>(std::lround(control.imageHeight * scale))};
}

// A wrapped label whose text needs more lines than its template gives it grows
// downward; what lies below it moves down, what encloses it grows, and so does the
// window, so that no text is cut off.
void MakeRoomForWrappedText(const std::vector<QWidget*>& widgets, QWidget& window) {
  for (QWidget* widget : widgets) {
    auto* label = qobject_cast<QLabel*>(widget);
    if (label == nullptr || !label->wordWrap()) continue;
    const QRect original = label->geometry();
    const int needed = label->heightForWidth(original.width());
    if (needed <= original.height()) continue;
    const int growth = needed - original.height();
    for (QWidget* other : widgets) {
      QRect rect = other->geometry();
      if (other == label || rect.contains(original)) {
        rect.setHeight(rect.height() + growth);
      } else if (rect.top() > original.bottom()) {
        rect.translate(0, growth);
      }
      other->setGeometry(rect);
    }
    window.setFixedSize(window.width(), window.height() + growth);
  }
}

}  // namespace

CDialog::CDialog(const DialogTemplate& dialogTemplate, CWnd* parent) : m_template(dialogTemplate), m_parent(parent) {}

CDialog::~CDialog() = default;

int CDialog::DoModal() {
  QWidget* owner = m_parent != nullptr ? m_parent->GetSafeHwnd() : nullptr;
  if (owner == nullptr && AfxGetApp() != nullptr && AfxGetApp()->m_pMainWnd != nullptr) {
    owner = AfxGetApp()->m_pMainWnd->GetSafeHwnd();
  }
  ModalWindow window(owner, [this] { OnCancel(); });
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
  const DialogUnits units(window->font());
  window->setFixedSize(units.Size(m_template.width, m_template.height));
  QWidget* previousTabStop = nullptr;
  for (const ControlTemplate& control : m_template.controls) {
    QWidget* widget = nullptr;
    switch (control.kind) {
      case ControlKind::Edit:
        widget = MakeEdit(control, window);
        break;
      case ControlKind::Label:
        widget = MakeLabel(control, window);
        break;
      case ControlKind::Picture:
        widget = MakePicture(control, window);
        break;
      case ControlKind::PushButton:
        widget = MakeButton(control, window);
        break;
    }
    QRect rect = control.kind == ControlKind::Picture ? PictureRect(control, units)
                                                      : units.Rect(control.x, control.y, control.width, control.height);
    if (auto* label = qobject_cast<QLabel*>(widget); label != nullptr && control.kind == ControlKind::Label) {
      rect = FitLabel(*label, rect, *window);
    }
    widget->setGeometry(rect);
    widget->setVisible((control.style & style::kVisible) != 0);
    const bool tabStop = (control.style & style::kTabStop) != 0;
    widget->setFocusPolicy(tabStop ? Qt::StrongFocus : Qt::NoFocus);
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
    AddChild(widget, control.id, WrapperFor(control.kind));
  }
  const std::vector<QWidget*> widgets = ChildWidgets();
  MakeRoomForWrappedText(widgets, *window);

  // Labels name their fields for screen readers.
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
