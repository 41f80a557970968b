// Modal windows in tests: a modal run blocks the test until the window closes, so a
// test arranges beforehand who closes it. A watchdog closes, and fails the test for,
// any modal window that nobody arranged for, so that no test ever hangs.
#pragma once

#include <QPointer>
#include <QString>
#include <QTimer>
#include <QWidget>
#include <functional>

namespace varnolix::test {

// Runs for the whole test program once started.
class ModalWatchdog {
 public:
  ModalWatchdog();

 private:
  QTimer m_timer;
};

enum class CloseBy { OkButton, EnterKey, EscapeKey };

// What the person saw when the modal window appeared.
struct SeenModal {
  bool appeared = false;
  QString title;
  QString focusedButton;  // the text of the button that had the focus, if a button had it
  QPointer<QWidget> window;
};

// Arranges for the next modal window to be looked at, used and closed as a person
// would: create one before the click or key that opens the window. `use` runs while
// the window is open, before it is closed.
class ExpectedModal {
 public:
  explicit ExpectedModal(CloseBy how, std::function<void(QWidget* window)> use = {});
  ~ExpectedModal();
  ExpectedModal(const ExpectedModal&) = delete;
  ExpectedModal& operator=(const ExpectedModal&) = delete;

  const SeenModal& seen() const { return m_seen; }

 private:
  void Poll();
  CloseBy m_how;
  std::function<void(QWidget*)> m_use;
  SeenModal m_seen;
  QTimer m_timer;
  bool m_counted = true;
};

}  // namespace varnolix::test
