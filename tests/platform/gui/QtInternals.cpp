#include <QWidget>

#include "ToolkitInternals.h"
#include "platform/gui/qt/Cores.h"

namespace gui::test {

bool IsOnScreen(const Window& window) {
  return window.Core() && window.Core()->widget && window.Core()->widget->isVisible();
}

}  // namespace gui::test
