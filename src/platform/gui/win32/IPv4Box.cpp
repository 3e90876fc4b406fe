// The IPv4 address box: the system's address control, with our rules for
// what may be set and how it reads.
#include <windows.h>
// after windows.h, which it needs
#include <commctrl.h>

#include "platform/gui/Gui.h"
#include "platform/gui/IPv4Text.h"
#include "platform/gui/win32/ControlWidgets.h"
#include "platform/gui/win32/Cores.h"

namespace gui {
namespace win32 {
namespace {

class IPv4BoxWindow : public ControlWindow {
 public:
  IPv4BoxWindow(HWND parent, const RECT& place, int id) {
    MakeChild(this, WC_IPADDRESSA, WS_TABSTOP, 0, parent, place, id);
  }

  void SetTextValue(const Text& text) override {
    auto address = ParseIPv4Address(text);
    if (!address) {
      SendMessageA(hwnd, IPM_CLEARADDRESS, 0, 0);
      return;
    }
    const auto& a = *address;
    SendMessageA(hwnd, IPM_SETADDRESS, 0, MAKEIPADDRESS(a[0], a[1], a[2], a[3]));
  }

  // A blank box reads empty; blank numbers read as 0.
  Text TextValue() const override {
    DWORD packed = 0;
    const LRESULT filled = SendMessageA(hwnd, IPM_GETADDRESS, 0, reinterpret_cast<LPARAM>(&packed));
    if (filled <= 0) return {};
    return IPv4AddressText(
        {static_cast<int>(FIRST_IPADDRESS(packed)), static_cast<int>(SECOND_IPADDRESS(packed)),
         static_cast<int>(THIRD_IPADDRESS(packed)), static_cast<int>(FOURTH_IPADDRESS(packed))});
  }
};

}  // namespace

std::unique_ptr<ControlWindow> NewIPv4BoxWindow(HWND parent, const RECT& place, int id) {
  return std::make_unique<IPv4BoxWindow>(parent, place, id);
}

}  // namespace win32

using win32::IPv4BoxWindow;
using win32::WithWidget;

void IPv4Box::SetAddress(const Text& address) {
  WithWidget<IPv4BoxWindow>(core_, [&](IPv4BoxWindow& b) { b.SetTextValue(address); });
}

Text IPv4Box::Address() const {
  return WithWidget<IPv4BoxWindow>(core_, Text(), [](IPv4BoxWindow& b) { return b.TextValue(); });
}

}  // namespace gui
