#pragma once
// The cells of a grid. Row 0 is the header row and is given to the view as
// its horizontal header; data rows 1..n-1 are the view's rows 0..n-2.

#include <QAbstractTableModel>
#include <vector>

#include "platform/gui/Gui.h"

namespace gui::qt {

struct GridCell {
  Text text;
  QString shown;  // the text as the view draws it
  Color color = kDefaultTextColor;
};

class GridModel : public QAbstractTableModel {
 public:
  explicit GridModel(QObject* parent) : QAbstractTableModel(parent) {}

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  // All in grid rows (0 = header). Out-of-range cells read as null and are
  // not written.
  int Rows() const { return static_cast<int>(rows_.size()); }
  int Columns() const { return columns_; }
  void SetRows(int rows);
  void SetColumns(int columns);
  void ClearCells();
  const GridCell* Cell(int row, int column) const;
  void SetText(int row, int column, const Text& text);
  // Rectangle inclusive, corners in any order, clipped to the grid.
  void SetAlignment(int row1, int column1, int row2, int column2, Align align);
  Align Alignment(int row, int column) const;  // of an existing cell
  void SetColor(int row1, int column1, int row2, int column2, Color color);
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
  // Tells the view that cells of rows row1..row2 and columns column1..column2 changed.
  void Changed(int row1, int column1, int row2, int column2);
  template <class F>
  void ForRectangle(int row1, int column1, int row2, int column2, F&& f);

  // Alignment is kept per rectangle, not per cell, so that aligning a
  // range costs the same for ten rows as for ten thousand. Rows are only
  // appended at the end, so row keys grow down the grid and a rectangle's
  // rows stay those between its first and last row key, whatever rows are
  // removed. Later rectangles come last and win.
  struct AlignedRange {
    long long firstKey, lastKey;
    int column1, column2;
    Align align;
  };
  std::vector<AlignedRange> alignedRanges_;

  std::vector<Row> rows_;
  int columns_ = 0;
  long long nextKey_ = 1;
};

}  // namespace gui::qt
