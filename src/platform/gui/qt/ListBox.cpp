// The list box: lines of text, inserted at an index.
#include <QListWidget>

#include "platform/gui/Gui.h"
#include "platform/gui/qt/ControlWidgets.h"
#include "platform/gui/qt/Cores.h"
#include "platform/gui/qt/Gbk.h"

namespace gui {
namespace qt {
namespace {

class ListBoxWidget : public QListWidget, public ControlWidget {
 public:
  explicit ListBoxWidget(QWidget* parent) : QListWidget(parent) {
    setUniformItemSizes(true);  // long logs stay fast
    QObject::connect(this, &QListWidget::itemDoubleClicked, this,
                     [this] { Raise(core, &ControlCore::onEvent); });
  }
};

}  // namespace

QWidget* NewListBoxWidget(QWidget* parent) {
  return new ListBoxWidget(parent);
}

}  // namespace qt

using qt::ListBoxWidget;
using qt::WithWidget;

// An index outside 0..count appends the line.
void ListBox::InsertItem(int index, const Text& text) {
  WithWidget<ListBoxWidget>(core_, [&](ListBoxWidget& l) {
    if (index < 0 || index > l.count()) index = l.count();
    l.insertItem(index, qt::ToQString(text));
  });
}

void ListBox::Clear() {
  WithWidget<ListBoxWidget>(core_, [](ListBoxWidget& l) { l.clear(); });
}

int ListBox::ItemCount() const {
  return WithWidget<ListBoxWidget>(core_, 0, [](ListBoxWidget& l) { return l.count(); });
}

Text ListBox::ItemText(int index) const {
  return WithWidget<ListBoxWidget>(core_, Text(), [&](ListBoxWidget& l) {
    QListWidgetItem* item = index >= 0 ? l.item(index) : nullptr;
    return item ? qt::ToText(item->text()) : Text();
  });
}

void ListBox::OnDoubleClick(std::function<void()> handler) {
  qt::SetHandler(core_, &detail::ControlCore::onEvent, std::move(handler));
}

void ListBox::UserDoubleClick(int index) {
  WithWidget<ListBoxWidget>(core_, [&](ListBoxWidget& l) {
    QListWidgetItem* item = index >= 0 ? l.item(index) : nullptr;
    if (!item) return;
    l.setCurrentItem(item);
    emit l.itemDoubleClicked(item);
  });
}

}  // namespace gui
