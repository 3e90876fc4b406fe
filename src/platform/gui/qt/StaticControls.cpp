// Controls that only show something: the transparent label, the picture box
// and the shape (a flat rule).
#include <QFrame>
#include <QLabel>
#include <algorithm>

#include "platform/gui/Gui.h"
#include "platform/gui/qt/ControlWidgets.h"
#include "platform/gui/qt/Cores.h"
#include "platform/gui/qt/Gbk.h"
#include "platform/gui/qt/Pictures.h"

namespace gui {
namespace qt {
namespace {

// Transparent: the window shows through. The label grows to fit one line of
// its text, so that a font wider than the one the table was made with never
// cuts a caption off.
class LabelWidget : public QLabel, public ControlWidget {
 public:
  explicit LabelWidget(QWidget* parent) : QLabel(parent) {
    setTextFormat(Qt::PlainText);
    setAutoFillBackground(false);
    setAttribute(Qt::WA_TranslucentBackground);
    setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  }
  void SetTextValue(const Text& text) override {
    setText(ToQString(text));
    Fit();
  }
  Text TextValue() const override { return ToText(text()); }
  void Placed(QSize tableSize) override {
    tableSize_ = tableSize;
    Fit();
  }

 private:
  void Fit() {
    const QSize needed = fontMetrics().size(Qt::TextSingleLine, text());
    resize(std::max(tableSize_.width(), needed.width() + 2),
           std::max(tableSize_.height(), needed.height()));
  }

  QSize tableSize_;
};

class PictureBoxWidget : public QLabel, public ControlWidget {
 public:
  explicit PictureBoxWidget(QWidget* parent) : QLabel(parent) { setAlignment(Qt::AlignCenter); }
  void SetTextValue(const Text& name) override { SetPicture(name); }
  Text TextValue() const override { return name_; }

  void SetPicture(const Text& name) {
    icon_ = Picture(name);
    name_ = icon_.isNull() ? Text() : name;
    Draw();
  }

 protected:
  void resizeEvent(QResizeEvent* event) override {
    QLabel::resizeEvent(event);
    Draw();
  }

 private:
  // The largest square that fits, taken from the closest size of the icon.
  void Draw() {
    if (icon_.isNull()) {
      clear();
      return;
    }
    const int side = std::min(width(), height());
    setPixmap(icon_.pixmap(QSize(side, side), devicePixelRatio()));
  }

  QIcon icon_;
  Text name_;
};

class ShapeWidget : public QFrame, public ControlWidget {
 public:
  explicit ShapeWidget(QWidget* parent) : QFrame(parent) {
    setFrameShape(QFrame::HLine);
    setFrameShadow(QFrame::Sunken);
  }
  void Placed(QSize tableSize) override {
    setFrameShape(tableSize.width() >= tableSize.height() ? QFrame::HLine : QFrame::VLine);
  }
};

}  // namespace

QWidget* NewLabelWidget(QWidget* parent) {
  return new LabelWidget(parent);
}
QWidget* NewPictureBoxWidget(QWidget* parent) {
  return new PictureBoxWidget(parent);
}
QWidget* NewShapeWidget(QWidget* parent) {
  return new ShapeWidget(parent);
}

}  // namespace qt

void PictureBox::SetPicture(const Text& resourceName) {
  qt::WithWidget<qt::PictureBoxWidget>(
      core_, [&](qt::PictureBoxWidget& p) { p.SetPicture(resourceName); });
}

Text PictureBox::Picture() const {
  return qt::WithWidget<qt::PictureBoxWidget>(
      core_, Text(), [](qt::PictureBoxWidget& p) { return p.TextValue(); });
}

}  // namespace gui
