// The link as a person meets it: how it answers the pointer, the focus and the keys, the
// colour it is drawn in after each, how it fits its text, and its pointer.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QFontMetrics>
#include <QTest>
#include <vector>

#include "platform/dialog_layout.h"
#include "tests/gui_support/recorders.h"
#include "tests/hyperlink/link_host.h"

namespace varnolix::test {
namespace {

using Link = CHyperLink;

COLORREF Drawn(QWidget* widget) {
  widget->repaint();  // a repaint asks for the colour again
  const QColor colour = widget->palette().color(QPalette::WindowText);
  return RGB(colour.red(), colour.green(), colour.blue());
}

struct Actions {
  LinkHost& host;
  QWidget* Link() const { return host.Widget(kLink); }
  QWidget* Button() const { return host.Widget(kButton); }
  QPoint Centre() const { return Link()->rect().center(); }
  // From the button, since a move to where the pointer already is goes unseen.
  void MoveIn() const {
    MoveOut();
    QTest::mouseMove(Link(), Centre());
  }
  void MoveWithin() const { QTest::mouseMove(Link(), Centre() + QPoint(1, 0)); }
  void MoveOut() const { QTest::mouseMove(Button(), Button()->rect().center()); }
  void TakeFocus() const { Link()->setFocus(Qt::TabFocusReason); }
  void LoseFocus() const { Button()->setFocus(Qt::TabFocusReason); }
  void Press() const { QTest::mousePress(Link(), Qt::LeftButton, {}, Centre()); }
  void Release() const { QTest::mouseRelease(Link(), Qt::LeftButton, {}, Centre()); }
  // With the button held, across the dialog and down over the button, step by step.
  void DragAway() const {
    for (int step = 1; step <= 4; ++step) QTest::mouseMove(Link(), Centre() + QPoint(0, 12 * step));
    QTest::mouseMove(Button(), Button()->rect().center());
  }
  // Released over the button: on a desktop the link hears of it, as it holds the pointer
  // since the press, at a point outside itself.
  void ReleaseAway() const {
    const QPoint over = Link()->mapFromGlobal(Button()->mapToGlobal(Button()->rect().center()));
    QMouseEvent release(QEvent::MouseButtonRelease, over, Link()->mapToGlobal(over), Qt::LeftButton, Qt::NoButton, {});
    QApplication::sendEvent(Link(), &release);
    QTest::mouseRelease(Button(), Qt::LeftButton, {}, Button()->rect().center());  // QTest's own record of the button
  }
  void Key(Qt::KeyboardModifiers modifiers, bool repeat = false) const {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Space, modifiers, QStringLiteral(" "), repeat);
    QApplication::sendEvent(Link(), &press);
  }
  void Space() const { QTest::keyClick(Link(), Qt::Key_Space); }
  void AltSpace() const { Key(Qt::AltModifier); }
  void CtrlSpace() const { Key(Qt::ControlModifier); }
  void MetaSpace() const { Key(Qt::MetaModifier); }
  void HoldSpace() const {
    for (bool repeat : {false, true, true}) Key(Qt::NoModifier, repeat);
  }
};

using Step = void (Actions::*)() const;
using A = Actions;

// Each row starts from a new link, the focus on the dialog's button and the pointer away.
TEST(LinkStates, PointerFocusPressReleaseAndKeysChangeWhatItOpensAndItsColour) {
  constexpr std::uint32_t kHot = kConstructionStyle | Link::HLS_HOTCOLOR;
  const struct {
    const char* name;
    std::vector<Step> steps;
    bool hasFocus;
    int opened;
    COLORREF colour;
    std::uint32_t style = kConstructionStyle;
  } cases[] = {
      {"enter", {&A::MoveIn}, false, 0, Link::s_crLink},
      {"enter, hot", {&A::MoveIn}, false, 0, Link::s_crHot, kHot},
      {"focus", {&A::TakeFocus}, true, 0, Link::s_crFocused},
      {"focus lost under the pointer, then moved, hot", {&A::MoveIn, &A::TakeFocus, &A::LoseFocus, &A::MoveWithin},
       false, 0, Link::s_crHot, kHot},
      {"click: the focus outranks the visit", {&A::MoveIn, &A::Press, &A::Release}, true, 1, Link::s_crFocused},
      {"click, then focus lost", {&A::MoveIn, &A::Press, &A::Release, &A::LoseFocus}, false, 1, Link::s_crFollowed},
      {"press dragged away, released elsewhere", {&A::MoveIn, &A::Press, &A::DragAway, &A::ReleaseAway}, true, 0,
       Link::s_crFocused},
      {"press dragged away and back", {&A::MoveIn, &A::Press, &A::DragAway, &A::MoveIn, &A::Release}, true, 1,
       Link::s_crFocused},
      {"release alone", {&A::MoveIn, &A::Release}, false, 0, Link::s_crLink},
      {"space", {&A::TakeFocus, &A::Space}, true, 1, Link::s_crFocused},
      {"space held", {&A::TakeFocus, &A::HoldSpace}, true, 1, Link::s_crFocused},
      {"alt and space", {&A::TakeFocus, &A::AltSpace}, true, 0, Link::s_crFocused},
      {"ctrl and space", {&A::TakeFocus, &A::CtrlSpace}, true, 0, Link::s_crFocused},
      {"meta and space", {&A::TakeFocus, &A::MetaSpace}, true, 0, Link::s_crFocused},
      {"press, opening on press", {&A::MoveIn, &A::Press}, true, 1, Link::s_crFocused,
       kConstructionStyle | Link::HLS_OPENONPRESS},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    RecordedServices recorded;
    recorded.shell.answer = kShellOpened;
    LinkHost host(c.style);
    host.Show();
    const Actions actions{host};
    for (Step step : c.steps) (actions.*step)();
    EXPECT_EQ(QApplication::focusWidget() == host.Widget(kLink), c.hasFocus);
    ASSERT_EQ(recorded.shell.requests.size(), static_cast<size_t>(c.opened));
    for (const ShellRequest& request : recorded.shell.requests) EXPECT_EQ(request.file, kAddress);
    EXPECT_EQ(Drawn(host.Widget(kLink)), c.colour);
  }
}

// A link that could not open is left as it was, and the person hears the exclamation
// beep before reading why.
TEST(LinkStates, AFailedOpeningBeepsThenSaysWhyAndLeavesTheLinkAsItWas) {
  RecordedServices recorded;
  recorded.shell.answer = SE_ERR_NOASSOC;
  LinkHost host;
  host.Show();
  host.link.OpenTarget();
  EXPECT_FALSE(host.link.m_bFollowed);
  EXPECT_EQ(Drawn(host.Widget(kLink)), Link::s_crLink);
  EXPECT_EQ(recorded.beeper.beeps, (std::vector<std::pair<unsigned, size_t>>{{MB_ICONEXCLAMATION, 0}}));
  EXPECT_EQ(recorded.boxes.Texts(),
            std::vector<std::string>{"Can't open link:\n\nThere is no application associated\nwith the given filename extension."});
}

// Attached, the link draws in an underlined copy of the dialog's font, takes the size of
// its text around the centre it had, and its text is its target and its tooltip.
TEST(LinkAttaching, TheLinkIsUnderlinedFittedAndNamedByItsTarget) {
  RecordedServices recorded;
  recorded.shell.answer = kShellOpened;
  LinkHost host;
  host.Show();
  QWidget* link = host.Widget(kLink);
  EXPECT_TRUE(link->font().underline());
  const QRect laidOut = LayOutDialog(host.GetTemplate(), host.Window()->font()).controls[1];
  EXPECT_EQ(link->width(), QFontMetrics(link->font()).horizontalAdvance(QString::fromLatin1(kAddress)));
  EXPECT_LE(std::abs(link->geometry().center().x() - laidOut.center().x()), 1);
  EXPECT_EQ(link->toolTip().toStdString(), kAddress);

  // A screen reader meets a link named by its address, and its press action opens it.
  QAccessibleInterface* spoken = QAccessible::queryAccessibleInterface(link);
  ASSERT_NE(spoken, nullptr);
  EXPECT_EQ(spoken->role(), QAccessible::Link);
  EXPECT_EQ(spoken->text(QAccessible::Name).toStdString(), kAddress);
  ASSERT_NE(spoken->actionInterface(), nullptr);
  spoken->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
  ASSERT_EQ(recorded.shell.requests.size(), 1u);
  EXPECT_TRUE(host.link.m_bFollowed);
}

bool ShowsTheHand(QWidget* widget) {
  QTest::mouseMove(widget->window(), QPoint(1, 1));
  QTest::mouseMove(widget, widget->rect().center());
  return widget->testAttribute(Qt::WA_SetCursor) && widget->cursor().shape() == Qt::PointingHandCursor;
}

// Every link shows the hand once one has loaded it; without a hand the pointer is left
// alone, and the next link tries again.
TEST(LinkPointer, TheHandIsSharedAndAMissingOneIsAskedForAgain) {
  RecordedServices recorded;
  SwitchableHandCursor hand;
  hand.missing = true;
  const ScopedService<HandCursorSource> handInPlace(hand);
  TestLink::ForgetHandCursor();
  {
    LinkHost host;
    host.Show();
    EXPECT_FALSE(ShowsTheHand(host.Widget(kLink)));
  }
  hand.missing = false;
  LinkHost host;
  host.Show();
  for (int id : {kLink, kPlainCursorLink}) EXPECT_TRUE(ShowsTheHand(host.Widget(id))) << id;
  TestLink::ForgetHandCursor();
}

}  // namespace
}  // namespace varnolix::test
