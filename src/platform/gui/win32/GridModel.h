#pragma once
// The cells of a grid. Row 0 is the header row and is shown as the list's
// column headers; data rows 1..n-1 are the list's items 0..n-2.

#include <vector>

#include "platform/gui/Gui.h"

namespace gui::win32 {

struct GridCell {
  Text text;
  Color color = kDefaultTextColor;
  Align align = Align::Left;
};

class GridModel {
 public:
  // All in grid rows (0 = header). Out-of-range cells read as null and are
  // not written.
  int Rows() const { return static_cast<int>(rows_.size()); }
  int Columns() const { return columns_; }
  void SetRows(int rows);
  void SetColumns(int columns);
  void ClearCells();
  const GridCell* Cell(int row, int column) const;
  bool SetText(int row, int column, const Text& text);
  // Rectangle inclusive, corners in any order, clipped to the grid. False
  // when nothing of it lies inside.
  bool SetAlignment(int row1, int column1, int row2, int column2, Align align);
  bool SetColor(int row1, int column1, int row2, int column2, Color color);
  int Append(const Text& firstCell);
  void Remove(int row);
  long long Key(int row) const;
  int RowOfKey(long long key) const;

 private:
  struct Row {
    long long key;
    std::vector<GridCell> cells;
  };
  Row NewRow();
  template <class F>
  bool ForRectangle(int row1, int column1, int row2, int column2, F&& f);

  std::vector<Row> rows_;
  int columns_ = 0;
  long long nextKey_ = 1;
};

}  // namespace gui::win32
