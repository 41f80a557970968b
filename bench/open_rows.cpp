// Opening one row of a long payroll file, as the program does it, timed step by step: the
// rows listed, the picker shown with them and painted, the list narrowed by a number typed
// into it, and the last row read again from the file and checked against its listing.
//
//   open_rows FILE      prints "list_ms shown_ms narrowed_ms read_ms rows"
#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QLineEdit>
#include <QListView>
#include <QTimer>
#include <cstdio>
#include <string>

#include "document/payroll_document.h"
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
  varnolix::document::PayrollDocument document;
  const std::string problem = document.Open(path);
  const double listMs = MsSince(clock);
  if (!problem.empty()) {
    std::fprintf(stderr, "%s\n", problem.c_str());
    return 1;
  }

  PaintWatch watch(clock);
  application.installEventFilter(&watch);
  clock.restart();
  varnolix::ListChoosers::Production().Choose({
      .caption = "Open",
      .prompt = "Open the row of:",
      .count = document.ListedCount(),
      .item = [&document](std::size_t i) { return document.ListedItem(i); },
      .searchText = [&document](std::size_t i) { return document.ListedSearchText(i); },
      .noMatch = "No row matches",
  });
  application.removeEventFilter(&watch);

  const std::size_t rows = document.ListedCount();
  clock.restart();
  const varnolix::document::OpenedRow opened = document.Pick(rows - 1);
  const double readMs = MsSince(clock);

  std::printf("%.1f %.1f %.1f %.1f %zu\n", listMs, watch.shownMs, watch.narrowedMs, readMs, rows);
  (void)opened;  // a row may be refused for its amounts; the time is what counts here
  return 0;
}
