#include "platform/property_sheet.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QShortcut>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>
#include <functional>

#include "platform/dialog_layout.h"
#include "platform/dialog_units.h"
#include "platform/qt_helpers.h"
#include "platform/win_app.h"

namespace varnolix {
namespace detail {

// A tab bar whose tabs change only through the sheet, so that the page being left
// can refuse: a click or an arrow key asks the sheet instead of switching at once.
class SheetTabBar : public QTabBar {
 public:
  explicit SheetTabBar(CPropertySheet& sheet) : m_sheet(sheet) {}

 protected:
  void mousePressEvent(QMouseEvent* event) override {
    if (event->button() != Qt::LeftButton) return;
    const int index = tabAt(event->position().toPoint());
    if (index >= 0) m_sheet.SetActivePage(index);
  }
  void keyPressEvent(QKeyEvent* event) override {
    switch (event->key()) {
      case Qt::Key_Left:
      case Qt::Key_Up:
        m_sheet.MoveActivePage(-1);
        return;
      case Qt::Key_Right:
      case Qt::Key_Down:
        m_sheet.MoveActivePage(1);
        return;
      case Qt::Key_Home:
        m_sheet.SetActivePage(0);
        return;
      case Qt::Key_End:
        m_sheet.SetActivePage(count() - 1);
        return;
      default:
        QTabBar::keyPressEvent(event);
    }
  }
  void wheelEvent(QWheelEvent* event) override { event->ignore(); }

 private:
  CPropertySheet& m_sheet;
};

class SheetTabWidget : public QTabWidget {
 public:
  SheetTabWidget(CPropertySheet& sheet, QWidget* parent) : QTabWidget(parent) {
    setTabBar(new SheetTabBar(sheet));
    // Every tab stays in sight; the sheet grows to fit them instead.
    setUsesScrollButtons(false);
  }

 protected:
  // Page switching keys are the sheet's shortcuts; nothing switches behind its back.
  void keyPressEvent(QKeyEvent* event) override { event->ignore(); }
};

}  // namespace detail

namespace {

using detail::ToQString;

struct StandardButton {
  int id;
  const char* text;
};

// The standard buttons of a sheet, left to right.
constexpr StandardButton kSheetButtons[] = {
    {IDOK, "OK"}, {IDCANCEL, "Cancel"}, {ID_APPLY_NOW, "&Apply"}, {IDHELP, "Help"}};

}  // namespace

CPropertyPage::CPropertyPage(const DialogTemplate& dialogTemplate) : CDialog(dialogTemplate) {}

bool CPropertyPage::OnSetActive() { return true; }

bool CPropertyPage::OnKillActive() { return UpdateData(true); }

void CPropertyPage::CreatePage(QWidget* container) {
  auto* window = new QWidget(container);
  CreateFromTemplate(window);
  OnInitDialog();
  window->show();
}

void CPropertyPage::DestroyPage() { DestroyWindow(); }

CPropertySheet::CPropertySheet(std::string_view caption, CWnd* parent, unsigned selectPage)
    : m_caption(caption), m_parent(parent), m_startPage(selectPage) {}

CPropertySheet::~CPropertySheet() {
  // Pages that are members of a derived sheet are destroyed by now; their windows go
  // with the sheet's own.
  m_pages.clear();
  DestroyWindow();
}

void CPropertySheet::AddPage(CPropertyPage* page) { m_pages.push_back(page); }

CPropertyPage* CPropertySheet::GetPage(int index) const {
  return index >= 0 && index < GetPageCount() ? m_pages[static_cast<size_t>(index)] : nullptr;
}

bool CPropertySheet::SetActivePage(int index, bool askPageBeingLeft) {
  CPropertyPage* page = GetPage(index);
  if (page == nullptr || m_window == nullptr) return false;
  if (askPageBeingLeft) {
    if (index == m_active) return true;
    if (CPropertyPage* leaving = GetActivePage(); leaving != nullptr && !leaving->OnKillActive()) return false;
  }
  CreatePage(index);
  page->OnSetActive();
  const bool focusOnTabs = m_tabs->tabBar()->hasFocus();
  m_active = index;
  m_tabs->setCurrentIndex(index);
  if (!focusOnTabs) {
    if (QWidget* first = page->FirstFocus()) first->setFocus(Qt::TabFocusReason);
  }
  return true;
}

void CPropertySheet::CreatePage(int index) {
  CPropertyPage* page = GetPage(index);
  if (page == nullptr || m_window == nullptr || page->IsCreated()) return;
  page->CreatePage(m_containers[static_cast<size_t>(index)]);
  ChainTabOrder(*page);
}

bool CPropertySheet::MoveActivePage(int step) {
  const int count = GetPageCount();
  if (count == 0 || m_active < 0) return false;
  return SetActivePage(((m_active + step) % count + count) % count);
}

int CPropertySheet::DoModal() {
  BuildWindow();
  OnInitDialog();
  const int result = m_window->exec();
  DestroyWindow();
  return result;
}

void CPropertySheet::EndDialog(int result) {
  if (m_window != nullptr) m_window->done(result);
}

void CPropertySheet::RouteCommand(int id) {
  if (CPropertyPage* page = GetActivePage(); page != nullptr && page->OnCommand(id)) return;
  if (CWnd::OnCommand(id)) return;
  if (CWinApp* app = AfxGetApp()) {
    MessageArgs args{Message::Command, id};
    app->Dispatch(args);
  }
}

bool CPropertySheet::OnInitDialog() {
  SetActivePage(static_cast<int>(m_startPage) < GetPageCount() ? static_cast<int>(m_startPage) : 0);
  return true;
}

bool CPropertySheet::OnCommand(int id) {
  if (CWnd::OnCommand(id)) return true;
  switch (id) {
    case IDCANCEL:
      EndDialog(IDCANCEL);
      return true;
    case IDOK:
      if (CPropertyPage* page = GetActivePage(); page == nullptr || page->OnKillActive()) EndDialog(IDOK);
      return true;
    case IDHELP:
      RouteCommand(ID_HELP);
      return true;
    default:
      return false;
  }
}

void CPropertySheet::BuildWindow() {
  DestroyWindow();
  QWidget* owner = m_parent != nullptr ? m_parent->GetSafeHwnd() : nullptr;
  m_window = std::make_unique<detail::RoutedDialog>(owner, [this] { OnCommand(IDCANCEL); });
  m_window->setWindowTitle(ToQString(m_caption));
  m_window->setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
  Attach(m_window.get(), 0);

  const DialogUnits units(m_window->font());
  auto* layout = new QVBoxLayout(m_window.get());
  layout->setContentsMargins(units.X(7), units.Y(7), units.X(7), units.Y(7));
  layout->setSpacing(units.Y(7));
  layout->setSizeConstraint(QLayout::SetFixedSize);

  m_tabs = new detail::SheetTabWidget(*this, m_window.get());
  m_containers.clear();
  for (CPropertyPage* page : m_pages) {
    const DialogTemplate& pageTemplate = page->GetTemplate();
    auto* container = new QWidget;
    // The page's window comes later, on its first showing; its room is known now.
    container->setMinimumSize(LayOutDialog(pageTemplate, m_window->font()).size);
    m_tabs->addTab(container, ToQString(pageTemplate.title));
    m_containers.push_back(container);
  }
  layout->addWidget(m_tabs);

  m_buttonRow = new QHBoxLayout;
  m_buttonRow->setSpacing(units.X(4));
  m_buttonRow->addStretch();
  m_addedButtons = 0;
  const bool helpAvailable = AfxGetApp() != nullptr && AfxGetApp()->HasHandler(Message::Command, ID_HELP);
  for (const StandardButton& standard : kSheetButtons) {
    QPushButton* button = MakeButton(standard.id, standard.text);
    // A hidden OK stays the default, so Enter in a field presses nothing; Cancel
    // never answers Enter, so the key never closes the sheet and loses the entries.
    button->setAutoDefault(standard.id != IDCANCEL);
    if (standard.id == IDOK) button->setDefault(true);
    if (standard.id == ID_APPLY_NOW) button->setEnabled(false);
    if (standard.id == IDHELP) button->setVisible(helpAvailable);
    m_buttonRow->addWidget(button);
  }
  layout->addLayout(m_buttonRow);

  const auto addShortcut = [this](QKeySequence keys, std::function<void()> action) {
    auto* shortcut = new QShortcut(keys, m_window.get());
    shortcut->setContext(Qt::WindowShortcut);
    QObject::connect(shortcut, &QShortcut::activated, m_window.get(), std::move(action));
  };
  addShortcut(QKeySequence(Qt::Key_F1), [this] { RouteCommand(ID_HELP); });
  for (QKeySequence keys : {QKeySequence(Qt::CTRL | Qt::Key_Tab), QKeySequence(Qt::CTRL | Qt::Key_PageDown)}) {
    addShortcut(keys, [this] { MoveActivePage(1); });
  }
  for (QKeySequence keys : {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab),
                            QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab),
                            QKeySequence(Qt::CTRL | Qt::Key_PageUp)}) {
    addShortcut(keys, [this] { MoveActivePage(-1); });
  }
}

QPushButton* CPropertySheet::MakeButton(int id, std::string_view text) {
  const DialogUnits units(m_window->font());
  auto* button = new QPushButton(ToQString(text), m_window.get());
  button->setFixedSize(units.Size(50, 14));
  QSizePolicy policy = button->sizePolicy();
  policy.setRetainSizeWhenHidden(true);
  button->setSizePolicy(policy);
  QObject::connect(button, &QPushButton::clicked, button, [button] {
    if (CWnd* handler = CWnd::FromHandle(button)) NotifyCommand(*handler);
  });
  AddChild(button, id, style::kPushButton, std::make_unique<CWnd>());
  return button;
}

void CPropertySheet::AddButton(int id, std::string_view text, std::string_view keys) {
  if (m_window == nullptr) return;
  QPushButton* button = MakeButton(id, text);
  button->setAutoDefault(true);
  // As wide as its text needs, so that the row still fits under the tabs.
  const DialogUnits units(m_window->font());
  button->setFixedWidth(std::min(button->width(), button->fontMetrics().horizontalAdvance(button->text().remove(u'&')) + units.X(10)));
  m_buttonRow->insertWidget(m_addedButtons++, button);
  // The room a hidden standard button keeps is better used by the added ones.
  for (const StandardButton& standard : kSheetButtons) {
    QWidget* hidden = GetDlgItem(standard.id)->GetSafeHwnd();
    QSizePolicy policy = hidden->sizePolicy();
    policy.setRetainSizeWhenHidden(false);
    hidden->setSizePolicy(policy);
  }
  auto* shortcut = new QShortcut(QKeySequence(ToQString(keys)), m_window.get());
  shortcut->setContext(Qt::WindowShortcut);
  QObject::connect(shortcut, &QShortcut::activated, button, [this, button, id] {
    if (button->isEnabled()) OnCommand(id);
  });
  if (CPropertyPage* page = GetActivePage()) ChainTabOrder(*page);
}

void CPropertySheet::DestroyWindow() {
  for (CPropertyPage* page : m_pages) page->DestroyPage();
  ClearChildren();
  Detach();
  m_window.reset();
  m_tabs = nullptr;
  m_buttonRow = nullptr;
  m_containers.clear();
  m_active = -1;
}

// Tab runs from the tab bar through the page's fields in template order, then
// through the sheet's buttons.
void CPropertySheet::ChainTabOrder(CPropertyPage& page) {
  QWidget* previous = m_tabs->tabBar();
  for (QWidget* widget : page.ChildWidgets()) {
    if (widget->focusPolicy() == Qt::NoFocus) continue;
    QWidget::setTabOrder(previous, widget);
    previous = widget;
  }
  // The buttons in the order they stand in their row.
  for (int i = 0; i < m_buttonRow->count(); ++i) {
    QWidget* button = m_buttonRow->itemAt(i)->widget();
    if (button == nullptr) continue;
    QWidget::setTabOrder(previous, button);
    previous = button;
  }
}

}  // namespace varnolix
