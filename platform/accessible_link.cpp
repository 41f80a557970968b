#include "platform/accessible_link.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>

namespace varnolix::detail {
namespace {

constexpr const char* kLinkProperty = "varnolix-link";

class AccessibleLink : public QAccessibleWidget {
 public:
  explicit AccessibleLink(QWidget* widget) : QAccessibleWidget(widget, QAccessible::Link) {}

  QString text(QAccessible::Text kind) const override {
    if (kind == QAccessible::Name && widget()->accessibleName().isEmpty()) {
      if (const auto* label = qobject_cast<const QLabel*>(widget())) return label->text();
    }
    return QAccessibleWidget::text(kind);
  }
  QStringList actionNames() const override { return {pressAction()}; }
  QStringList keyBindingsForAction(const QString& action) const override {
    return action == pressAction() ? QStringList{QStringLiteral("Space")} : QStringList{};
  }
  void doAction(const QString& action) override {
    if (action != pressAction()) return;
    for (QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
      QKeyEvent key(type, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "));
      QApplication::sendEvent(widget(), &key);
    }
  }
};

QAccessibleInterface* LinkFactory(const QString& /*className*/, QObject* object) {
  auto* widget = qobject_cast<QWidget*>(object);
  if (widget == nullptr || !widget->property(kLinkProperty).toBool()) return nullptr;
  return new AccessibleLink(widget);
}

}  // namespace

void PresentAsLink(QWidget* widget) {
  static const bool installed = [] {
    QAccessible::installFactory(LinkFactory);
    return true;
  }();
  (void)installed;
  widget->setProperty(kLinkProperty, true);
  // A label is met as a label as soon as it has text; that answer is forgotten now.
  QAccessibleInterface* known = QAccessible::queryAccessibleInterface(widget);
  if (known != nullptr && known->role() != QAccessible::Link) {
    QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(known));
  }
}

}  // namespace varnolix::detail
