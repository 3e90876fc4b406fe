// The combo box: a drop-down list; only a user's choice raises its event
// (CB_SETCURSEL from code sends no notification).
#include <windows.h>

#include "platform/gui/Gui.h"
#include "platform/gui/win32/ControlWidgets.h"
#include "platform/gui/win32/Cores.h"

namespace gui {
namespace win32 {
namespace {

// The height a table gives is the closed box; the list drops below it.
constexpr int kListHeight = 200;

class ComboBoxWindow : public ControlWindow {
 public:
  ComboBoxWindow(HWND parent, const RECT& place, int id) {
    RECT withList = place;
    withList.bottom += kListHeight;
    MakeChild(this, "COMBOBOX", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, 0, parent, withList,
              id);
  }
  void Command(int code, int) override {
    if (code == CBN_SELCHANGE) Raise(core, &ControlCore::onEvent);
  }
  int Count() const { return static_cast<int>(SendMessageA(hwnd, CB_GETCOUNT, 0, 0)); }
  Text Item(int index) const {
    if (index < 0 || index >= Count()) return {};
    const LRESULT length = SendMessageA(hwnd, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length <= 0) return {};
    Text text(static_cast<size_t>(length) + 1, '\0');
    const LRESULT got = SendMessageA(hwnd, CB_GETLBTEXT, static_cast<WPARAM>(index),
                                     reinterpret_cast<LPARAM>(text.data()));
    text.resize(got > 0 ? static_cast<size_t>(got) : 0);
    return text;
  }
  int Selected() const { return static_cast<int>(SendMessageA(hwnd, CB_GETCURSEL, 0, 0)); }
  Text TextValue() const override { return Item(Selected()); }
};

}  // namespace

std::unique_ptr<ControlWindow> NewComboBoxWindow(HWND parent, const RECT& place, int id) {
  return std::make_unique<ComboBoxWindow>(parent, place, id);
}

}  // namespace win32

using win32::ComboBoxWindow;
using win32::WithWidget;

void ComboBox::Clear() {
  WithWidget<ComboBoxWindow>(
      core_, [](ComboBoxWindow& c) { SendMessageA(c.hwnd, CB_RESETCONTENT, 0, 0); });
}

// Adding an item selects nothing.
void ComboBox::AddItem(const Text& text) {
  WithWidget<ComboBoxWindow>(core_, [&](ComboBoxWindow& c) {
    SendMessageA(c.hwnd, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
  });
}

int ComboBox::ItemCount() const {
  return WithWidget<ComboBoxWindow>(core_, 0, [](ComboBoxWindow& c) { return c.Count(); });
}

Text ComboBox::ItemText(int index) const {
  return WithWidget<ComboBoxWindow>(core_, Text(),
                                    [&](ComboBoxWindow& c) { return c.Item(index); });
}

// An index outside the items selects nothing.
void ComboBox::Select(int index) {
  WithWidget<ComboBoxWindow>(core_, [&](ComboBoxWindow& c) {
    const WPARAM item = index >= 0 && index < c.Count() ? static_cast<WPARAM>(index) : WPARAM(-1);
    SendMessageA(c.hwnd, CB_SETCURSEL, item, 0);
  });
}

int ComboBox::SelectedIndex() const {
  return WithWidget<ComboBoxWindow>(core_, -1, [](ComboBoxWindow& c) { return c.Selected(); });
}

void ComboBox::OnItemSelected(std::function<void()> handler) {
  win32::SetHandler(core_, &detail::ControlCore::onEvent, std::move(handler));
}

void ComboBox::UserSelect(int index) {
  WithWidget<ComboBoxWindow>(core_, [&](ComboBoxWindow& c) {
    if (index < 0 || index >= c.Count()) return;
    SendMessageA(c.hwnd, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    c.Command(CBN_SELCHANGE, 0);
  });
}

}  // namespace gui
