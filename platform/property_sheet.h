// A tabbed sheet of property pages. A page's window is built the first time the page
// is shown; every change of page asks the page being left (which may refuse) and
// then tells the page being shown.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/dialog.h"

class QHBoxLayout;
class QPushButton;
class QTabWidget;
class QWidget;

namespace varnolix {

namespace detail {
class RoutedDialog;
}

class CPropertyPage : public CDialog {
 public:
  explicit CPropertyPage(const DialogTemplate& dialogTemplate);

  // The page is about to be shown; its window exists by now.
  virtual bool OnSetActive();
  // The page is about to be left; false keeps it.
  virtual bool OnKillActive();

  bool IsCreated() const { return GetSafeHwnd() != nullptr; }

 private:
  friend class CPropertySheet;
  void CreatePage(QWidget* container);
  void DestroyPage();
  QWidget* FirstFocus() const { return FirstTabStop(); }
};

class CPropertySheet : public CWnd {
 public:
  CPropertySheet(std::string_view caption, CWnd* parent = nullptr, unsigned selectPage = 0);
  ~CPropertySheet() override;

  void AddPage(CPropertyPage* page);
  int GetPageCount() const { return static_cast<int>(m_pages.size()); }
  CPropertyPage* GetPage(int index) const;
  CPropertyPage* GetActivePage() const { return GetPage(m_active); }
  int GetActiveIndex() const { return m_active; }

  // Moves to page `index` as a click on its tab would; false when the page being
  // left refused. Not asking the page being left shows the page afresh, even the
  // active one, as after its fields were filled from elsewhere.
  bool SetActivePage(int index, bool askPageBeingLeft = true);
  // Builds page `index`'s window now, before its first showing, so that its fields can
  // be filled; the page is not shown.
  void CreatePage(int index);
  // Moves by `step` pages, wrapping around, as Ctrl+Tab and Ctrl+Shift+Tab do.
  bool MoveActivePage(int step);

  // Runs the sheet until it is closed; returns IDCANCEL or IDOK.
  virtual int DoModal();
  void EndDialog(int result);

  // Adds a button at the left of the button row, before the standard ones; a click
  // sends command `id` to the sheet, as `keys` ("Ctrl+O") do anywhere in it.
  void AddButton(int id, std::string_view text, std::string_view keys);

  // Sends a command to the active page, then the sheet, then the application,
  // until one of them handles it. The Help button and F1 issue ID_HELP this way.
  void RouteCommand(int id);

 protected:
  // Builds the buttons and shows the first page. Derived sheets adjust the buttons.
  virtual bool OnInitDialog();
  bool OnCommand(int id) override;
  // Builds the sheet's window, hidden, with its tabs and buttons.
  void BuildWindow();

 private:
  void DestroyWindow();
  void ChainTabOrder(CPropertyPage& page);
  QPushButton* MakeButton(int id, std::string_view text);

  std::string m_caption;
  CWnd* m_parent;
  unsigned m_startPage;
  std::vector<CPropertyPage*> m_pages;
  std::vector<QWidget*> m_containers;
  int m_active = -1;
  std::unique_ptr<detail::RoutedDialog> m_window;
  QTabWidget* m_tabs = nullptr;
  QHBoxLayout* m_buttonRow = nullptr;
  int m_addedButtons = 0;
};

}  // namespace varnolix
