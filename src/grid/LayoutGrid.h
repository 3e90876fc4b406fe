#pragma once

#include <optional>

#include "platform/gui/Gui.h"
#include "text/Text.h"

// Lays out a grid's columns from a column spec ("title=width;..."). The
// column count defaults to the number of columns the spec yields, the row
// count to 1 (the header row only). Always returns true.
bool LayoutGrid(gui::Grid grid, const Text& spec, std::optional<int> columnCount = std::nullopt,
                int rowCount = 1, bool reset = true);
