#pragma once
// A ColumnSpec text lays out a grid's columns: parts separated by ";", each a
// title, "=" and a width in pixels, as in "序号=50;别名=100".

#include <vector>

#include "text/Text.h"

struct GridColumn {
  Text title;
  int width = 0;  // 0 hides the column

  bool operator==(const GridColumn&) const = default;
};

// The columns in the order of the parts that yield them. A part without "="
// (an empty one too) yields none; the title is the text before the first "=",
// the width the number after the last one, truncated toward zero.
std::vector<GridColumn> ParseColumnSpec(const Text& columnSpec);
