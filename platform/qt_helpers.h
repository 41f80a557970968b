// Internal to the platform layer: small pieces of glue to Qt that several files need.
#pragma once

#include <QDialog>
#include <QString>
#include <functional>
#include <string_view>

namespace varnolix::detail {

inline QString ToQString(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// A top-level window whose Esc key and close box go where the owner says (its Cancel
// handling) instead of closing it at once.
class RoutedDialog : public QDialog {
 public:
  RoutedDialog(QWidget* owner, std::function<void()> cancel) : QDialog(owner), m_cancel(std::move(cancel)) {}
  void reject() override { m_cancel(); }

 private:
  std::function<void()> m_cancel;
};

}  // namespace varnolix::detail
