#include "grid/ColumnSpec.h"

#include <climits>
#include <cmath>

namespace {

// Truncated toward zero and held inside the integer range, so that a huge
// number in the text cannot overflow the conversion.
int TruncatedWidth(double number) {
  double whole = std::trunc(number);
  if (whole >= static_cast<double>(INT_MAX)) return INT_MAX;
  if (whole <= static_cast<double>(INT_MIN)) return INT_MIN;
  return static_cast<int>(whole);
}

}  // namespace

std::vector<GridColumn> ParseColumnSpec(const Text& columnSpec) {
  std::vector<GridColumn> columns;
  for (const Text& part : TextSplit(columnSpec, ";")) {
    int firstEquals = find(part, "=");
    if (firstEquals == -1) continue;
    GridColumn column;
    column.title = left(part, firstEquals - 1);
    column.width = TruncatedWidth(TextToNumber(right(part, length(part) - findLast(part, "="))));
    columns.push_back(column);
  }
  return columns;
}
