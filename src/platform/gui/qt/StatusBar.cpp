// The status bar: a row of sunken parts of given widths; -1 takes the rest.
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <vector>

#include "platform/gui/Gui.h"
#include "platform/gui/qt/ControlWidgets.h"
#include "platform/gui/qt/Cores.h"
#include "platform/gui/qt/Gbk.h"

namespace gui {
namespace qt {
namespace {

class StatusBarWidget : public QFrame, public ControlWidget {
 public:
  explicit StatusBarWidget(QWidget* parent) : QFrame(parent), layout_(new QHBoxLayout(this)) {
    layout_->setContentsMargins(2, 1, 2, 1);
    layout_->setSpacing(2);
    SetParts({-1});
  }

  void SetParts(const std::vector<int>& widths) {
    std::vector<Text> texts = texts_;
    texts.resize(widths.size());
    while (QLayoutItem* item = layout_->takeAt(0)) {
      delete item->widget();
      delete item;
    }
    parts_.clear();
    bool stretches = false;
    for (int width : widths) {
      auto* label = new QLabel(this);
      label->setTextFormat(Qt::PlainText);
      label->setFrameShape(QFrame::Panel);
      label->setFrameShadow(QFrame::Sunken);
      label->setContentsMargins(2, 0, 2, 0);
      if (width >= 0) {
        label->setFixedWidth(width);
        layout_->addWidget(label);
      } else {
        label->setMinimumWidth(0);
        layout_->addWidget(label, 1);
        stretches = true;
      }
      parts_.push_back(label);
    }
    // Without a part that takes the rest, the parts stay at their widths.
    if (!stretches) layout_->addStretch(1);
    texts_.assign(parts_.size(), Text());
    for (size_t i = 0; i < parts_.size(); ++i) SetPart(static_cast<int>(i), texts[i]);
  }

  int Count() const { return static_cast<int>(parts_.size()); }

  void SetPart(int part, const Text& text) {
    if (part < 0 || part >= Count()) return;
    texts_[part] = text;
    parts_[part]->setText(ToQString(text));
  }

  Text Part(int part) const { return part >= 0 && part < Count() ? texts_[part] : Text(); }

  void SetTextValue(const Text& text) override { SetPart(0, text); }
  Text TextValue() const override { return Part(0); }

 private:
  QHBoxLayout* layout_;
  std::vector<QLabel*> parts_;
  std::vector<Text> texts_;
};

}  // namespace

QWidget* NewStatusBarWidget(QWidget* parent) {
  return new StatusBarWidget(parent);
}

}  // namespace qt

using qt::StatusBarWidget;
using qt::WithWidget;

void StatusBar::SetParts(const std::vector<int>& widths) {
  WithWidget<StatusBarWidget>(core_, [&](StatusBarWidget& s) { s.SetParts(widths); });
}

int StatusBar::PartCount() const {
  return WithWidget<StatusBarWidget>(core_, 0, [](StatusBarWidget& s) { return s.Count(); });
}

void StatusBar::SetPartText(int part, const Text& text) {
  WithWidget<StatusBarWidget>(core_, [&](StatusBarWidget& s) { s.SetPart(part, text); });
}

Text StatusBar::PartText(int part) const {
  return WithWidget<StatusBarWidget>(core_, Text(),
                                     [&](StatusBarWidget& s) { return s.Part(part); });
}

}  // namespace gui
