#pragma once

#include <optional>

#include "platform/gui/Gui.h"
#include "text/Text.h"

// Lays out a grid's columns from a ColumnSpec text ("title=width;..."). The
// column count defaults to the number of columns the text yields, the row
// count to 1 (the header row only). Always returns true.
bool LayoutGrid(gui::Grid grid, const Text& columnSpec,
                std::optional<int> columnCount = std::nullopt, int rowCount = 1, bool reset = true);
