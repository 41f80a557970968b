// Opening one row of a long payroll file, as the program does it, timed step by step: the
// rows listed, the picker shown with them and painted, the list narrowed by a number typed
// into it, and the last row read again from the file.
//
//   open_rows FILE      prints "list_ms shown_ms narrowed_ms read_ms rows"
#include <fcntl.h>
#include <unistd.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QLineEdit>
#include <QListView>
#include <QTimer>
#include <cstdio>
#include <string>

#include "payroll/payroll_file.h"
#include "platform/list_choice.h"

namespace {

// Notes the first paint of the picker's list after each mark, and types into its find
// field once the list has first been painted.
class PaintWatch : public QObject {
 public:
  explicit PaintWatch(QElapsedTimer& clock) : m_clock(clock) {}
  double shownMs = -1;
  double narrowedMs = -1;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::Paint) return false;
    auto* viewport = qobject_cast<QWidget*>(watched);
    auto* list = viewport != nullptr ? qobject_cast<QListView*>(viewport->parentWidget()) : nullptr;
    if (list == nullptr) return false;
    if (shownMs < 0) {
      shownMs = static_cast<double>(m_clock.nsecsElapsed()) / 1e6;
      QTimer::singleShot(0, list, [this, list] {
        m_clock.restart();
        list->window()->findChild<QLineEdit*>()->setText(QStringLiteral("E15000"));
      });
    } else if (narrowedMs < 0) {
      narrowedMs = static_cast<double>(m_clock.nsecsElapsed()) / 1e6;
      QTimer::singleShot(0, list->window(), [list] { list->window()->close(); });
    }
    return false;
  }

 private:
  QElapsedTimer& m_clock;
};

double MsSince(const QElapsedTimer& clock) { return static_cast<double>(clock.nsecsElapsed()) / 1e6; }

}  // namespace

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: open_rows FILE\n");
    return 2;
  }
  const std::string path = argv[1];
  QElapsedTimer clock;

  clock.start();
  const int listed_fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  varnolix::payroll::FdSource listedSource(listed_fd);
  const varnolix::payroll::PayrollRows listed = varnolix::payroll::ListRows(listedSource, path);
  ::close(listed_fd);
  const double listMs = MsSince(clock);
  if (!listed.problem.empty()) {
    std::fprintf(stderr, "%s\n", listed.problem.c_str());
    return 1;
  }

  PaintWatch watch(clock);
  application.installEventFilter(&watch);
  clock.restart();
  varnolix::ListChoosers::Production().Choose({
      .caption = "Open",
      .prompt = "Open the row of:",
      .count = listed.rows.size(),
      .item = [&listed](std::size_t i) {
        return "Line " + std::to_string(listed.rows[i].line) + ": " + listed.rows[i].name;
      },
  });
  application.removeEventFilter(&watch);

  clock.restart();
  const int read_fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  varnolix::payroll::FdSource readSource(read_fd);
  std::string problem;
  varnolix::payroll::ReadPickedRow(readSource, path, listed.rows.back().line, problem);
  ::close(read_fd);
  const double readMs = MsSince(clock);

  std::printf("%.1f %.1f %.1f %.1f %zu\n", listMs, watch.shownMs, watch.narrowedMs, readMs, listed.rows.size());
  return problem.empty() ? 0 : 1;
}
