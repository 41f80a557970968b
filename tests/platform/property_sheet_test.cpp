// The property sheet and its pages on small templates of their own: pages built on
// first showing, pages that refuse to be left, change notifications and colour
// requests.
#include "platform/property_sheet.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTest>
#include <array>
#include <functional>
#include <map>
#include <optional>

#include "platform/dc.h"

namespace varnolix {
namespace {

constexpr int kAmount = 11;
constexpr int kReadOnly = 12;
constexpr int kGo = 13;
constexpr int kCaption = 14;

constexpr std::array kProbeControls{
    ControlTemplate{ControlKind::Label, kCaption, "Amount:", 4, 6, 40, 10, style::kRightLabel, kAmount},
    ControlTemplate{ControlKind::Edit, kAmount, {}, 48, 4, 60, 12, style::kEntryEdit},
    ControlTemplate{ControlKind::Edit, kReadOnly, {}, 48, 20, 60, 12, style::kReadOnlyEdit},
    ControlTemplate{ControlKind::PushButton, kGo, "&Go", 48, 40, 40, 14, style::kPushButton},
};
constexpr DialogTemplate kFirst{901, "First", 120, 60, kProbeControls};
constexpr DialogTemplate kSecond{902, "Second", 120, 60, kProbeControls};
constexpr DialogTemplate kThird{903, "Third", 120, 60, kProbeControls};

// A page that counts what the sheet asks of it and answers as the test says.
class ProbePage : public CPropertyPage {
 public:
  using CPropertyPage::CPropertyPage;
  const MessageMap& GetMessageMap() const override {
    static const MessageMap map{&CPropertyPage::GetMessageMap(),
                                {
                                    OnEditChange(kAmount, &ProbePage::OnChangeAmount),
                                    OnCtlColorRequest(&ProbePage::OnCtlColor),
                                }};
    return map;
  }
  bool OnSetActive() override {
    ++activations;
    return CPropertyPage::OnSetActive();
  }
  bool OnKillActive() override {
    ++leaveRequests;
    return mayLeave && CPropertyPage::OnKillActive();
  }
  bool OnInitDialog() override {
    ++initialisations;
    return CPropertyPage::OnInitDialog();
  }

  bool mayLeave = true;
  int activations = 0, leaveRequests = 0, initialisations = 0, changes = 0;
  std::optional<COLORREF> textColour;
  std::map<int, unsigned> colourKinds;  // control id -> kind of its latest request

 private:
  void OnChangeAmount() { ++changes; }
  HBRUSH OnCtlColor(CDC* dc, CWnd* control, unsigned kind) {
    HBRUSH brush = CPropertyPage::OnCtlColor(dc, control, kind);
    colourKinds[control->GetDlgCtrlID()] = kind;
    if (textColour) dc->SetTextColor(*textColour);
    return brush;
  }
};

class ProbeSheet : public CPropertySheet {
 public:
  ProbeSheet() : CPropertySheet("Probe") {
    for (ProbePage* page : pages) AddPage(page);
  }
  ProbePage first{kFirst}, second{kSecond}, third{kThird};
  std::array<ProbePage*, 3> pages{&first, &second, &third};
};

class PropertySheetTest : public ::testing::Test {
 protected:
  void SetUp() override {
    sheet.Create();
    window()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window()));
  }
  QWidget* window() const { return sheet.GetSafeHwnd(); }
  QTabBar* tabBar() const { return window()->findChild<QTabBar*>(); }
  void ClickTab(int index) { QTest::mouseClick(tabBar(), Qt::LeftButton, {}, tabBar()->tabRect(index).center()); }
  QWidget* Control(int page, int id) const {
    return sheet.pages[static_cast<size_t>(page)]->GetDlgItem(id)->GetSafeHwnd();
  }

  ProbeSheet sheet;
};

TEST_F(PropertySheetTest, BuildsAPageTheFirstTimeItIsShownAndOnlyThen) {
  EXPECT_TRUE(sheet.first.IsCreated());
  for (ProbePage* page : {&sheet.second, &sheet.third}) {
    EXPECT_FALSE(page->IsCreated());
    EXPECT_EQ(page->GetDlgItem(kAmount), nullptr);
    EXPECT_EQ(page->initialisations, 0);
  }
  ClickTab(1);
  ClickTab(0);
  ClickTab(1);
  EXPECT_TRUE(sheet.second.IsCreated());
  EXPECT_NE(sheet.second.GetDlgItem(kAmount), nullptr);
  EXPECT_EQ(sheet.second.initialisations, 1);
  EXPECT_EQ(sheet.second.activations, 2);
  EXPECT_FALSE(sheet.third.IsCreated());
}

struct MoveWay {
  const char* name;
  std::function<void(QTabBar*)> act;
  int destination;  // from the middle page, when it may be left
};
void PrintTo(const MoveWay& way, std::ostream* os) { *os << way.name; }

void KeyInFocus(Qt::Key key, Qt::KeyboardModifiers modifiers) {
  QTest::keyClick(QApplication::focusWidget(), key, modifiers);
}
void KeyOnTabBar(QTabBar* bar, Qt::Key key) {
  bar->setFocus(Qt::TabFocusReason);
  QTest::keyClick(bar, key);
}

class PageMoveTest : public PropertySheetTest, public ::testing::WithParamInterface<std::tuple<MoveWay, bool>> {};

// A page that refuses keeps the sheet where it is, however the person tries to move.
TEST_P(PageMoveTest, MovesOnlyWhenThePageMayBeLeft) {
  const auto& [way, mayLeave] = GetParam();
  ClickTab(1);
  ASSERT_EQ(sheet.GetActiveIndex(), 1);
  ASSERT_EQ(QApplication::focusWidget(), Control(1, kAmount));
  sheet.second.mayLeave = mayLeave;
  const int firstActivations = sheet.first.activations;
  const int thirdActivations = sheet.third.activations;

  way.act(tabBar());

  const int expected = mayLeave ? way.destination : 1;
  EXPECT_EQ(sheet.second.leaveRequests, 1);
  EXPECT_EQ(sheet.GetActiveIndex(), expected);
  EXPECT_EQ(tabBar()->currentIndex(), expected);
  EXPECT_EQ(sheet.first.activations - firstActivations, expected == 0 ? 1 : 0);
  EXPECT_EQ(sheet.third.activations - thirdActivations, expected == 2 ? 1 : 0);
  EXPECT_EQ(sheet.third.IsCreated(), expected == 2);
}

INSTANTIATE_TEST_SUITE_P(
    Ways, PageMoveTest,
    ::testing::Combine(
        ::testing::Values(
            MoveWay{"ClickOnTab",
                    [](QTabBar* bar) { QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(2).center()); }, 2},
            MoveWay{"CtrlTab", [](QTabBar*) { KeyInFocus(Qt::Key_Tab, Qt::ControlModifier); }, 2},
            MoveWay{"CtrlPageDown", [](QTabBar*) { KeyInFocus(Qt::Key_PageDown, Qt::ControlModifier); }, 2},
            MoveWay{"CtrlShiftTab",
                    [](QTabBar*) { KeyInFocus(Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier); }, 0},
            MoveWay{"CtrlPageUp", [](QTabBar*) { KeyInFocus(Qt::Key_PageUp, Qt::ControlModifier); }, 0},
            MoveWay{"RightOnTabBar", [](QTabBar* bar) { KeyOnTabBar(bar, Qt::Key_Right); }, 2},
            MoveWay{"DownOnTabBar", [](QTabBar* bar) { KeyOnTabBar(bar, Qt::Key_Down); }, 2},
            MoveWay{"LeftOnTabBar", [](QTabBar* bar) { KeyOnTabBar(bar, Qt::Key_Left); }, 0},
            MoveWay{"UpOnTabBar", [](QTabBar* bar) { KeyOnTabBar(bar, Qt::Key_Up); }, 0},
            MoveWay{"HomeOnTabBar", [](QTabBar* bar) { KeyOnTabBar(bar, Qt::Key_Home); }, 0},
            MoveWay{"EndOnTabBar", [](QTabBar* bar) { KeyOnTabBar(bar, Qt::Key_End); }, 2}),
        ::testing::Bool()),
    [](const ::testing::TestParamInfo<std::tuple<MoveWay, bool>>& param) {
      return std::string(std::get<0>(param.param).name) + (std::get<1>(param.param) ? "Allowed" : "Refused");
    });

// The page hears of every setting of an edit's text, as it would of typing.
TEST_F(PropertySheetTest, SettingAnEditsTextNotifiesEvenWhenTheTextStaysTheSame) {
  sheet.first.SetDlgItemText(kAmount, "5");
  sheet.first.SetDlgItemText(kAmount, "5");
  EXPECT_EQ(sheet.first.changes, 2);
  sheet.first.SetDlgItemText(kAmount, "");
  sheet.first.SetDlgItemText(kAmount, "");
  EXPECT_EQ(sheet.first.changes, 4);
  QTest::keyClick(Control(0, kAmount), Qt::Key_7);
  EXPECT_EQ(sheet.first.changes, 5);
  EXPECT_EQ(sheet.first.GetDlgItemText(kAmount), "7");
}

QColor DrawnColour(QWidget* widget) {
  widget->grab();
  const QPalette::ColorRole role = qobject_cast<QLineEdit*>(widget) != nullptr ? QPalette::Text : QPalette::WindowText;
  return widget->palette().color(role);
}

// Colours are asked for at every repaint, so a page may change its mind.
TEST_F(PropertySheetTest, ColourRequestsReachTheControlsOnEveryRepaint) {
  QWidget* label = Control(0, kCaption);
  QWidget* edit = Control(0, kAmount);
  QWidget* readOnly = Control(0, kReadOnly);
  auto* button = qobject_cast<QPushButton*>(Control(0, kGo));
  const QColor standardButtonText = button->palette().color(QPalette::ButtonText);

  sheet.first.textColour = RGB(1, 2, 3);
  for (QWidget* widget : {label, edit, readOnly}) EXPECT_EQ(DrawnColour(widget), QColor(1, 2, 3));
  button->grab();
  EXPECT_EQ(button->palette().color(QPalette::ButtonText), standardButtonText);

  sheet.first.textColour = RGB(200, 0, 0);
  for (QWidget* widget : {label, edit, readOnly}) EXPECT_EQ(DrawnColour(widget), QColor(200, 0, 0));

  sheet.first.textColour.reset();
  EXPECT_EQ(DrawnColour(label), QApplication::palette(label).color(QPalette::WindowText));
  EXPECT_EQ(DrawnColour(edit), QApplication::palette(edit).color(QPalette::Text));

  const std::map<int, unsigned> kinds{
      {kCaption, CTLCOLOR_STATIC}, {kAmount, CTLCOLOR_EDIT}, {kReadOnly, CTLCOLOR_STATIC}};
  EXPECT_EQ(sheet.first.colourKinds, kinds);
}

}  // namespace
}  // namespace varnolix
