// Internal to the platform layer: the link between a CWnd and the widget it handles.
#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>

namespace varnolix {

class CWnd;

namespace detail {

// Watches one widget for its CWnd: typed characters go to the CWnd's table first,
// colours are asked for before each paint, and the CWnd learns when the widget goes.
class WindowHook : public QObject {
 public:
  WindowHook(CWnd& owner, QWidget* widget);
  ~WindowHook() override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  bool FilterTypedCharacters(QEvent* event);
  bool OfferCharacter(unsigned character);

  CWnd& m_owner;
  QPointer<QWidget> m_widget;
};

// Asks the control's parent (and nobody else) which text colour it draws with.
void ApplyControlColours(CWnd& control);

}  // namespace detail
}  // namespace varnolix
