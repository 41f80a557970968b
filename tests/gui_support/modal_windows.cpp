#include "tests/gui_support/modal_windows.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QPushButton>
#include <QTest>

namespace varnolix::test {
namespace {

// How many modal windows tests have arranged for and not yet closed.
int& ExpectedCount() {
  static int count = 0;
  return count;
}

constexpr int kWatchdogIntervalMs = 50;
constexpr int kPollIntervalMs = 10;

}  // namespace

ModalWatchdog::ModalWatchdog() {
  m_timer.setInterval(kWatchdogIntervalMs);
  QObject::connect(&m_timer, &QTimer::timeout, [this] { Check(); });
  m_timer.start();
}

void ModalWatchdog::Check() {
  QWidget* modal = QApplication::activeModalWidget();
  if (modal == nullptr || ExpectedCount() > 0) return;
  ADD_FAILURE() << "an unexpected modal window appeared: \"" << modal->windowTitle().toStdString() << "\"";
  // Straight to the base: whatever the window's own closing does, the test goes on.
  if (auto* dialog = qobject_cast<QDialog*>(modal)) {
    dialog->QDialog::done(QDialog::Rejected);
  } else {
    modal->close();
  }
}

ExpectedModal::ExpectedModal(CloseBy how) : m_how(how) {
  ++ExpectedCount();
  m_timer.setInterval(kPollIntervalMs);
  QObject::connect(&m_timer, &QTimer::timeout, [this] { Poll(); });
  m_timer.start();
}

ExpectedModal::~ExpectedModal() {
  if (m_counted) --ExpectedCount();
}

void ExpectedModal::Poll() {
  QWidget* modal = QApplication::activeModalWidget();
  if (modal == nullptr) return;
  m_timer.stop();
  m_seen.appeared = true;
  m_seen.title = modal->windowTitle();
  m_seen.window = modal;
  QWidget* focus = modal->focusWidget();
  if (auto* button = qobject_cast<QAbstractButton*>(focus)) m_seen.focusedButton = button->text();
  // From here on a window that stays open is the watchdog's.
  --ExpectedCount();
  m_counted = false;
  switch (m_how) {
    case CloseBy::OkButton: {
      QPushButton* ok = nullptr;
      for (QPushButton* button : modal->findChildren<QPushButton*>()) {
        if (button->text() == QStringLiteral("OK") && button->isVisible()) ok = button;
      }
      if (ok == nullptr) {
        ADD_FAILURE() << "the modal window has no visible OK button";
        return;
      }
      QTest::mouseClick(ok, Qt::LeftButton);
      break;
    }
    case CloseBy::EnterKey:
      QTest::keyClick(focus != nullptr ? focus : modal, Qt::Key_Return);
      break;
    case CloseBy::EscapeKey:
      QTest::keyClick(focus != nullptr ? focus : modal, Qt::Key_Escape);
      break;
  }
}

}  // namespace varnolix::test
