// The toolbar: text buttons with a picture beside the caption, and
// separators, all addressed by position; the hints show as tooltips.
#include <windows.h>
// after windows.h, which it needs
#include <commctrl.h>

#include <deque>
#include <vector>

#include "platform/gui/Gui.h"
#include "platform/gui/win32/ControlWidgets.h"
#include "platform/gui/win32/Cores.h"
#include "platform/gui/win32/Metrics.h"
#include "platform/gui/win32/Pictures.h"

namespace gui {
namespace win32 {
namespace {

constexpr int kPictureSize = 24;
constexpr int kPictureCount = 11;  // toolbar-0 .. toolbar-10
constexpr int kFirstCommand = 1000;

struct ToolbarEntry {
  Text caption;
  Text hint;
  int picture;
  bool separator;
};

class ToolbarWindow : public ControlWindow {
 public:
  ToolbarWindow(HWND parent, const RECT& place, int id) {
    MakeChild(this, TOOLBARCLASSNAMEA,
              TBSTYLE_FLAT | TBSTYLE_LIST | TBSTYLE_TOOLTIPS | CCS_NODIVIDER | CCS_NORESIZE |
                  CCS_NOPARENTALIGN,
              0, parent, place, id);
    SendMessageA(hwnd, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    SendMessageA(hwnd, TB_SETDRAWTEXTFLAGS, DT_NOPREFIX, DT_NOPREFIX);
    const int side = Scale(kPictureSize);
    images_ = ImageList_Create(side, side, ILC_COLOR32 | ILC_MASK, kPictureCount, 0);
    for (int picture = 0; picture < kPictureCount; ++picture) {
      HICON icon = LoadPicture("toolbar-" + std::to_string(picture), side);
      ImageList_AddIcon(images_, icon);
      if (icon) DestroyIcon(icon);
    }
    SendMessageA(hwnd, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images_));
    Attach(reinterpret_cast<HWND>(SendMessageA(hwnd, TB_GETTOOLTIPS, 0, 0)), this);
  }
  ~ToolbarWindow() override {
    if (images_) ImageList_Destroy(images_);
  }

  void Add(const Text& caption, const Text& hint, int picture, bool enabled) {
    entries_.push_back({caption, hint, picture, false});
    TBBUTTON button{};
    button.iBitmap = picture >= 0 && picture < kPictureCount ? picture : I_IMAGENONE;
    button.idCommand = kFirstCommand + Count() - 1;
    button.fsState = enabled ? TBSTATE_ENABLED : 0;
    button.fsStyle = BTNS_BUTTON | BTNS_AUTOSIZE | BTNS_SHOWTEXT;
    button.iString = reinterpret_cast<INT_PTR>(entries_.back().caption.c_str());
    Queue(button);
  }

  void AddSeparatorEntry() {
    entries_.push_back({{}, {}, -1, true});
    TBBUTTON button{};
    button.iBitmap = Scale(6);
    button.idCommand = kFirstCommand + Count() - 1;
    button.fsStyle = BTNS_SEP;
    Queue(button);
  }

  // The bar lays out and measures every caption again on each addition, so
  // buttons added before it shows go in together, in one message.
  void AddQueued() {
    if (queued_.empty()) return;
    SendMessageA(hwnd, TB_ADDBUTTONSA, queued_.size(), reinterpret_cast<LPARAM>(queued_.data()));
    queued_.clear();
  }
  void BeforeShowing() override { AddQueued(); }

  const ToolbarEntry* Entry(int position) const {
    if (position < 0 || position >= Count()) return nullptr;
    return &entries_[position];
  }
  int Count() const { return static_cast<int>(entries_.size()); }
  int CommandOf(int position) const { return kFirstCommand + position; }

  bool Enabled(int position) {
    AddQueued();
    const ToolbarEntry* entry = Entry(position);
    return entry && !entry->separator &&
           SendMessageA(hwnd, TB_ISBUTTONENABLED, CommandOf(position), 0) != 0;
  }

  void Command(int, int id) override {
    AddQueued();
    const int position = id - kFirstCommand;
    if (Entry(position) && !Entry(position)->separator)
      Raise(core, &ControlCore::onIntEvent, position);
  }

  // The tooltip asks for a button's hint.
  LRESULT Notify(NMHDR* header, bool& handled) override {
    if (header->code != TTN_GETDISPINFOA) return 0;
    auto* info = reinterpret_cast<NMTTDISPINFOA*>(header);
    if (const ToolbarEntry* entry = Entry(static_cast<int>(header->idFrom) - kFirstCommand)) {
      info->lpszText = const_cast<char*>(entry->hint.c_str());
      info->hinst = nullptr;
      handled = true;
    }
    return 0;
  }

 private:
  // Adds the button at once when the bar is on screen, else at the latest
  // when it shows or is asked about its buttons.
  void Queue(const TBBUTTON& button) {
    queued_.push_back(button);
    if (IsWindowVisible(hwnd)) AddQueued();
  }

  std::deque<ToolbarEntry> entries_;  // stable addresses: the bar keeps caption pointers
  std::vector<TBBUTTON> queued_;
  HIMAGELIST images_ = nullptr;
};

}  // namespace

std::unique_ptr<ControlWindow> NewToolbarWindow(HWND parent, const RECT& place, int id) {
  return std::make_unique<ToolbarWindow>(parent, place, id);
}

}  // namespace win32

using win32::ToolbarWindow;
using win32::WithWidget;

void Toolbar::AddButton(const Text& caption, const Text& hint, int picture, bool enabled) {
  WithWidget<ToolbarWindow>(core_,
                            [&](ToolbarWindow& t) { t.Add(caption, hint, picture, enabled); });
}

void Toolbar::AddSeparator() {
  WithWidget<ToolbarWindow>(core_, [](ToolbarWindow& t) { t.AddSeparatorEntry(); });
}

int Toolbar::PositionCount() const {
  return WithWidget<ToolbarWindow>(core_, 0, [](ToolbarWindow& t) { return t.Count(); });
}

void Toolbar::SetButtonEnabled(int position, bool enabled) {
  WithWidget<ToolbarWindow>(core_, [&](ToolbarWindow& t) {
    t.AddQueued();
    if (auto* entry = t.Entry(position); entry && !entry->separator)
      SendMessageA(t.hwnd, TB_ENABLEBUTTON, t.CommandOf(position), MAKELONG(enabled, 0));
  });
}

bool Toolbar::IsButtonEnabled(int position) const {
  return WithWidget<ToolbarWindow>(core_, false,
                                   [&](ToolbarWindow& t) { return t.Enabled(position); });
}

Text Toolbar::ButtonCaption(int position) const {
  return WithWidget<ToolbarWindow>(core_, Text(), [&](ToolbarWindow& t) {
    auto* entry = t.Entry(position);
    return entry ? entry->caption : Text();
  });
}

Text Toolbar::ButtonHint(int position) const {
  return WithWidget<ToolbarWindow>(core_, Text(), [&](ToolbarWindow& t) {
    auto* entry = t.Entry(position);
    return entry ? entry->hint : Text();
  });
}

int Toolbar::ButtonPicture(int position) const {
  return WithWidget<ToolbarWindow>(core_, -1, [&](ToolbarWindow& t) {
    auto* entry = t.Entry(position);
    return entry ? entry->picture : -1;
  });
}

void Toolbar::OnClicked(std::function<void(int position)> handler) {
  win32::SetHandler(core_, &detail::ControlCore::onIntEvent, std::move(handler));
}

void Toolbar::UserClick(int position) {
  WithWidget<ToolbarWindow>(core_, [&](ToolbarWindow& t) {
    if (t.Enabled(position)) t.Command(0, t.CommandOf(position));
  });
}

}  // namespace gui
