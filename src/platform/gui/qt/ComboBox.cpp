// The combo box: a drop-down list; only a user's choice raises its event.
#include <QComboBox>

#include "platform/gui/Gui.h"
#include "platform/gui/qt/ControlWidgets.h"
#include "platform/gui/qt/Cores.h"
#include "platform/gui/qt/Gbk.h"

namespace gui {
namespace qt {
namespace {

class ComboBoxWidget : public QComboBox, public ControlWidget {
 public:
  explicit ComboBoxWidget(QWidget* parent) : QComboBox(parent) {
    // activated comes from the user only, also for the item already shown.
    QObject::connect(this, &QComboBox::activated, this,
                     [this] { Raise(core, &ControlCore::onEvent); });
  }
  Text TextValue() const override { return ToText(currentText()); }
};

}  // namespace

QWidget* NewComboBoxWidget(QWidget* parent) {
  return new ComboBoxWidget(parent);
}

}  // namespace qt

using qt::ComboBoxWidget;
using qt::WithWidget;

void ComboBox::Clear() {
  WithWidget<ComboBoxWidget>(core_, [](ComboBoxWidget& c) { c.clear(); });
}

void ComboBox::AddItem(const Text& text) {
  WithWidget<ComboBoxWidget>(core_, [&](ComboBoxWidget& c) {
    // Adding the first item selects nothing, as on Windows.
    const int selected = c.currentIndex();
    c.addItem(qt::ToQString(text));
    if (selected < 0) c.setCurrentIndex(-1);
  });
}

int ComboBox::ItemCount() const {
  return WithWidget<ComboBoxWidget>(core_, 0, [](ComboBoxWidget& c) { return c.count(); });
}

Text ComboBox::ItemText(int index) const {
  return WithWidget<ComboBoxWidget>(core_, Text(), [&](ComboBoxWidget& c) {
    return index >= 0 && index < c.count() ? qt::ToText(c.itemText(index)) : Text();
  });
}

// An index outside the items selects nothing.
void ComboBox::Select(int index) {
  WithWidget<ComboBoxWidget>(core_, [&](ComboBoxWidget& c) {
    c.setCurrentIndex(index >= 0 && index < c.count() ? index : -1);
  });
}

int ComboBox::SelectedIndex() const {
  return WithWidget<ComboBoxWidget>(core_, -1, [](ComboBoxWidget& c) { return c.currentIndex(); });
}

void ComboBox::OnItemSelected(std::function<void()> handler) {
  qt::SetHandler(core_, &detail::ControlCore::onEvent, std::move(handler));
}

void ComboBox::UserSelect(int index) {
  WithWidget<ComboBoxWidget>(core_, [&](ComboBoxWidget& c) {
    if (index < 0 || index >= c.count()) return;
    c.setCurrentIndex(index);
    emit c.activated(index);
  });
}

}  // namespace gui
