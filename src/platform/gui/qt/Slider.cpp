// The slider keeps a position value apart from its thumb: the program may
// store a value outside the range, while the thumb always stands inside it.
#include <QSlider>
#include <algorithm>

#include "platform/gui/Gui.h"
#include "platform/gui/qt/ControlWidgets.h"
#include "platform/gui/qt/Cores.h"

namespace gui {
namespace qt {
namespace {

constexpr int kLargest = 32767;

int Stored(int value) {
  return std::clamp(value, 0, kLargest);
}

class SliderWidget : public QSlider, public ControlWidget {
 public:
  explicit SliderWidget(QWidget* parent) : QSlider(Qt::Horizontal, parent) {
    setTickPosition(QSlider::NoTicks);
    SetLimits(0, 100);
    QObject::connect(this, &QSlider::valueChanged, this, [this](int thumb) {
      if (programMoves_ > 0) return;
      position_ = thumb;
      Raise(core, &ControlCore::onEvent);
    });
  }

  void SetLimits(int minimum, int maximum) {
    minimum_ = minimum;
    maximum_ = maximum;
    ++programMoves_;
    setRange(minimum_, std::max(minimum_, maximum_));
    --programMoves_;
  }

  void SetPositionValue(int value) {
    position_ = Stored(value);
    ++programMoves_;
    setValue(std::clamp(position_, minimum(), maximum()));
    --programMoves_;
  }

  int minimum_ = 0;
  int maximum_ = 0;
  int position_ = 0;

 private:
  int programMoves_ = 0;
};

}  // namespace

QWidget* NewSliderWidget(QWidget* parent) {
  return new SliderWidget(parent);
}

}  // namespace qt

using qt::SliderWidget;
using qt::WithWidget;

void Slider::SetRange(int minimum, int maximum) {
  WithWidget<SliderWidget>(core_, [&](SliderWidget& s) { s.SetLimits(minimum, maximum); });
}

void Slider::SetMaximum(int maximum) {
  WithWidget<SliderWidget>(core_,
                           [&](SliderWidget& s) { s.SetLimits(s.minimum_, qt::Stored(maximum)); });
}

int Slider::Minimum() const {
  return WithWidget<SliderWidget>(core_, 0, [](SliderWidget& s) { return s.minimum_; });
}

int Slider::Maximum() const {
  return WithWidget<SliderWidget>(core_, 0, [](SliderWidget& s) { return s.maximum_; });
}

void Slider::SetSteps(int pageStep, int lineStep) {
  WithWidget<SliderWidget>(core_, [&](SliderWidget& s) {
    s.setPageStep(pageStep);
    s.setSingleStep(lineStep);
  });
}

int Slider::PageStep() const {
  return WithWidget<SliderWidget>(core_, 0, [](SliderWidget& s) { return s.pageStep(); });
}

int Slider::LineStep() const {
  return WithWidget<SliderWidget>(core_, 0, [](SliderWidget& s) { return s.singleStep(); });
}

void Slider::SetPosition(int value) {
  WithWidget<SliderWidget>(core_, [&](SliderWidget& s) { s.SetPositionValue(value); });
}

int Slider::Position() const {
  return WithWidget<SliderWidget>(core_, 0, [](SliderWidget& s) { return s.position_; });
}

int Slider::ThumbPosition() const {
  return WithWidget<SliderWidget>(core_, 0, [](SliderWidget& s) { return s.value(); });
}

void Slider::OnPositionChanged(std::function<void()> handler) {
  qt::SetHandler(core_, &detail::ControlCore::onEvent, std::move(handler));
}

// The thumb goes where the user can put it: inside the range.
void Slider::UserMoveThumb(int value) {
  WithWidget<SliderWidget>(
      core_, [&](SliderWidget& s) { s.setValue(std::clamp(value, s.minimum(), s.maximum())); });
}

}  // namespace gui
