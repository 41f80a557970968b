// A small dialog that holds links, built and shown without a modal run, and a link
// whose state the tests can see and set.
#pragma once

#include <QWidget>
#include <memory>

#include "hyperlink/hyperlink.h"
#include "platform/dialog.h"

namespace varnolix::test {

inline constexpr int kButton = 1;
inline constexpr int kLink = 1093;
inline constexpr int kPlainCursorLink = 1095;
inline constexpr const char* kAddress = "https://varnolix.example/";
// The style word every link starts with.
inline constexpr std::uint32_t kConstructionStyle =
    CHyperLink::HLS_UNDERLINE | CHyperLink::HLS_FITTOTEXT | CHyperLink::HLS_FOCUSONPRESS;

class TestLink : public CHyperLink {
 public:
  explicit TestLink(std::uint32_t style = kConstructionStyle) {
    m_dwLinkStyle = style;
  }
  using CHyperLink::m_bFollowed;
  using CHyperLink::m_strTarget;
  using CHyperLink::OpenTarget;
  static void ForgetHandCursor() { s_hHandCursor = nullptr; }
};

// A button, then the link, then one that loads no hand, in tab order.
class LinkHost : public CDialog {
 public:
  explicit LinkHost(std::uint32_t linkStyle = kConstructionStyle);
  ~LinkHost() override;

  // Builds and shows the dialog, attaching the links, and gives it the focus.
  void Show();
  QWidget* Window() const { return m_window.get(); }
  QWidget* Widget(int id) const { return GetDlgItem(id)->GetSafeHwnd(); }

  TestLink link;
  TestLink plainCursorLink{CHyperLink::HLS_UNDERLINE | CHyperLink::HLS_PLAINCURSOR};

 protected:
  void DoDataExchange(CDataExchange* dx) override;

 private:
  std::unique_ptr<QWidget> m_window;
};

}  // namespace varnolix::test
