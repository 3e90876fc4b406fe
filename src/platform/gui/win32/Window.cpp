// Top-level windows built from their control tables. The window procedure
// hands each control's WM_COMMAND, WM_NOTIFY, scroll, colour and drawing
// messages on to the control concerned.
#include <windows.h>
// after windows.h, which it needs
#include <commctrl.h>

#include <algorithm>

#include "platform/gui/ControlKinds.h"
#include "platform/gui/Gui.h"
#include "platform/gui/win32/ControlWidgets.h"
#include "platform/gui/win32/Cores.h"
#include "platform/gui/win32/Metrics.h"
#include "platform/gui/win32/Pictures.h"
#include "platform/gui/win32/WindowRegistry.h"

namespace gui {
namespace win32 {
namespace {

using detail::WindowCore;

const char kWindowClass[] = "KorvelloWindow";
constexpr DWORD kFramedStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr int kMargin = 5;
constexpr int kFirstControlId = 100;  // clear of IDOK and IDCANCEL

void CloseWindow(const std::shared_ptr<WindowCore>& window);

// The window procedure's way to its core: a reference the window holds
// while it exists (like a widget holding its core).
std::shared_ptr<WindowCore>* Holder(HWND hwnd) {
  return reinterpret_cast<std::shared_ptr<WindowCore>*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
}

LRESULT Routed(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) {
  handled = true;
  switch (message) {
    case WM_COMMAND:
      if (ControlWindow* control = ControlOf(reinterpret_cast<HWND>(lParam))) {
        control->Command(HIWORD(wParam), LOWORD(wParam));
        return 0;
      }
      break;
    case WM_NOTIFY: {
      auto* header = reinterpret_cast<NMHDR*>(lParam);
      if (ControlWindow* control = ControlOf(header->hwndFrom)) {
        bool done = false;
        const LRESULT result = control->Notify(header, done);
        if (done) return result;
      }
      break;
    }
    case WM_HSCROLL:
    case WM_VSCROLL:
      if (ControlWindow* control = ControlOf(reinterpret_cast<HWND>(lParam))) {
        control->Scrolled(LOWORD(wParam));
        return 0;
      }
      break;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
      if (ControlWindow* control = ControlOf(reinterpret_cast<HWND>(lParam)))
        if (HBRUSH brush = control->Colors(reinterpret_cast<HDC>(wParam)))
          return reinterpret_cast<LRESULT>(brush);
      break;
    case WM_DRAWITEM: {
      const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      if (ControlWindow* control = ControlOf(item->hwndItem)) {
        control->DrawItem(*item);
        return TRUE;
      }
      break;
    }
    default:
      break;
  }
  handled = false;
  return 0;
}

LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  bool handled = false;
  const LRESULT routed = Routed(message, wParam, lParam, handled);
  if (handled) return routed;
  switch (message) {
    case WM_CLOSE:
      // The frame's close box: the window closes our way (closed event first).
      if (auto* holder = Holder(hwnd)) CloseWindow(*holder);
      return 0;
    case WM_SIZE:
      if (auto* holder = Holder(hwnd))
        for (const auto& control : (*holder)->controls)
          if (control->widget) control->widget->ParentResized(LOWORD(lParam), HIWORD(lParam));
      return 0;
    case WM_NCDESTROY:
      // Dropped later: code further up the stack may still use the core.
      if (auto* holder = Holder(hwnd)) {
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
        if (HasLoopEnded())
          delete holder;
        else
          PostOnGui([holder] { delete holder; });
      }
      break;
    default:
      break;
  }
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

void RegisterWindowClass() {
  static bool registered = false;
  if (registered) return;
  WNDCLASSEXA windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.style = CS_DBLCLKS;
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.hIcon = ApplicationIcon(GetSystemMetrics(SM_CXICON));
  windowClass.hIconSm = ApplicationIcon(GetSystemMetrics(SM_CXSMICON));
  windowClass.lpszClassName = kWindowClass;
  registered = RegisterClassExA(&windowClass) != 0;
}

void EnableAgain(WindowCore& window) {
  for (HWND other : window.disabledWhileModal)
    if (IsWindow(other)) EnableWindow(other, TRUE);
  window.disabledWhileModal.clear();
}

void CloseWindow(const std::shared_ptr<WindowCore>& window) {
  if (!window->alive.load() || window->closing) return;
  window->closing = true;
  // Owned windows go before their owner, as they would on Windows.
  for (const auto& other : LiveWindows())
    if (other->owner.lock() == window) CloseWindow(other);
  auto closed = window->onClosed;
  if (closed) closed();
  MarkClosed(*window);
  // The owner comes back before this window goes, so that it gets the focus.
  EnableAgain(*window);
  if (window->hwnd) {
    HWND owner = GetWindow(window->hwnd, GW_OWNER);
    const bool wasActive = GetActiveWindow() == window->hwnd;
    ShowWindow(window->hwnd, SW_HIDE);
    if (owner && wasActive) SetActiveWindow(owner);
    DestroyWindow(window->hwnd);
  }
  EndLoopIfNoWindowIsOpen();
}

// Adopts the owner (first showing only) and runs the created event.
// False when the window did not survive its created event.
bool PrepareShowing(const std::shared_ptr<WindowCore>& window, const Window* owner) {
  if (!window->shown && owner && owner->Core() && owner->Core()->alive.load() &&
      owner->Core()->hwnd && owner->Core() != window) {
    SetWindowLongPtrA(window->hwnd, GWLP_HWNDPARENT,
                      reinterpret_cast<LONG_PTR>(owner->Core()->hwnd));
    window->owner = owner->Core();
  }
  if (!window->createdRan) {
    window->createdRan = true;
    auto created = window->onCreated;
    if (created) created();
  }
  return window->alive.load() && window->hwnd;
}

void RaiseAndActivate(HWND hwnd) {
  SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  SetForegroundWindow(hwnd);
  SetActiveWindow(hwnd);
}

void Appear(const std::shared_ptr<WindowCore>& window) {
  window->shown = true;
  for (const auto& control : window->controls)
    if (control->widget) control->widget->BeforeShowing();
  const bool wasVisible = IsWindowVisible(window->hwnd);
  ShowWindow(window->hwnd, SW_SHOW);
  RaiseAndActivate(window->hwnd);
  // The first control that takes the focus gets it, as in a dialog.
  if (!wasVisible) {
    HWND focus = GetFocus();
    if (!focus || !IsChild(window->hwnd, focus)) {
      if (HWND first = GetNextDlgTabItem(window->hwnd, nullptr, FALSE)) SetFocus(first);
    }
  }
}

// The size a table gives is the outer size of a framed window; nothing of
// the table may be cut off by a frame that is thicker here.
void FitToTable(WindowCore& core, const WindowSpec& table, int right, int bottom,
                ControlWindow* statusBar) {
  RECT frame{0, 0, 0, 0};
  AdjustWindowRectEx(&frame, kFramedStyle, FALSE, 0);
  const int frameWidth = frame.right - frame.left;
  const int frameHeight = frame.bottom - frame.top;
  const int clientWidth = std::max(Scale(table.width) - frameWidth, right + Scale(kMargin));
  int clientHeight = std::max(Scale(table.height) - frameHeight, bottom + Scale(kMargin));
  if (statusBar) {
    RECT bar{};
    GetWindowRect(statusBar->hwnd, &bar);
    clientHeight = std::max(clientHeight, bottom + static_cast<int>(bar.bottom - bar.top));
  }
  SetWindowPos(core.hwnd, nullptr, Scale(table.left), Scale(table.top), clientWidth + frameWidth,
               clientHeight + frameHeight, SWP_NOZORDER | SWP_NOACTIVATE);
  // The status bar docks itself below, across the whole width.
  RECT client{};
  GetClientRect(core.hwnd, &client);
  for (const auto& control : core.controls)
    if (control->widget) control->widget->ParentResized(client.right, client.bottom);
}

}  // namespace
}  // namespace win32

using win32::CallOnGui;

Window::Window(const WindowSpec& table) {
  CallOnGui([&] {
    win32::RegisterWindowClass();
    auto core = std::make_shared<detail::WindowCore>();
    core->title = table.title;
    core->hwnd = CreateWindowExA(0, win32::kWindowClass, table.title.c_str(), win32::kFramedStyle,
                                 win32::Scale(table.left), win32::Scale(table.top),
                                 win32::Scale(table.width), win32::Scale(table.height), nullptr,
                                 nullptr, GetModuleHandleA(nullptr), nullptr);
    if (!core->hwnd) return;
    SetWindowLongPtrA(core->hwnd, GWLP_USERDATA,
                      reinterpret_cast<LONG_PTR>(new std::shared_ptr<detail::WindowCore>(core)));
    int right = 0, bottom = 0, id = win32::kFirstControlId;
    win32::ControlWindow* statusBar = nullptr;
    for (const ControlSpec& controlSpec : table.controls) {
      const RECT place{win32::Scale(controlSpec.left), win32::Scale(controlSpec.top),
                       win32::Scale(controlSpec.left + controlSpec.width),
                       win32::Scale(controlSpec.top + controlSpec.height)};
      auto widget = win32::CreateControlWindow(controlSpec.kind, core->hwnd, place, id++);
      if (!widget || !widget->hwnd) continue;
      auto control = std::make_shared<detail::ControlCore>();
      control->kind = controlSpec.kind;
      control->name = controlSpec.name;
      widget->core = control;
      widget->Placed(place.right - place.left, place.bottom - place.top);
      if (!controlSpec.text.empty()) widget->SetTextValue(controlSpec.text);
      control->widget = std::move(widget);
      core->controls.push_back(control);
      if (controlSpec.kind == ControlKind::StatusBar && !statusBar) {
        statusBar = control->widget.get();  // docked below, as Windows does
        continue;
      }
      right = std::max(right, static_cast<int>(place.right));
      bottom = std::max(bottom, static_cast<int>(place.bottom));
    }
    win32::FitToTable(*core, table, right, bottom, statusBar);
    win32::RegisterWindow(core);
    core_ = core;
  });
}

bool Window::IsOpen() const {
  return core_ && core_->alive.load();
}

Text Window::Title() const {
  return core_ ? core_->title : Text();
}

void Window::OnCreated(std::function<void()> handler) {
  CallOnGui([&] {
    if (IsOpen()) core_->onCreated = std::move(handler);
  });
}

void Window::OnClosed(std::function<void()> handler) {
  CallOnGui([&] {
    if (IsOpen()) core_->onClosed = std::move(handler);
  });
}

void Window::Show(const Window* owner) {
  CallOnGui([&] {
    if (!IsOpen() || !core_->hwnd) return;
    auto window = core_;
    if (win32::PrepareShowing(window, owner)) win32::Appear(window);
  });
}

// Modal over its owner, or over every window when it has none.
void Window::ShowModal(const Window* owner) {
  CallOnGui([&] {
    if (!IsOpen() || !core_->hwnd) return;
    auto window = core_;
    if (!win32::PrepareShowing(window, owner)) return;
    if (auto ownerCore = window->owner.lock()) {
      if (IsWindowEnabled(ownerCore->hwnd)) window->disabledWhileModal.push_back(ownerCore->hwnd);
    } else {
      for (const auto& other : win32::LiveWindows())
        if (other != window && IsWindowEnabled(other->hwnd))
          window->disabledWhileModal.push_back(other->hwnd);
    }
    for (HWND other : window->disabledWhileModal) EnableWindow(other, FALSE);
    win32::Appear(window);
    while (window->alive.load() && !win32::ExitRequested()) win32::PumpOrWait();
    win32::EnableAgain(*window);
  });
}

void Window::Close() {
  CallOnGui([&] {
    if (IsOpen()) win32::CloseWindow(core_);
  });
}

void Window::BringToFront() {
  CallOnGui([&] {
    if (!IsOpen() || !core_->hwnd) return;
    win32::RaiseAndActivate(core_->hwnd);
  });
}

bool Window::IsActive() const {
  bool active = false;
  CallOnGui([&] { active = IsOpen() && core_->hwnd && GetActiveWindow() == core_->hwnd; });
  return active;
}

template <class T>
T Window::Get(const Text& name) const {
  if (!core_) return T();
  // The table never changes once the window is built.
  for (const auto& control : core_->controls)
    if (control->name == name && IsOfKind<T>(control->kind)) return T(control);
  return T();
}

template Control Window::Get<Control>(const Text&) const;
template Toolbar Window::Get<Toolbar>(const Text&) const;
template Grid Window::Get<Grid>(const Text&) const;
template ListBox Window::Get<ListBox>(const Text&) const;
template EditBox Window::Get<EditBox>(const Text&) const;
template IPv4Box Window::Get<IPv4Box>(const Text&) const;
template ComboBox Window::Get<ComboBox>(const Text&) const;
template CheckBox Window::Get<CheckBox>(const Text&) const;
template Button Window::Get<Button>(const Text&) const;
template Label Window::Get<Label>(const Text&) const;
template Slider Window::Get<Slider>(const Text&) const;
template ProgressBar Window::Get<ProgressBar>(const Text&) const;
template StatusBar Window::Get<StatusBar>(const Text&) const;
template PictureBox Window::Get<PictureBox>(const Text&) const;
template Shape Window::Get<Shape>(const Text&) const;

}  // namespace gui
