// Modal windows in tests: a modal run blocks the test until the window closes, so a
// test arranges beforehand who closes it. A watchdog closes, and fails the test for,
// any modal window that nobody arranged for, so that no test ever hangs.
#pragma once

#include <QPointer>
#include <QString>
#include <QTimer>
#include <QWidget>
#include <atomic>
#include <chrono>
#include <functional>
#include <string>
#include <thread>

namespace varnolix::test {

// Runs for the whole test program once started.
class ModalWatchdog {
 public:
  ModalWatchdog();

 private:
  QTimer m_timer;
};

// A watchdog on a thread of its own, for what would block the window's thread itself (a
// read of a named pipe), which no timer of that thread can then see: if the window's
// thread is still blocked when `limit` has passed, it fails the test and unblocks it.
class BlockedWatchdog {
 public:
  BlockedWatchdog(std::chrono::milliseconds limit, std::function<void()> unblock);
  ~BlockedWatchdog();  // the window's thread went on in time: nothing to do
  BlockedWatchdog(const BlockedWatchdog&) = delete;
  BlockedWatchdog& operator=(const BlockedWatchdog&) = delete;

  // Opens the other end of the named pipe `fifo` and closes it, which ends a read of it.
  static std::function<void()> OpenOtherEnd(std::string fifo);

 private:
  std::atomic<bool> m_done{false};
  std::thread m_thread;
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
