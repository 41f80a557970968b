// How the program looks: no label of its templates is cut off or broken over lines where
// it should read as one, whatever the size of the font.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFontMetrics>
#include <QLabel>
#include <memory>

#include "platform/dialog.h"
#include "resources/dialog_templates.h"

namespace varnolix {
namespace {

// Builds a template into a window of its own, as pages and dialogs are built.
class TemplateWindow : public CDialog {
 public:
  using CDialog::CDialog;
  void Build(QWidget* window) { CreateFromTemplate(window); }
  using CWnd::ChildWidgets;
};

TEST(Layout, EveryLabelShowsAllItsTextAtTwoFontSizes) {
  const QFont standard = QApplication::font();
  for (int pointSize : {0, 14}) {  // 0: the standard font
    QFont font = standard;
    if (pointSize > 0) font.setPointSize(pointSize);
    QApplication::setFont(font);
    for (const DialogTemplate* dialog : {&resources::kIncomeDialog, &resources::kStandardDeductionDialog,
                                         &resources::kSection80Dialog, &resources::kSection88Dialog,
                                         &resources::kTaxResultsDialog, &resources::kAboutDialog}) {
      auto window = std::make_unique<QWidget>();
      TemplateWindow built(*dialog);
      built.Build(window.get());
      const std::vector<QWidget*> widgets = built.ChildWidgets();
      ASSERT_EQ(widgets.size(), dialog->controls.size());
      int checked = 0;
      for (size_t i = 0; i < widgets.size(); ++i) {
        const ControlTemplate& control = dialog->controls[i];
        if (control.kind != ControlKind::Label) continue;
        auto* label = qobject_cast<QLabel*>(widgets[i]);
        ASSERT_NE(label, nullptr);
        SCOPED_TRACE(std::string(dialog->title) + ", " + std::to_string(pointSize) + " points: " +
                     label->text().toStdString());
        const QRect box = label->geometry();
        EXPECT_TRUE(window->rect().contains(box)) << "the label reaches out of its window";
        for (size_t j = 0; j < widgets.size(); ++j) {
          if (control.buddy != 0 && dialog->controls[j].id == control.buddy) {
            EXPECT_FALSE(box.intersects(widgets[j]->geometry())) << "the label covers its field";
          }
        }
        // The templates give a one-line label less than two lines of the font they were drawn for.
        if (control.height < 16 && !label->text().contains(u'\n')) {
          EXPECT_FALSE(label->wordWrap()) << "a one-line label may break";
          EXPECT_LE(QFontMetrics(label->font()).horizontalAdvance(label->text()), label->contentsRect().width());
          EXPECT_GE(label->contentsRect().height(), QFontMetrics(label->font()).height());
        } else {
          EXPECT_LE(label->heightForWidth(box.width()), box.height()) << "the text needs more lines than it has";
        }
        ++checked;
      }
      EXPECT_GT(checked, 0);
    }
  }
  QApplication::setFont(standard);
}

}  // namespace
}  // namespace varnolix
