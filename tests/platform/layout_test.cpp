// Templates measured in dialog units grow with the font, and no label of the
// program's templates is cut off or broken over lines where it should read as one.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFontMetrics>
#include <QLabel>
#include <memory>
#include <tuple>

#include "platform/dialog.h"
#include "platform/dialog_units.h"
#include "resources/dialog_templates.h"

namespace varnolix {
namespace {

const QString kAlphabet = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");

// The application font at `pointSize` for the lifetime of the object.
class ScopedApplicationFont {
 public:
  explicit ScopedApplicationFont(int pointSize) : m_previous(QApplication::font()) {
    QFont font = m_previous;
    if (pointSize > 0) font.setPointSize(pointSize);
    QApplication::setFont(font);
  }
  ~ScopedApplicationFont() { QApplication::setFont(m_previous); }

 private:
  QFont m_previous;
};

class DialogUnitsTest : public ::testing::TestWithParam<int> {};

// A horizontal unit is a quarter of the average character, a vertical one an eighth
// of the line.
TEST_P(DialogUnitsTest, FollowTheFontsCharacterSize) {
  QFont font = QApplication::font();
  font.setPointSize(GetParam());
  const DialogUnits units(font);
  const QFontMetrics metrics(font);
  EXPECT_NEAR(units.X(4), metrics.horizontalAdvance(kAlphabet) / 52.0, 0.5);
  EXPECT_EQ(units.Y(8), metrics.height());

  QFont larger = font;
  larger.setPointSize(2 * GetParam());
  const DialogUnits largerUnits(larger);
  EXPECT_GT(largerUnits.X(250), units.X(250) * 3 / 2);
  EXPECT_GT(largerUnits.Y(141), units.Y(141) * 3 / 2);
}

INSTANTIATE_TEST_SUITE_P(PointSizes, DialogUnitsTest, ::testing::Values(7, 9, 14, 24));

// Builds a template into a window of its own, as pages and dialogs are built.
class TemplateWindow : public CDialog {
 public:
  using CDialog::CDialog;
  void Build(QWidget* window) { CreateFromTemplate(window); }
  using CWnd::ChildWidgets;
};

struct TemplateCase {
  const char* name;
  const DialogTemplate* dialog;
};
void PrintTo(const TemplateCase& c, std::ostream* os) { *os << c.name; }

class LabelFitTest : public ::testing::TestWithParam<std::tuple<TemplateCase, int>> {};

TEST_P(LabelFitTest, EveryLabelShowsAllItsText) {
  const auto& [c, pointSize] = GetParam();
  const ScopedApplicationFont font(pointSize);
  auto window = std::make_unique<QWidget>();
  TemplateWindow dialog(*c.dialog);
  dialog.Build(window.get());
  const std::vector<QWidget*> widgets = dialog.ChildWidgets();
  ASSERT_EQ(widgets.size(), c.dialog->controls.size());

  int checked = 0;
  for (size_t i = 0; i < widgets.size(); ++i) {
    const ControlTemplate& control = c.dialog->controls[i];
    if (control.kind != ControlKind::Label) continue;
    auto* label = qobject_cast<QLabel*>(widgets[i]);
    ASSERT_NE(label, nullptr);
    SCOPED_TRACE(label->text().toStdString());
    const QRect box = label->geometry();
    EXPECT_TRUE(window->rect().contains(box)) << "the label reaches out of its window";
    const int lineHeight = QFontMetrics(label->font()).height();
    // The templates give a one-line label less than two lines of the font they were drawn for.
    const bool oneLine = control.height < 16 && !label->text().contains(u'\n');
    for (size_t j = 0; j < widgets.size(); ++j) {
      if (control.buddy != 0 && c.dialog->controls[j].id == control.buddy) {
        EXPECT_FALSE(box.intersects(widgets[j]->geometry())) << "the label covers its field";
      }
    }
    if (oneLine) {
      EXPECT_FALSE(label->wordWrap()) << "a one-line label may break";
      EXPECT_LE(QFontMetrics(label->font()).horizontalAdvance(label->text()), label->contentsRect().width());
      EXPECT_GE(label->contentsRect().height(), lineHeight);
    } else {
      EXPECT_LE(label->heightForWidth(box.width()), box.height()) << "the text needs more lines than it has";
    }
    ++checked;
  }
  EXPECT_GT(checked, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Templates, LabelFitTest,
    ::testing::Combine(::testing::Values(TemplateCase{"Income", &resources::kIncomeDialog},
                                         TemplateCase{"StandardDeduction", &resources::kStandardDeductionDialog},
                                         TemplateCase{"Section80", &resources::kSection80Dialog},
                                         TemplateCase{"Section88", &resources::kSection88Dialog},
                                         TemplateCase{"TaxResults", &resources::kTaxResultsDialog},
                                         TemplateCase{"About", &resources::kAboutDialog}),
                       ::testing::Values(0, 14)),
    [](const ::testing::TestParamInfo<std::tuple<TemplateCase, int>>& param) {
      const int pointSize = std::get<1>(param.param);
      return std::string(std::get<0>(param.param).name) +
             (pointSize == 0 ? std::string("DefaultFont") : std::to_string(pointSize) + "pt");
    });

}  // namespace
}  // namespace varnolix
