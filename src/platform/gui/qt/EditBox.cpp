// The edit box: one line of text, with text-changed and key events.
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>

#include "platform/gui/Gui.h"
#include "platform/gui/qt/ControlWidgets.h"
#include "platform/gui/qt/Cores.h"
#include "platform/gui/qt/Gbk.h"
#include "platform/gui/qt/KeyCodes.h"

namespace gui {
namespace qt {
namespace {

class EditBoxWidget : public QLineEdit, public ControlWidget {
 public:
  explicit EditBoxWidget(QWidget* parent) : QLineEdit(parent) {
    // Typing (textEdited, not textChanged: the program's own setting is
    // raised once by SetTextValue).
    QObject::connect(this, &QLineEdit::textEdited, this,
                     [this] { Raise(core, &ControlCore::onEvent); });
  }

  void SetTextValue(const Text& text) override {
    setText(ToQString(text));
    Raise(core, &ControlCore::onEvent);
  }
  Text TextValue() const override { return ToText(text()); }

  // A key as the user presses it: press and release, through the whole
  // event path (so Tab moves the focus and Enter is seen like any key).
  void Press(Qt::Key key, const QString& typed, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QKeyEvent press(QEvent::KeyPress, key, modifiers, typed);
    QCoreApplication::sendEvent(this, &press);
    QKeyEvent release(QEvent::KeyRelease, key, modifiers, typed);
    QCoreApplication::sendEvent(this, &release);
  }

 protected:
  // Seen before the box handles the key (Tab included); the key is not consumed.
  bool event(QEvent* event) override {
    if (event->type() == QEvent::KeyPress)
      Raise(core, &ControlCore::onIntEvent, KeyCodeOf(*static_cast<QKeyEvent*>(event)));
    return QLineEdit::event(event);
  }
};

// The key that types a character, as a keyboard sends it.
Qt::Key KeyTyping(char32_t ch) {
  if (ch >= 'a' && ch <= 'z') return static_cast<Qt::Key>(Qt::Key_A + (ch - 'a'));
  // Qt numbers the other printable ASCII keys by their character.
  if (ch >= ' ' && ch < 0x7F) return static_cast<Qt::Key>(ch);
  return Qt::Key_unknown;
}

}  // namespace

QWidget* NewEditBoxWidget(QWidget* parent) {
  return new EditBoxWidget(parent);
}

}  // namespace qt

using qt::EditBoxWidget;
using qt::WithWidget;

void EditBox::SelectAll() {
  WithWidget<EditBoxWidget>(core_, [](EditBoxWidget& e) { e.selectAll(); });
}

Text EditBox::SelectedText() const {
  return WithWidget<EditBoxWidget>(core_, Text(),
                                   [](EditBoxWidget& e) { return qt::ToText(e.selectedText()); });
}

void EditBox::OnTextChanged(std::function<void()> handler) {
  qt::SetHandler(core_, &detail::ControlCore::onEvent, std::move(handler));
}

void EditBox::OnKeyPressed(std::function<void(int keyCode)> handler) {
  qt::SetHandler(core_, &detail::ControlCore::onIntEvent, std::move(handler));
}

void EditBox::UserType(const Text& text) {
  WithWidget<EditBoxWidget>(core_, [&](EditBoxWidget& e) {
    const QPointer<EditBoxWidget> box(&e);
    for (char32_t ch : qt::ToQString(text).toUcs4()) {
      if (!box || !core_->alive.load()) return;  // a handler closed the window
      box->end(false);
      const QString typed = QString::fromUcs4(&ch, 1);
      const bool upper = ch >= 'A' && ch <= 'Z';
      box->Press(qt::KeyTyping(ch), typed, upper ? Qt::ShiftModifier : Qt::NoModifier);
    }
  });
}

void EditBox::UserPressKey(int keyCode) {
  WithWidget<EditBoxWidget>(
      core_, [&](EditBoxWidget& e) { e.Press(qt::QtKeyOf(keyCode), qt::KeyTextOf(keyCode)); });
}

}  // namespace gui
