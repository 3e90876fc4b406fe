// The list box: lines of text, inserted at an index.
#include <windows.h>

#include "platform/gui/Gui.h"
#include "platform/gui/win32/ControlWidgets.h"
#include "platform/gui/win32/Cores.h"

namespace gui {
namespace win32 {
namespace {

class ListBoxWindow : public ControlWindow {
 public:
  ListBoxWindow(HWND parent, const RECT& place, int id) {
    MakeChild(this, "LISTBOX",
              WS_TABSTOP | WS_VSCROLL | WS_HSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT,
              WS_EX_CLIENTEDGE, parent, place, id);
  }
  void Command(int code, int) override {
    if (code == LBN_DBLCLK) Raise(core, &ControlCore::onEvent);
  }
  int Count() const { return static_cast<int>(SendMessageA(hwnd, LB_GETCOUNT, 0, 0)); }
};

}  // namespace

std::unique_ptr<ControlWindow> NewListBoxWindow(HWND parent, const RECT& place, int id) {
  return std::make_unique<ListBoxWindow>(parent, place, id);
}

}  // namespace win32

using win32::ListBoxWindow;
using win32::WithWidget;

// An index outside 0..count appends the line.
void ListBox::InsertItem(int index, const Text& text) {
  WithWidget<ListBoxWindow>(core_, [&](ListBoxWindow& l) {
    if (index < 0 || index > l.Count()) index = l.Count();
    SendMessageA(l.hwnd, LB_INSERTSTRING, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(text.c_str()));
  });
}

void ListBox::Clear() {
  WithWidget<ListBoxWindow>(core_,
                            [](ListBoxWindow& l) { SendMessageA(l.hwnd, LB_RESETCONTENT, 0, 0); });
}

int ListBox::ItemCount() const {
  return WithWidget<ListBoxWindow>(core_, 0, [](ListBoxWindow& l) { return l.Count(); });
}

Text ListBox::ItemText(int index) const {
  return WithWidget<ListBoxWindow>(core_, Text(), [&](ListBoxWindow& l) {
    if (index < 0 || index >= l.Count()) return Text();
    const LRESULT length = SendMessageA(l.hwnd, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length <= 0) return Text();
    Text text(static_cast<size_t>(length) + 1, '\0');
    const LRESULT got = SendMessageA(l.hwnd, LB_GETTEXT, static_cast<WPARAM>(index),
                                     reinterpret_cast<LPARAM>(text.data()));
    text.resize(got > 0 ? static_cast<size_t>(got) : 0);
    return text;
  });
}

void ListBox::OnDoubleClick(std::function<void()> handler) {
  win32::SetHandler(core_, &detail::ControlCore::onEvent, std::move(handler));
}

void ListBox::UserDoubleClick(int index) {
  WithWidget<ListBoxWindow>(core_, [&](ListBoxWindow& l) {
    if (index < 0 || index >= l.Count()) return;
    SendMessageA(l.hwnd, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    l.Command(LBN_DBLCLK, 0);
  });
}

}  // namespace gui
