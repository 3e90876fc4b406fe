#pragma once
// The toolkit API the windows are written against. Only gui/qt/ knows Qt.
//
// Threads: every operation below may be called from any thread. Off the GUI
// thread it is carried out on the GUI thread while the caller waits (like a
// Win32 SendMessage). Events are delivered on the GUI thread only. Once the
// main loop has ended, calls from other threads return the empty result at
// once. Handles are cheap to copy; a handle whose window has been closed, or
// one that names no control, does nothing and reads as empty.
//
// Texts are GBK bytes; conversion to Unicode happens inside gui/qt/ only.

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "text/Text.h"

namespace gui {

// Platform colour value 0x00BBGGRR: 0x8000 green, 255 red, 0xFF0000 blue.
using Color = std::uint32_t;
constexpr Color kDefaultTextColor = 0x000000;

enum class Align { Left, Center, Right };

enum class ControlKind {
  Toolbar,
  Grid,
  ListBox,
  EditBox,
  IPv4Box,
  ComboBox,
  CheckBox,
  Button,
  Label,  // transparent label
  Slider,
  ProgressBar,
  StatusBar,
  PictureBox,
  Shape,  // a flat horizontal or vertical rule
};

// One row of a window's control table: kind, name, place, size, initial text.
struct ControlSpec {
  ControlKind kind;
  Text name;
  int left, top, width, height;
  Text text = {};
};

struct WindowSpec {
  Text title;
  int left, top, width, height;  // outer size, as a Win32 window is sized
  std::vector<ControlSpec> controls;
};

namespace detail {
struct ControlCore;
struct WindowCore;
}  // namespace detail

// ---- application, loop and events -------------------------------------------

// Starts the toolkit on the calling thread, which becomes the GUI thread.
class Application {
 public:
  Application(int& argc, char** argv);
  ~Application();
  Application(const Application&) = delete;
  Application& operator=(const Application&) = delete;
  // Runs the main loop until no window of the process is open any more.
  int Run();
  // Ends the main loop (used when the process must end at once).
  static void Quit();
};

bool IsGuiThread();
// True once the main loop has ended (or before any Application exists).
bool LoopEnded();
// On the GUI thread: handles the events queued so far, including waiting
// callers from other threads. On other threads: nothing.
void ProcessPendingEvents();
// Waits ms milliseconds while doing the same; 0 or less returns at once.
void WaitWithEvents(int ms);
// Runs fn on the GUI thread while the caller waits, so that several control
// operations happen together with nothing of the GUI thread in between.
// After the main loop has ended it does nothing.
void RunOnGuiThread(const std::function<void()>& fn);

// ---- message boxes and clipboard ----------------------------------------------

class Window;

// An OK box; caption "信息：" unless given. Modal to every window of the
// process; the owner only places it. Returns when it is closed.
void ShowMessage(const Text& text, const Text& caption = "信息：", const Window* owner = nullptr);
// A Yes/No question box with the question icon. True for Yes.
bool AskYesNo(const Text& text, const Text& caption, const Window* owner);

// Plain text; SetClipboardText returns false when the clipboard cannot be taken.
bool SetClipboardText(const Text& text);
Text ClipboardText();

// ---- controls -------------------------------------------------------------------

class Control {
 public:
  Control() = default;
  explicit Control(std::shared_ptr<detail::ControlCore> core) : core_(std::move(core)) {}
  bool IsValid() const;  // names a control of a window that is still open
  Text Name() const;
  void SetEnabled(bool enabled);
  bool IsEnabled() const;
  void SetFocus();
  bool HasFocus() const;
  // The control's caption or content: label, button, check box, edit box;
  // also the address of an IPv4 box, part 0 of a status bar, the picture
  // of a picture box and (read only) the shown item of a combo box.
  void SetText(const Text& text);
  Text GetText() const;

 protected:
  std::shared_ptr<detail::ControlCore> core_;
};

class Toolbar : public Control {
 public:
  using Control::Control;
  // Picture: a number in the toolbar's image list (toolbar-N in the resources).
  void AddButton(const Text& caption, const Text& hint, int picture, bool enabled = true);
  void AddSeparator();
  int PositionCount() const;  // separators included
  void SetButtonEnabled(int position, bool enabled);
  bool IsButtonEnabled(int position) const;
  Text ButtonCaption(int position) const;
  Text ButtonHint(int position) const;
  int ButtonPicture(int position) const;  // -1 for a separator
  void OnClicked(std::function<void(int position)> handler);
  // As if the user clicked the button (nothing when disabled or a separator).
  void UserClick(int position);
};

// Rows and columns from 0; row 0 is shown as the header row. A cell outside
// the current rows and columns reads as the empty text and a write there
// does nothing. Rectangles are inclusive and clipped to the grid.
class Grid : public Control {
 public:
  using Control::Control;
  int RowCount() const;
  void SetRowCount(int rows);
  int ColumnCount() const;
  void SetColumnCount(int columns);
  // Clears every cell's text and format, keeping the row and column counts.
  void Reset();
  Text CellText(int row, int column) const;
  void SetCellText(int row, int column, const Text& text);
  void SetColumnWidth(int column, int pixels);  // 0 hides the column
  int ColumnWidth(int column) const;
  // Appends a row whose column 0 holds firstCell; returns the new row's index.
  int AppendRow(const Text& firstCell);
  void DeleteRow(int row);  // a data row; row 0 (the header) stays
  void SetAlignment(int row1, int column1, int row2, int column2, Align align);
  Align CellAlignment(int row, int column) const;
  void SetTextColor(int row1, int column1, int row2, int column2, Color color);
  Color CellTextColor(int row, int column) const;
  // The cursor cell; 0 or less when there is none (or on the header). Only
  // the user moves raise the cursor-moved event; the program's do not.
  int CursorRow() const;
  int CursorColumn() const;
  void SetCursor(int row, int column);
  // A stable number for the row at `row` (0 when out of range), and the
  // current index of the row with that number (-1 when it is gone). Rows
  // keep their number while other rows are added or deleted around them.
  long long RowKey(int row) const;
  int RowOfKey(long long key) const;
  void OnCursorMoved(std::function<void()> handler);
  void OnRightButton(std::function<void()> handler);
  // As if the user clicked a cell (moves the cursor; a click on the header
  // row takes it away) or pressed the right button over it or anywhere else
  // on the grid (raises the right-button event; the cursor stays where it is).
  void UserClickCell(int row, int column);
  void UserRightClickCell(int row, int column);
};

class ListBox : public Control {
 public:
  using Control::Control;
  void InsertItem(int index, const Text& text);  // outside 0..count: at the end
  void Clear();
  int ItemCount() const;
  Text ItemText(int index) const;
  void OnDoubleClick(std::function<void()> handler);
  void UserDoubleClick(int index);
};

// Setting the text raises the text-changed event once, after the new text is
// in place, as typing does.
class EditBox : public Control {
 public:
  using Control::Control;
  void SelectAll();
  Text SelectedText() const;
  void OnTextChanged(std::function<void()> handler);
  // Raised for each key pressed in the box with its key code (13 for Enter).
  // The key is not consumed.
  void OnKeyPressed(std::function<void(int keyCode)> handler);
  // As if the user typed the text at the end of the box, one key at a time.
  void UserType(const Text& text);
  void UserPressKey(int keyCode);
};

// Setting splits at ".", needs at least three "." (the fourth part is the
// rest), reads each part as a decimal number (blanks around it ignored,
// leading zeros allowed) and takes the address when every number is 0..255;
// otherwise the box is cleared. Reading gives the empty text when the box is
// blank, else four decimal numbers without leading zeros joined by ".".
class IPv4Box : public Control {
 public:
  using Control::Control;
  void SetAddress(const Text& address);
  Text Address() const;
};

// Selecting an item from code raises no event; a user choice does.
class ComboBox : public Control {
 public:
  using Control::Control;
  void Clear();
  void AddItem(const Text& text);
  int ItemCount() const;
  Text ItemText(int index) const;
  void Select(int index);     // outside the items: nothing selected
  int SelectedIndex() const;  // -1 when nothing is selected
  void OnItemSelected(std::function<void()> handler);
  void UserSelect(int index);
};

class CheckBox : public Control {
 public:
  using Control::Control;
  void SetChecked(bool checked);
  bool IsChecked() const;
  void UserToggle();
};

class Button : public Control {
 public:
  using Control::Control;
  void OnClicked(std::function<void()> handler);
  void UserClick();  // nothing when disabled
};

class Label : public Control {
 public:
  using Control::Control;
};

// The slider keeps a position value apart from its thumb. Setting it from
// code stores the value limited to 0..32767 and moves the thumb to it within
// the range, without an event. A user move stores the thumb's place and
// raises the position-changed event. Reading gives the value stored last.
class Slider : public Control {
 public:
  using Control::Control;
  void SetRange(int minimum, int maximum);
  void SetMaximum(int maximum);  // stored limited to 0..32767
  int Minimum() const;
  int Maximum() const;
  void SetSteps(int pageStep, int lineStep);
  int PageStep() const;
  int LineStep() const;
  void SetPosition(int value);
  int Position() const;
  int ThumbPosition() const;
  // Raised for every scroll notification except the end of a scroll, also
  // when the thumb stays where it was; the position then takes the thumb's.
  void OnPositionChanged(std::function<void()> handler);
  void UserMoveThumb(int value);   // drags the thumb there and lets it go
  void UserClickThumb();           // presses and releases it without moving
  void UserPressKey(int keyCode);  // Home, End, arrows, Page Up/Down
};

class ProgressBar : public Control {
 public:
  using Control::Control;
  void SetMaximum(int maximum);
  int Maximum() const;
  void SetPosition(int position);
  int Position() const;
};

class StatusBar : public Control {
 public:
  using Control::Control;
  // Widths in pixels; -1 for the part that takes the rest of the bar.
  void SetParts(const std::vector<int>& widths);
  int PartCount() const;
  void SetPartText(int part, const Text& text);
  Text PartText(int part) const;
};

class PictureBox : public Control {
 public:
  using Control::Control;
  // A picture of the resources by name, e.g. "app-icon".
  void SetPicture(const Text& resourceName);
  Text Picture() const;
};

class Shape : public Control {
 public:
  using Control::Control;
};

// ---- windows ------------------------------------------------------------------

// A top-level window built from its control table. The created event runs
// when the window is first shown, before it appears; the closed event runs
// when it is closed, while its controls still work. A closed window is gone:
// its handles do nothing from then on.
class Window {
 public:
  Window() = default;
  explicit Window(const WindowSpec& table);  // GUI thread only
  bool IsOpen() const;
  Text Title() const;
  void OnCreated(std::function<void()> handler);
  void OnClosed(std::function<void()> handler);
  // Modeless: shows the window and returns at once.
  void Show(const Window* owner = nullptr);
  // Modal over its owner: returns when the window has been closed.
  void ShowModal(const Window* owner);
  void Close();
  void BringToFront();
  bool IsActive() const;

  template <class T>
  T Get(const Text& name) const;  // an invalid handle when no such control

  const std::shared_ptr<detail::WindowCore>& Core() const { return core_; }

 private:
  std::shared_ptr<detail::WindowCore> core_;
};

// ---- testing ------------------------------------------------------------------

// When set, message boxes are not shown: the hook gets each one and gives the
// answer (true for Yes/OK). Tests use it; the program never sets it.
struct MessageRecord {
  Text text;
  Text caption;
  bool question;
};
void SetMessageHook(std::function<bool(const MessageRecord&)> hook);

}  // namespace gui
