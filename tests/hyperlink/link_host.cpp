#include "tests/hyperlink/link_host.h"

#include <gtest/gtest.h>

#include <QTest>

namespace varnolix::test {
namespace {

constexpr unsigned kCentredLink = style::kVisible | style::kTabStop | style::kAlignCenter | style::kCenterVertically;

constexpr ControlTemplate kControls[] = {
    {ControlKind::PushButton, kButton, "OK", 10, 10, 50, 14, style::kPushButton | style::kDefaultButton},
    {ControlKind::Label, kLink, kAddress, 65, 42, 90, 12, kCentredLink},
    {ControlKind::Label, kPlainCursorLink, "mailto:tax@varnolix.example", 10, 90, 120, 12, style::kVisible},
};

constexpr DialogTemplate kLinkHost{900, "Links", 220, 120, kControls};

}  // namespace

LinkHost::LinkHost(std::uint32_t linkStyle) : CDialog(kLinkHost), link(linkStyle) {}

LinkHost::~LinkHost() {
  DestroyWindow();
  m_window.reset();
}

void LinkHost::Show() {
  m_window = std::make_unique<QWidget>();
  CreateFromTemplate(m_window.get());
  OnInitDialog();
  m_window->show();
  m_window->activateWindow();
  EXPECT_TRUE(QTest::qWaitForWindowActive(m_window.get()));
  Widget(kButton)->setFocus(Qt::OtherFocusReason);
}

void LinkHost::DoDataExchange(CDataExchange* dx) {
  DDX_Control(dx, kLink, link);
  DDX_Control(dx, kPlainCursorLink, plainCursorLink);
}

}  // namespace varnolix::test
