// The About box's link as a person uses it: it shows the maker's address, the keyboard
// reaches it, Space opens that address, and every new box starts with a link not yet
// followed. The link's own behaviour is tested with the link itself.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QTest>

#include "hyperlink/hyperlink.h"
#include "tests/gui_support/modal_windows.h"
#include "tests/gui_support/sheet_fixture.h"
#include "varnolix/version.h"

namespace varnolix::test {
namespace {

QLabel* LinkIn(QWidget* box) {
  for (QLabel* label : box->findChildren<QLabel*>()) {
    if (label->text() == QString::fromUtf8(kHomepage.data(), static_cast<qsizetype>(kHomepage.size()))) return label;
  }
  return nullptr;
}

COLORREF DrawnColour(QWidget* widget) {
  widget->repaint();
  const QColor colour = widget->palette().color(QPalette::WindowText);
  return RGB(colour.red(), colour.green(), colour.blue());
}

TEST_F(SheetTest, TabReachesTheAboutBoxsLinkAndSpaceOpensTheMakersPage) {
  recorded.shell.answer = kShellOpened;
  bool used = false;
  const ExpectedModal about(CloseBy::EscapeKey, [&](QWidget* box) {
    used = true;
    EXPECT_FALSE(box->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
    EXPECT_TRUE(box->windowFlags() & Qt::WindowCloseButtonHint);
    QLabel* link = LinkIn(box);
    ASSERT_NE(link, nullptr) << "no link shows the address " << kHomepage;
    EXPECT_TRUE(link->font().underline());
    EXPECT_EQ(link->toolTip(), link->text());
    EXPECT_EQ(DrawnColour(link), CHyperLink::s_crLink);

    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), link);
    EXPECT_EQ(DrawnColour(link), CHyperLink::s_crFocused);
    QTest::keyClick(link, Qt::Key_Space);
    ASSERT_EQ(recorded.shell.requests.size(), 1u);
    EXPECT_EQ(recorded.shell.requests.front().file, kHomepage);
    QTest::keyClick(link, Qt::Key_Tab);
    EXPECT_EQ(DrawnColour(link), CHyperLink::s_crFollowed);
  });
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1);
  EXPECT_TRUE(used);
  EXPECT_TRUE(recorded.boxes.boxes.empty());
}

// Followed in one box, the link of the next box is a link not yet followed; a click
// opens the page as Space did.
TEST_F(SheetTest, EveryAboutBoxStartsWithALinkNotYetFollowed) {
  recorded.shell.answer = kShellOpened;
  for (int showing = 0; showing < 2; ++showing) {
    SCOPED_TRACE(showing);
    const ExpectedModal about(CloseBy::OkButton, [&](QWidget* box) {
      QLabel* link = LinkIn(box);
      ASSERT_NE(link, nullptr);
      EXPECT_EQ(DrawnColour(link), CHyperLink::s_crLink);
      QTest::mouseClick(link, Qt::LeftButton, {}, link->rect().center());
      QTest::keyClick(link, Qt::Key_Tab);
      EXPECT_EQ(DrawnColour(link), CHyperLink::s_crFollowed);
    });
    ClickButton(IDHELP);
    ASSERT_TRUE(about.seen().appeared);
    SheetWindow()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(SheetWindow()));
  }
  EXPECT_EQ(recorded.shell.requests.size(), 2u);
}

}  // namespace
}  // namespace varnolix::test
