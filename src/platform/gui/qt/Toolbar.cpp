// The toolbar: text buttons with a picture beside the caption, and
// separators, all addressed by position.
#include <QAction>
#include <QToolBar>
#include <vector>

#include "platform/gui/Gui.h"
#include "platform/gui/qt/ControlWidgets.h"
#include "platform/gui/qt/Cores.h"
#include "platform/gui/qt/Gbk.h"
#include "platform/gui/qt/Pictures.h"

namespace gui {
namespace qt {
namespace {

struct ToolbarEntry {
  QAction* action;
  Text caption;
  Text hint;
  int picture;
  bool separator;
};

class ToolbarWidget : public QToolBar, public ControlWidget {
 public:
  explicit ToolbarWidget(QWidget* parent) : QToolBar(parent) {
    setMovable(false);
    setFloatable(false);
    setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    setIconSize(QSize(24, 24));
  }

  void Add(const Text& caption, const Text& hint, int picture, bool enabled) {
    QString text = ToQString(caption);
    QAction* action = addAction(Picture("toolbar-" + std::to_string(picture)),
                                text.replace(QLatin1Char('&'), QStringLiteral("&&")));
    action->setToolTip(ToQString(hint));
    action->setEnabled(enabled);
    const int position = static_cast<int>(entries_.size());
    QObject::connect(action, &QAction::triggered, this,
                     [this, position] { Raise(core, &ControlCore::onIntEvent, position); });
    entries_.push_back({action, caption, hint, picture, false});
  }

  void AddSeparatorEntry() { entries_.push_back({addSeparator(), {}, {}, -1, true}); }

  const ToolbarEntry* Entry(int position) const {
    if (position < 0 || position >= static_cast<int>(entries_.size())) return nullptr;
    return &entries_[position];
  }
  int Count() const { return static_cast<int>(entries_.size()); }

 private:
  std::vector<ToolbarEntry> entries_;
};

}  // namespace

QWidget* NewToolbarWidget(QWidget* parent) {
  return new ToolbarWidget(parent);
}

}  // namespace qt

using qt::ToolbarWidget;
using qt::WithWidget;

void Toolbar::AddButton(const Text& caption, const Text& hint, int picture, bool enabled) {
  WithWidget<ToolbarWidget>(core_,
                            [&](ToolbarWidget& t) { t.Add(caption, hint, picture, enabled); });
}

void Toolbar::AddSeparator() {
  WithWidget<ToolbarWidget>(core_, [](ToolbarWidget& t) { t.AddSeparatorEntry(); });
}

int Toolbar::PositionCount() const {
  return WithWidget<ToolbarWidget>(core_, 0, [](ToolbarWidget& t) { return t.Count(); });
}

void Toolbar::SetButtonEnabled(int position, bool enabled) {
  WithWidget<ToolbarWidget>(core_, [&](ToolbarWidget& t) {
    if (auto* entry = t.Entry(position); entry && !entry->separator)
      entry->action->setEnabled(enabled);
  });
}

bool Toolbar::IsButtonEnabled(int position) const {
  return WithWidget<ToolbarWidget>(core_, false, [&](ToolbarWidget& t) {
    auto* entry = t.Entry(position);
    return entry && !entry->separator && entry->action->isEnabled();
  });
}

Text Toolbar::ButtonCaption(int position) const {
  return WithWidget<ToolbarWidget>(core_, Text(), [&](ToolbarWidget& t) {
    auto* entry = t.Entry(position);
    return entry ? entry->caption : Text();
  });
}

Text Toolbar::ButtonHint(int position) const {
  return WithWidget<ToolbarWidget>(core_, Text(), [&](ToolbarWidget& t) {
    auto* entry = t.Entry(position);
    return entry ? entry->hint : Text();
  });
}

int Toolbar::ButtonPicture(int position) const {
  return WithWidget<ToolbarWidget>(core_, -1, [&](ToolbarWidget& t) {
    auto* entry = t.Entry(position);
    return entry ? entry->picture : -1;
  });
}

void Toolbar::OnClicked(std::function<void(int position)> handler) {
  qt::SetHandler(core_, &detail::ControlCore::onIntEvent, std::move(handler));
}

void Toolbar::UserClick(int position) {
  WithWidget<ToolbarWidget>(core_, [&](ToolbarWidget& t) {
    auto* entry = t.Entry(position);
    if (entry && !entry->separator && entry->action->isEnabled()) entry->action->trigger();
  });
}

}  // namespace gui
