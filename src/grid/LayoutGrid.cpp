#include "grid/LayoutGrid.h"

#include "grid/ColumnSpec.h"

bool LayoutGrid(gui::Grid grid, const Text& columnSpec, std::optional<int> columnCount,
                int rowCount, bool reset) {
  if (reset) grid.Reset();
  grid.SetRowCount(rowCount);
  if (reset) grid.Reset();
  std::vector<GridColumn> columns = ParseColumnSpec(columnSpec);
  grid.SetColumnCount(columnCount.value_or(static_cast<int>(columns.size())));
  for (size_t j = 0; j < columns.size(); ++j) {
    int column = static_cast<int>(j);
    grid.SetCellText(0, column, columns[j].title);
    grid.SetColumnWidth(column, columns[j].width);
  }
  return true;
}
