// The link as a person meets it: its colours, how it answers the pointer, the focus
// and the keys, how it fits its text, its font, tooltip and pointer.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QFontMetrics>
#include <QTest>
#include <functional>
#include <string>
#include <vector>

#include "hyperlink/fit_to_text.h"
#include "platform/dc.h"
#include "platform/dialog_layout.h"
#include "platform/dialog_template.h"
#include "tests/gui_support/recorders.h"
#include "tests/hyperlink/link_host.h"

namespace varnolix::test {
namespace {

using Link = CHyperLink;

TEST(LinkColour, TheFirstRuleThatAppliesChoosesIt) {
  const struct {
    std::uint32_t style;
    bool pointerInside, focused, followed;
    COLORREF expected;
  } cases[] = {
      {kConstructionStyle, false, false, false, Link::s_crLink},
      {kConstructionStyle, false, false, true, Link::s_crFollowed},
      {kConstructionStyle, false, true, true, Link::s_crFocused},  // the focus outranks a visit
      {kConstructionStyle, true, false, false, Link::s_crLink},    // no hot colour unless asked for
      {kConstructionStyle | Link::HLS_HOTCOLOR, true, true, true, Link::s_crHot},
      {kConstructionStyle | Link::HLS_HOTCOLOR, false, true, false, Link::s_crFocused},
      {kConstructionStyle | Link::HLS_NOFOCUSCOLOR, false, true, true, Link::s_crFollowed},
      {kConstructionStyle | Link::HLS_NOFOCUSCOLOR, false, true, false, Link::s_crLink},
  };
  for (const auto& c : cases) {
    TestLink link(c.style);
    link.m_bPointerInside = c.pointerInside;
    link.m_bFocused = c.focused;
    link.m_bFollowed = c.followed;
    CDC dc;
    EXPECT_EQ(link.CtlColor(&dc, CTLCOLOR_STATIC), nullptr);
    EXPECT_EQ(dc.GetTextColor(), c.expected) << c.style << c.pointerInside << c.focused << c.followed;
  }
}

struct Actions {
  LinkHost& host;
  QWidget* Link() const { return host.Widget(kLink); }
  QPoint Centre() const { return Link()->rect().center(); }
  // From the button, since a move to where the pointer already is goes unseen.
  void MoveIn() const {
    MoveOut();
    QTest::mouseMove(Link(), Centre());
  }
  void MoveWithin() const { QTest::mouseMove(Link(), Centre() + QPoint(1, 0)); }
  void MoveOut() const { QTest::mouseMove(host.Widget(kButton), host.Widget(kButton)->rect().center()); }
  void TakeFocus() const { Link()->setFocus(Qt::TabFocusReason); }
  void LoseFocus() const { host.Widget(kButton)->setFocus(Qt::TabFocusReason); }
  void Press() const { QTest::mousePress(Link(), Qt::LeftButton, {}, Centre()); }
  void Release() const { QTest::mouseRelease(Link(), Qt::LeftButton, {}, Centre()); }
  void Space() const { QTest::keyClick(Link(), Qt::Key_Space); }
  void HoldSpace() const {
    for (bool repeat : {false, true, true}) {
      QKeyEvent press(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "), repeat);
      QApplication::sendEvent(Link(), &press);
    }
    QTest::keyRelease(Link(), Qt::Key_Space);
  }
  void OtherKey() const { QTest::keyClick(Link(), Qt::Key_A); }
};

using Step = void (Actions::*)() const;

// Each row starts from a new link, the focus on the dialog's button and the pointer away.
TEST(LinkStates, PointerFocusPressReleaseAndSpaceChangeThemAsTheTableSays) {
  const struct {
    const char* name;
    std::vector<Step> steps;
    bool pointerInside, focused, hasFocus;
    int opened;
    std::uint32_t style = kConstructionStyle;
  } cases[] = {
      {"enter", {&Actions::MoveIn}, true, false, false, 0},
      {"move within", {&Actions::MoveIn, &Actions::MoveWithin}, true, false, false, 0},
      {"leave", {&Actions::MoveIn, &Actions::MoveOut}, false, false, false, 0},
      {"focus", {&Actions::TakeFocus}, false, true, true, 0},
      {"focus lost", {&Actions::TakeFocus, &Actions::LoseFocus}, false, false, false, 0},
      {"focus lost under the pointer", {&Actions::MoveIn, &Actions::TakeFocus, &Actions::LoseFocus}, false, false,
       false, 0},
      {"moved again after that", {&Actions::MoveIn, &Actions::TakeFocus, &Actions::LoseFocus, &Actions::MoveWithin},
       true, false, false, 0},
      {"press", {&Actions::MoveIn, &Actions::Press}, true, true, true, 0},
      {"click", {&Actions::MoveIn, &Actions::Press, &Actions::Release}, true, true, true, 1},
      {"release alone", {&Actions::MoveIn, &Actions::Release}, true, false, false, 0},
      {"space", {&Actions::TakeFocus, &Actions::Space}, false, true, true, 1},
      {"space held", {&Actions::TakeFocus, &Actions::HoldSpace}, false, true, true, 1},
      {"another key", {&Actions::TakeFocus, &Actions::OtherKey}, false, true, true, 0},
      {"press, opening on press", {&Actions::MoveIn, &Actions::Press}, true, true, true, 1,
       kConstructionStyle | Link::HLS_OPENONPRESS},
      {"click, opening on press", {&Actions::MoveIn, &Actions::Press, &Actions::Release}, true, true, true, 1,
       kConstructionStyle | Link::HLS_OPENONPRESS},
      {"click, no focus on press", {&Actions::MoveIn, &Actions::Press, &Actions::Release}, true, true, false, 1,
       Link::HLS_UNDERLINE | Link::HLS_FITTOTEXT},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    RecordedServices recorded;
    recorded.shell.answer = kShellOpened;
    LinkHost host(c.style);
    host.Show();
    const Actions actions{host};
    for (Step step : c.steps) (actions.*step)();
    EXPECT_EQ(host.link.m_bPointerInside, c.pointerInside);
    EXPECT_EQ(host.link.m_bFocused, c.focused);
    EXPECT_EQ(QApplication::focusWidget() == host.Widget(kLink), c.hasFocus);
    ASSERT_EQ(recorded.shell.requests.size(), static_cast<size_t>(c.opened));
    EXPECT_EQ(host.link.m_bFollowed, c.opened > 0);
    for (const ShellRequest& request : recorded.shell.requests) EXPECT_EQ(request.file, kAddress);
  }
}

// Beeps, and notes how many boxes had been shown by then.
struct BeeperBeforeBoxes : Beeper {
  explicit BeeperBeforeBoxes(const RecordingMessageBoxes& shown) : boxes(shown) {}
  void Beep(unsigned type) override { beeps.emplace_back(type, boxes.boxes.size()); }
  const RecordingMessageBoxes& boxes;
  std::vector<std::pair<unsigned, size_t>> beeps;
};

// A followed link is redrawn at once in its new colour; a link that could not open is
// left as it was, and the person hears the exclamation beep before reading why.
TEST(LinkStates, OnlyASuccessfulOpeningMarksTheLinkFollowedAndRedrawsIt) {
  for (std::intptr_t answer : {kShellOpened, SE_ERR_NOASSOC}) {
    RecordedServices recorded;
    BeeperBeforeBoxes beeper(recorded.boxes);
    const ScopedService<Beeper> beeperInPlace(beeper);
    recorded.shell.answer = answer;
    LinkHost host;
    host.Show();
    QWidget* link = host.Widget(kLink);
    QTest::qWait(50);  // the first paintings after showing
    const auto colour = [link] {
      const QColor drawn = link->palette().color(QPalette::WindowText);
      return RGB(drawn.red(), drawn.green(), drawn.blue());
    };
    ASSERT_EQ(colour(), Link::s_crLink);
    host.link.OpenTarget();
    QCoreApplication::processEvents();
    const bool opened = answer > 32;
    EXPECT_EQ(host.link.m_bFollowed, opened);
    EXPECT_EQ(colour(), opened ? Link::s_crFollowed : Link::s_crLink);
    using Beeps = std::vector<std::pair<unsigned, size_t>>;
    EXPECT_EQ(beeper.beeps, (opened ? Beeps{} : Beeps{{MB_ICONEXCLAMATION, 0}}));
    EXPECT_EQ(recorded.boxes.Texts(), opened ? std::vector<std::string>{}
                                             : std::vector<std::string>{"Can't open link:\n\nThere is no application "
                                                                        "associated\nwith the given filename extension."});
  }
}

TEST(LinkFitting, CentredSidesMoveByHalfTheDifferenceTruncatedTowardZero) {
  using namespace style;
  const unsigned centred = kAlignCenter | kCenterVertically;
  const struct {
    CRect window;
    CSize text;
    unsigned style;
    CRect fitted;
  } cases[] = {
      {{0, 0, 50, 20}, {30, 13}, centred, {10, 3, 40, 17}},      // 7 to spare: 3 each side, one line more
      {{0, 0, 50, 10}, {30, 17}, centred, {10, -3, 40, 13}},     // 7 short: 3 each side, one line less
      {{0, 0, 51, 20}, {30, 13}, centred, {10, 3, 41, 17}},
      {{0, 0, 20, 20}, {27, 13}, centred, {-3, 3, 23, 17}},
      {{10, 5, 60, 25}, {30, 13}, kAlignRight, {30, 5, 60, 18}},  // keeps its right edge
      {{10, 5, 60, 25}, {30, 13}, 0, {10, 5, 40, 18}},            // keeps its top-left corner
      {{10, 5, 60, 25}, {30, 13}, kAlignCenter | kAlignRight, {20, 5, 50, 18}},
      {{10, 5, 60, 25}, {30, 13}, kCenterVertically | kAlignRight, {30, 8, 60, 22}},
  };
  for (const auto& c : cases) {
    const CRect fitted = FitRectToText(c.window, c.text, c.style);
    EXPECT_EQ(fitted, c.fitted) << fitted.left << "," << fitted.top << "," << fitted.right << "," << fitted.bottom;
  }
}

// Attached, the link draws in an underlined copy of the dialog's font and takes the
// size of its text around the centre it had.
TEST(LinkAttaching, TheLinkIsUnderlinedAndFittedAroundItsCentre) {
  RecordedServices recorded;
  LinkHost host;
  host.Show();
  QWidget* link = host.Widget(kLink);
  const QFont dialogFont = host.Window()->font();
  EXPECT_TRUE(link->font().underline());
  EXPECT_EQ(link->font().family(), dialogFont.family());
  EXPECT_EQ(link->font().pointSizeF(), dialogFont.pointSizeF());

  // Each side moves by half the difference, so an odd difference leaves one pixel over.
  const QFontMetrics metrics(link->font());
  const QRect laidOut = LayOutDialog(host.GetTemplate(), dialogFont).controls[1];
  const int spareWidth = laidOut.width() - metrics.horizontalAdvance(QString::fromLatin1(kAddress));
  const int spareHeight = laidOut.height() - metrics.height();
  EXPECT_EQ(link->geometry(), laidOut.adjusted(spareWidth / 2, spareHeight / 2, -(spareWidth / 2), -(spareHeight / 2)));

  // A left-aligned link keeps its corner; it takes its target and tooltip from its text.
  const QRect plain = host.Widget(kPlainCursorLink)->geometry();
  const QRect plainLaidOut = LayOutDialog(host.GetTemplate(), dialogFont).controls[3];
  EXPECT_EQ(plain.topLeft(), plainLaidOut.topLeft());
  EXPECT_EQ(link->toolTip().toStdString(), kAddress);
  EXPECT_EQ(host.link.m_strTarget, kAddress);
  EXPECT_EQ(host.emptyLink.m_strTarget, "");
  EXPECT_EQ(host.Widget(kEmptyLink)->toolTip(), QString());
}

// A screen reader meets a link named by its address, and its press action opens it.
TEST(LinkAttaching, ScreenReadersMeetALinkThatTheirPressOpens) {
  RecordedServices recorded;
  recorded.shell.answer = kShellOpened;
  LinkHost host;
  host.Show();
  QAccessibleInterface* link = QAccessible::queryAccessibleInterface(host.Widget(kLink));
  ASSERT_NE(link, nullptr);
  EXPECT_EQ(link->role(), QAccessible::Link);
  EXPECT_EQ(link->text(QAccessible::Name).toStdString(), kAddress);
  EXPECT_EQ(link->text(QAccessible::Description).toStdString(), kAddress);
  ASSERT_NE(link->actionInterface(), nullptr);
  EXPECT_EQ(link->actionInterface()->actionNames(), QStringList{QAccessibleActionInterface::pressAction()});
  link->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
  ASSERT_EQ(recorded.shell.requests.size(), 1u);
  EXPECT_EQ(recorded.shell.requests.front().file, kAddress);
  EXPECT_TRUE(host.link.m_bFollowed);
}

bool ShowsTheHand(QWidget* widget) {
  QTest::mouseMove(widget->window(), QPoint(1, 1));
  QTest::mouseMove(widget, widget->rect().center());
  return widget->testAttribute(Qt::WA_SetCursor) && widget->cursor().shape() == Qt::PointingHandCursor;
}

// The hand is loaded by the first link that wants it and shared by every link after,
// one that never loads it included.
TEST(LinkPointer, TheHandIsLoadedOnceAndSharedByEveryLink) {
  RecordedServices recorded;
  CountingHandCursor hand;
  const ScopedService<HandCursorSource> handInPlace(hand);
  TestLink::ForgetHandCursor();
  for (int showing = 0; showing < 2; ++showing) {
    LinkHost host;
    host.Show();
    EXPECT_EQ(hand.loads, 1);
    for (int id : {kLink, kPlainCursorLink}) EXPECT_TRUE(ShowsTheHand(host.Widget(id))) << id;
  }
  TestLink::ForgetHandCursor();
}

TEST(LinkPointer, WithoutAHandThePointerIsLeftAloneAndTheNextLinkTriesAgain) {
  RecordedServices recorded;
  CountingHandCursor hand;
  hand.missing = true;
  const ScopedService<HandCursorSource> handInPlace(hand);
  TestLink::ForgetHandCursor();
  {
    LinkHost host;
    host.Show();
    EXPECT_EQ(hand.loads, 2);  // the link and the empty link; the third never asks
    EXPECT_FALSE(ShowsTheHand(host.Widget(kLink)));
  }
  hand.missing = false;
  LinkHost host;
  host.Show();
  EXPECT_EQ(hand.loads, 3);
  EXPECT_TRUE(ShowsTheHand(host.Widget(kLink)));
  TestLink::ForgetHandCursor();
}

}  // namespace
}  // namespace varnolix::test
