// The grid: a list view in report mode over our own model of cells, whose
// row 0 is shown as the column headers. Every cell is drawn here, with its
// colour and alignment, and the cursor cell carries a focus rectangle.
#include <windows.h>
// after windows.h, which it needs
#include <commctrl.h>

#include <algorithm>
#include <vector>

#include "platform/gui/Gui.h"
#include "platform/gui/win32/ControlWidgets.h"
#include "platform/gui/win32/Cores.h"
#include "platform/gui/win32/GridModel.h"
#include "platform/gui/win32/Metrics.h"

namespace gui {
namespace win32 {
namespace {

constexpr int kDefaultColumnWidth = 80;
constexpr int kCellPadding = 4;
constexpr COLORREF kCursorRowColor = RGB(204, 232, 255);
// Changes are drawn together at most this often: a grid that workers write
// to many times a second must not spend the GUI thread on painting.
constexpr UINT kRepaintMs = 40;
constexpr UINT_PTR kRepaintTimer = 1;

UINT DrawAlignment(Align align) {
  return align == Align::Center ? DT_CENTER : align == Align::Right ? DT_RIGHT : DT_LEFT;
}

int HeaderFormat(Align align) {
  return align == Align::Center  ? LVCFMT_CENTER
         : align == Align::Right ? LVCFMT_RIGHT
                                 : LVCFMT_LEFT;
}

class GridWindow : public ControlWindow {
 public:
  GridWindow(HWND parent, const RECT& place, int id) {
    MakeChild(this, WC_LISTVIEWA,
              WS_TABSTOP | LVS_REPORT | LVS_OWNERDATA | LVS_SINGLESEL | LVS_SHOWSELALWAYS,
              WS_EX_CLIENTEDGE, parent, place, id);
    SendMessageA(hwnd, LVM_SETEXTENDEDLISTVIEWSTYLE, 0,
                 LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER);
    Attach(reinterpret_cast<HWND>(SendMessageA(hwnd, LVM_GETHEADER, 0, 0)), this);
    Subclass();
    model_.SetRows(1);
  }

  GridModel& Model() { return model_; }

  int CursorRow() const { return cursorRow_; }
  int CursorColumn() const { return cursorRow_ > 0 ? cursorColumn_ : 0; }

  bool IsDataCell(int row, int column) const {
    return row >= 1 && row < model_.Rows() && column >= 0 && column < model_.Columns();
  }

  // Moves the cursor to a data cell, or takes it away; true when it moved.
  bool PlaceCursor(int row, int column) {
    const int oldRow = cursorRow_, oldColumn = cursorColumn_;
    if (IsDataCell(row, column)) {
      cursorRow_ = row;
      cursorColumn_ = column;
    } else {
      cursorRow_ = 0;
      cursorColumn_ = 0;
    }
    if (cursorRow_ == oldRow && cursorColumn_ == oldColumn) return false;
    if (cursorRow_ > 0) SendMessageA(hwnd, LVM_ENSUREVISIBLE, cursorRow_ - 1, FALSE);
    Repaint();
    return true;
  }

  // The user's moves raise the cursor-moved event; the program's do not.
  void UserPlaceCursor(int row, int column) {
    if (PlaceCursor(row, column)) Raise(core, &ControlCore::onEvent);
  }

  void RightClick() { Raise(core, &ControlCore::onSecondEvent); }

  // The cursor follows the rows that are left: it stays on its row number
  // while rows remain, otherwise it goes to the last row or away.
  void RowsChanged(bool headerToo = true) {
    SendMessageA(hwnd, LVM_SETITEMCOUNT, std::max(model_.Rows() - 1, 0),
                 LVSICF_NOINVALIDATEALL | LVSICF_NOSCROLL);
    if (cursorRow_ >= model_.Rows()) cursorRow_ = model_.Rows() > 1 ? model_.Rows() - 1 : 0;
    if (cursorColumn_ >= model_.Columns()) cursorColumn_ = std::max(model_.Columns() - 1, 0);
    if (model_.Columns() == 0) cursorRow_ = 0;
    if (headerToo)
      HeaderChanged();
    else
      Changed();
  }

  void SetColumns(int columns) {
    model_.SetColumns(columns);
    const int wanted = model_.Columns();
    while (ListColumns() > wanted) SendMessageA(hwnd, LVM_DELETECOLUMN, ListColumns() - 1, 0);
    while (ListColumns() < wanted) {
      LVCOLUMNA column{};
      column.mask = LVCF_WIDTH | LVCF_FMT | LVCF_TEXT;
      column.fmt = LVCFMT_LEFT;
      column.cx = Scale(kDefaultColumnWidth);
      column.pszText = const_cast<char*>("");
      SendMessageA(hwnd, LVM_INSERTCOLUMNA, ListColumns(), reinterpret_cast<LPARAM>(&column));
    }
    widths_.resize(static_cast<size_t>(wanted), kDefaultColumnWidth);
    for (int c = 0; c < wanted; ++c) ApplyWidth(c);
    RowsChanged();
  }

  void SetWidth(int column, int pixels) {
    if (column < 0 || column >= model_.Columns()) return;
    widths_[column] = std::max(pixels, 0);
    ApplyWidth(column);
  }

  int Width(int column) const {
    return column >= 0 && column < model_.Columns() ? widths_[column] : 0;
  }

  // Cells changed: drawn when the list paints next.
  void Changed() { Repaint(); }

  // The header row changed: its texts and alignments go to the column
  // headers (only then: setting a header item is costly).
  void HeaderChanged() {
    for (int c = 0; c < model_.Columns() && c < ListColumns(); ++c) {
      const GridCell* cell = model_.Cell(0, c);
      LVCOLUMNA column{};
      column.mask = LVCF_TEXT | LVCF_FMT;
      column.pszText = const_cast<char*>(cell ? cell->text.c_str() : "");
      column.fmt = HeaderFormat(cell ? cell->align : Align::Left);
      SendMessageA(hwnd, LVM_SETCOLUMNA, c, reinterpret_cast<LPARAM>(&column));
    }
    Repaint();
  }

  // The list is drawn again shortly, once for all changes until then.
  void Repaint() {
    if (repaintPending_) return;
    repaintPending_ = SetTimer(hwnd, kRepaintTimer, kRepaintMs, nullptr) != 0;
    if (!repaintPending_) InvalidateRect(hwnd, nullptr, FALSE);
  }

  LRESULT Notify(NMHDR* header, bool& handled) override {
    switch (header->code) {
      case NM_CUSTOMDRAW:
        handled = true;
        return CustomDraw(*reinterpret_cast<NMLVCUSTOMDRAW*>(header));
      case LVN_COLUMNCLICK:
        // A click on the header row takes the cursor off the data rows.
        UserPlaceCursor(0, 0);
        handled = true;
        return 0;
      case HDN_BEGINTRACKA:
      case HDN_BEGINTRACKW:
      case HDN_DIVIDERDBLCLICKA:
      case HDN_DIVIDERDBLCLICKW: {
        // A hidden column stays hidden.
        const int column = reinterpret_cast<NMHEADERA*>(header)->iItem;
        handled = Width(column) == 0 && column >= 0 && column < model_.Columns();
        return handled ? TRUE : FALSE;
      }
      default:
        return 0;
    }
  }

  // The mouse and the keys move our cursor; the list's own selection is
  // not used.
  bool Message(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override {
    switch (message) {
      case WM_LBUTTONDOWN:
      case WM_LBUTTONDBLCLK: {
        SetFocus(hwnd);
        LVHITTESTINFO hit{};
        hit.pt = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        if (SendMessageA(hwnd, LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(&hit)) >= 0 &&
            hit.iItem >= 0)
          UserPlaceCursor(hit.iItem + 1, hit.iSubItem);
        result = 0;
        return true;
      }
      case WM_RBUTTONDOWN:
      case WM_RBUTTONDBLCLK:
        // Anywhere on the grid, below the rows too; the cursor stays.
        SetFocus(hwnd);
        RightClick();
        result = 0;
        return true;
      case WM_RBUTTONUP:
        result = 0;
        return true;
      case WM_KEYDOWN:
        if (MoveByKey(static_cast<int>(wParam))) {
          result = 0;
          return true;
        }
        return false;
      case WM_CHAR:
        result = 0;  // no search by typing: it would move the list's own selection
        return true;
      case WM_GETDLGCODE:
        result = DLGC_WANTARROWS;
        return true;
      case WM_TIMER:
        if (wParam != kRepaintTimer) return false;
        KillTimer(hwnd, kRepaintTimer);
        repaintPending_ = false;
        InvalidateRect(hwnd, nullptr, FALSE);
        result = 0;
        return true;
      case WM_SETFOCUS:
      case WM_KILLFOCUS:
        InvalidateRect(hwnd, nullptr, FALSE);
        return false;
      default:
        return false;
    }
  }

 private:
  int ListColumns() const {
    HWND header = reinterpret_cast<HWND>(SendMessageA(hwnd, LVM_GETHEADER, 0, 0));
    return header ? static_cast<int>(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0)) : 0;
  }

  void ApplyWidth(int column) {
    SendMessageA(hwnd, LVM_SETCOLUMNWIDTH, column, Scale(widths_[column]));
  }

  int VisibleRows() const {
    return std::max(1, static_cast<int>(SendMessageA(hwnd, LVM_GETCOUNTPERPAGE, 0, 0)));
  }

  bool MoveByKey(int key) {
    const int last = model_.Rows() - 1;
    if (last < 1 || model_.Columns() == 0) return false;
    int row = cursorRow_ > 0 ? cursorRow_ : 0;
    int column = cursorRow_ > 0 ? cursorColumn_ : 0;
    switch (key) {
      case VK_UP:
        row = std::max(row - 1, 1);
        break;
      case VK_DOWN:
        row = std::min(row + 1, last);
        break;
      case VK_LEFT:
        column = std::max(column - 1, 0);
        row = std::max(row, 1);
        break;
      case VK_RIGHT:
        column = std::min(column + 1, model_.Columns() - 1);
        row = std::max(row, 1);
        break;
      case VK_PRIOR:
        row = std::max(row - VisibleRows(), 1);
        break;
      case VK_NEXT:
        row = std::min(row + VisibleRows(), last);
        break;
      case VK_HOME:
        row = 1;
        break;
      case VK_END:
        row = last;
        break;
      default:
        return false;
    }
    UserPlaceCursor(row, column);
    return true;
  }

  RECT CellRect(int item, int column) const {
    RECT rect{};
    rect.top = column;
    rect.left = LVIR_BOUNDS;
    SendMessageA(hwnd, LVM_GETSUBITEMRECT, item, reinterpret_cast<LPARAM>(&rect));
    if (column == 0) {
      // The first column's bounds are the whole row's.
      rect.right = rect.left + static_cast<int>(SendMessageA(hwnd, LVM_GETCOLUMNWIDTH, 0, 0));
    }
    return rect;
  }

  LRESULT CustomDraw(NMLVCUSTOMDRAW& draw) {
    switch (draw.nmcd.dwDrawStage) {
      case CDDS_PREPAINT:
        return CDRF_NOTIFYITEMDRAW;
      case CDDS_ITEMPREPAINT:
        return CDRF_NOTIFYSUBITEMDRAW;
      case CDDS_ITEMPREPAINT | CDDS_SUBITEM:
        DrawCell(draw.nmcd.hdc, static_cast<int>(draw.nmcd.dwItemSpec) + 1, draw.iSubItem);
        return CDRF_SKIPDEFAULT;
      default:
        return CDRF_DODEFAULT;
    }
  }

  void DrawCell(HDC dc, int row, int column) {
    const GridCell* cell = model_.Cell(row, column);
    RECT rect = CellRect(row - 1, column);
    if (rect.right <= rect.left) return;
    const bool cursorRow = row == cursorRow_;
    RECT inside = rect;
    inside.bottom -= 1;  // the grid line below
    inside.right -= 1;
    HBRUSH background = cursorRow ? CreateSolidBrush(kCursorRowColor) : nullptr;
    FillRect(dc, &inside, background ? background : GetSysColorBrush(COLOR_WINDOW));
    if (background) DeleteObject(background);
    if (cell && !cell->text.empty()) {
      RECT textRect = inside;
      InflateRect(&textRect, -Scale(kCellPadding), 0);
      SetBkMode(dc, TRANSPARENT);
      SetTextColor(dc, cell->color);
      DrawTextA(
          dc, cell->text.c_str(), static_cast<int>(cell->text.size()), &textRect,
          DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS | DrawAlignment(cell->align));
    }
    if (cursorRow && column == cursorColumn_) DrawFocusRect(dc, &inside);
  }

  GridModel model_;
  std::vector<int> widths_;
  int cursorRow_ = 0;
  int cursorColumn_ = 0;
  bool repaintPending_ = false;
};

}  // namespace

std::unique_ptr<ControlWindow> NewGridWindow(HWND parent, const RECT& place, int id) {
  return std::make_unique<GridWindow>(parent, place, id);
}

}  // namespace win32

using win32::GridWindow;
using win32::WithWidget;

int Grid::RowCount() const {
  return WithWidget<GridWindow>(core_, 0, [](GridWindow& g) { return g.Model().Rows(); });
}

void Grid::SetRowCount(int rows) {
  WithWidget<GridWindow>(core_, [&](GridWindow& g) {
    g.Model().SetRows(rows);
    g.RowsChanged();
  });
}

int Grid::ColumnCount() const {
  return WithWidget<GridWindow>(core_, 0, [](GridWindow& g) { return g.Model().Columns(); });
}

void Grid::SetColumnCount(int columns) {
  WithWidget<GridWindow>(core_, [&](GridWindow& g) { g.SetColumns(columns); });
}

void Grid::Reset() {
  WithWidget<GridWindow>(core_, [](GridWindow& g) {
    g.Model().ClearCells();
    g.HeaderChanged();
  });
}

Text Grid::CellText(int row, int column) const {
  return WithWidget<GridWindow>(core_, Text(), [&](GridWindow& g) {
    const win32::GridCell* cell = g.Model().Cell(row, column);
    return cell ? cell->text : Text();
  });
}

void Grid::SetCellText(int row, int column, const Text& text) {
  WithWidget<GridWindow>(core_, [&](GridWindow& g) {
    if (!g.Model().SetText(row, column, text)) return;
    if (row == 0)
      g.HeaderChanged();
    else
      g.Changed();
  });
}

void Grid::SetColumnWidth(int column, int pixels) {
  WithWidget<GridWindow>(core_, [&](GridWindow& g) { g.SetWidth(column, pixels); });
}

int Grid::ColumnWidth(int column) const {
  return WithWidget<GridWindow>(core_, 0, [&](GridWindow& g) { return g.Width(column); });
}

int Grid::AppendRow(const Text& firstCell) {
  return WithWidget<GridWindow>(core_, -1, [&](GridWindow& g) {
    const int row = g.Model().Append(firstCell);
    g.RowsChanged(row == 0);
    return row;
  });
}

// The cursor keeps its row number when rows remain below it, moves up when
// the last row went, and follows its row when a row above it went.
void Grid::DeleteRow(int row) {
  WithWidget<GridWindow>(core_, [&](GridWindow& g) {
    if (row < 1 || row >= g.Model().Rows()) return;
    const int cursorRow = g.CursorRow();
    const int cursorColumn = g.CursorColumn();
    g.Model().Remove(row);
    g.RowsChanged(false);
    if (cursorRow <= 0) return;
    int next = cursorRow;
    if (cursorRow > row)
      next = cursorRow - 1;
    else if (cursorRow == row && row >= g.Model().Rows())
      next = row - 1;
    g.PlaceCursor(next, cursorColumn);
  });
}

void Grid::SetAlignment(int row1, int column1, int row2, int column2, Align align) {
  WithWidget<GridWindow>(core_, [&](GridWindow& g) {
    if (!g.Model().SetAlignment(row1, column1, row2, column2, align)) return;
    if (std::min(row1, row2) <= 0)
      g.HeaderChanged();
    else
      g.Changed();
  });
}

Align Grid::CellAlignment(int row, int column) const {
  return WithWidget<GridWindow>(core_, Align::Left, [&](GridWindow& g) {
    const win32::GridCell* cell = g.Model().Cell(row, column);
    return cell ? cell->align : Align::Left;
  });
}

void Grid::SetTextColor(int row1, int column1, int row2, int column2, Color color) {
  WithWidget<GridWindow>(core_, [&](GridWindow& g) {
    if (g.Model().SetColor(row1, column1, row2, column2, color)) g.Changed();
  });
}

Color Grid::CellTextColor(int row, int column) const {
  return WithWidget<GridWindow>(core_, kDefaultTextColor, [&](GridWindow& g) {
    const win32::GridCell* cell = g.Model().Cell(row, column);
    return cell ? cell->color : kDefaultTextColor;
  });
}

int Grid::CursorRow() const {
  return WithWidget<GridWindow>(core_, 0, [](GridWindow& g) { return g.CursorRow(); });
}

int Grid::CursorColumn() const {
  return WithWidget<GridWindow>(core_, 0, [](GridWindow& g) { return g.CursorColumn(); });
}

void Grid::SetCursor(int row, int column) {
  WithWidget<GridWindow>(core_, [&](GridWindow& g) { g.PlaceCursor(row, column); });
}

long long Grid::RowKey(int row) const {
  return WithWidget<GridWindow>(core_, 0LL, [&](GridWindow& g) { return g.Model().Key(row); });
}

int Grid::RowOfKey(long long key) const {
  return WithWidget<GridWindow>(core_, -1, [&](GridWindow& g) { return g.Model().RowOfKey(key); });
}

void Grid::OnCursorMoved(std::function<void()> handler) {
  win32::SetHandler(core_, &detail::ControlCore::onEvent, std::move(handler));
}

void Grid::OnRightButton(std::function<void()> handler) {
  win32::SetHandler(core_, &detail::ControlCore::onSecondEvent, std::move(handler));
}

void Grid::UserClickCell(int row, int column) {
  // A click outside the data cells (the header row) takes the cursor away.
  WithWidget<GridWindow>(core_, [&](GridWindow& g) { g.UserPlaceCursor(row, column); });
}

// A right press raises its event wherever it is; the cursor stays.
void Grid::UserRightClickCell(int /*row*/, int /*column*/) {
  WithWidget<GridWindow>(core_, [](GridWindow& g) { g.RightClick(); });
}

}  // namespace gui
