// The slider keeps a position value apart from its thumb: the program may
// store a value outside the range, while the thumb always stands inside it.
#include <QCoreApplication>
#include <QKeyEvent>
#include <QSlider>
#include <algorithm>

#include "platform/gui/Gui.h"
#include "platform/gui/qt/ControlWidgets.h"
#include "platform/gui/qt/Cores.h"
#include "platform/gui/qt/KeyCodes.h"

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
    // Every scroll notification raises the event, also one that leaves the
    // thumb where it is (Home with the thumb at the minimum, a click on the
    // thumb); only the end of a scroll raises none. An action comes before
    // the value follows it, so the thumb's place is sliderPosition().
    QObject::connect(this, &QAbstractSlider::actionTriggered, this,
                     [this](int) { Scrolled(sliderPosition()); });
    QObject::connect(this, &QAbstractSlider::sliderPressed, this,
                     [this] { Scrolled(sliderPosition()); });
    QObject::connect(this, &QAbstractSlider::sliderReleased, this,
                     [this] { Scrolled(sliderPosition()); });
  }

  void Scrolled(int thumb) {
    if (programMoves_ > 0) return;
    position_ = thumb;
    Raise(core, &ControlCore::onEvent);
  }

  // A key as the user presses it: press and release.
  void Press(Qt::Key key) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QCoreApplication::sendEvent(this, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
    QCoreApplication::sendEvent(this, &release);
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

// The thumb goes where the user can put it: inside the range. A drag takes
// it there (one scroll notification) and lets it go (another one).
void Slider::UserMoveThumb(int value) {
  WithWidget<SliderWidget>(core_, [&](SliderWidget& s) {
    s.setSliderDown(true);
    s.setSliderPosition(std::clamp(value, s.minimum(), s.maximum()));
    s.setSliderDown(false);
  });
}

void Slider::UserClickThumb() {
  WithWidget<SliderWidget>(core_, [](SliderWidget& s) {
    s.setSliderDown(true);
    s.setSliderDown(false);
  });
}

void Slider::UserPressKey(int keyCode) {
  WithWidget<SliderWidget>(core_, [&](SliderWidget& s) { s.Press(qt::QtKeyOf(keyCode)); });
}

}  // namespace gui
