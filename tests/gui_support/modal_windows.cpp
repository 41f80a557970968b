#include "tests/gui_support/modal_windows.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QPushButton>
#include <QTest>
#include <fcntl.h>
#include <unistd.h>

namespace varnolix::test {
namespace {

// How many modal windows tests have arranged for and not yet seen.
int expectedCount = 0;

}  // namespace

ModalWatchdog::ModalWatchdog() {
  QObject::connect(&m_timer, &QTimer::timeout, [] {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr || expectedCount > 0) return;
    ADD_FAILURE() << "an unexpected modal window appeared: \"" << modal->windowTitle().toStdString() << "\"";
    // Straight to the base: whatever the window's own closing does, the test goes on.
    if (auto* dialog = qobject_cast<QDialog*>(modal)) {
      dialog->QDialog::done(QDialog::Rejected);
    } else {
      modal->close();
    }
  });
  m_timer.start(50);
}

BlockedWatchdog::BlockedWatchdog(std::chrono::milliseconds limit, std::function<void()> unblock)
    : m_thread([this, limit, unblock = std::move(unblock)] {
        const auto deadline = std::chrono::steady_clock::now() + limit;
        while (!m_done && std::chrono::steady_clock::now() < deadline) {
          std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        if (m_done) return;
        ADD_FAILURE() << "the window's thread was blocked for " << limit.count() << " ms";
        unblock();
      }) {}

BlockedWatchdog::~BlockedWatchdog() {
  m_done = true;
  m_thread.join();
}

std::function<void()> BlockedWatchdog::OpenOtherEnd(std::string fifo) {
  return [fifo = std::move(fifo)] {
    const int fd = ::open(fifo.c_str(), O_WRONLY | O_NONBLOCK);  // fails when nobody reads: nothing is blocked
    if (fd >= 0) ::close(fd);
  };
}

ExpectedModal::ExpectedModal(CloseBy how, std::function<void(QWidget*)> use) : m_how(how), m_use(std::move(use)) {
  ++expectedCount;
  QObject::connect(&m_timer, &QTimer::timeout, [this] { Poll(); });
  m_timer.start(10);
}

ExpectedModal::~ExpectedModal() {
  if (m_counted) --expectedCount;
}

void ExpectedModal::Poll() {
  QWidget* modal = QApplication::activeModalWidget();
  if (modal == nullptr) return;
  m_timer.stop();
  QWidget* focus = modal->focusWidget();
  auto* focusedButton = qobject_cast<QAbstractButton*>(focus);
  m_seen = {true, modal->windowTitle(), focusedButton != nullptr ? focusedButton->text() : QString(), modal};
  if (m_use) {
    // A window not yet on the screen paints nothing; a person sees it before using it.
    EXPECT_TRUE(QTest::qWaitForWindowExposed(modal)) << "the modal window never showed";
    m_use(modal);
    focus = modal->focusWidget();
  }
  // From here on a window that stays open is the watchdog's.
  --expectedCount;
  m_counted = false;
  if (m_how != CloseBy::OkButton) {
    QTest::keyClick(focus != nullptr ? focus : modal, m_how == CloseBy::EnterKey ? Qt::Key_Return : Qt::Key_Escape);
    return;
  }
  for (QPushButton* button : modal->findChildren<QPushButton*>()) {
    if (button->text() == QStringLiteral("OK") && button->isVisible()) return QTest::mouseClick(button, Qt::LeftButton);
  }
  ADD_FAILURE() << "the modal window has no visible OK button";
}

}  // namespace varnolix::test
