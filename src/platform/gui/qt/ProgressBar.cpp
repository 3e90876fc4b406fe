// The progress bar: a position out of a maximum, drawn without text.
#include <QProgressBar>
#include <algorithm>

#include "platform/gui/Gui.h"
#include "platform/gui/qt/ControlWidgets.h"
#include "platform/gui/qt/Cores.h"

namespace gui {
namespace qt {
namespace {

class ProgressBarWidget : public QProgressBar, public ControlWidget {
 public:
  explicit ProgressBarWidget(QWidget* parent) : QProgressBar(parent) {
    setTextVisible(false);
    Show();
  }

  // The position stays within 0..maximum, as on Windows. A maximum of 0 is an
  // empty bar (Qt would draw a busy bar for the range 0..0).
  void Show() {
    position_ = std::clamp(position_, 0, std::max(maximum_, 0));
    setRange(0, std::max(maximum_, 1));
    setValue(position_);
  }

  int maximum_ = 100;
  int position_ = 0;
};

}  // namespace

QWidget* NewProgressBarWidget(QWidget* parent) {
  return new ProgressBarWidget(parent);
}

}  // namespace qt

using qt::ProgressBarWidget;
using qt::WithWidget;

void ProgressBar::SetMaximum(int maximum) {
  WithWidget<ProgressBarWidget>(core_, [&](ProgressBarWidget& p) {
    p.maximum_ = std::max(maximum, 0);
    p.Show();
  });
}

int ProgressBar::Maximum() const {
  return WithWidget<ProgressBarWidget>(core_, 0, [](ProgressBarWidget& p) { return p.maximum_; });
}

void ProgressBar::SetPosition(int position) {
  WithWidget<ProgressBarWidget>(core_, [&](ProgressBarWidget& p) {
    p.position_ = position;
    p.Show();
  });
}

int ProgressBar::Position() const {
  return WithWidget<ProgressBarWidget>(core_, 0, [](ProgressBarWidget& p) { return p.position_; });
}

}  // namespace gui
