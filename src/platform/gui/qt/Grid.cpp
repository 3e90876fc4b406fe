// The grid: a table whose row 0 is drawn as the header, with a cursor cell.
#include <QHeaderView>
#include <QMouseEvent>
#include <QTableView>
#include <algorithm>
#include <vector>

#include "platform/gui/Gui.h"
#include "platform/gui/qt/ControlWidgets.h"
#include "platform/gui/qt/Cores.h"
#include "platform/gui/qt/GridModel.h"

namespace gui {
namespace qt {
namespace {

constexpr int kDefaultColumnWidth = 80;

class GridWidget : public QTableView, public ControlWidget {
 public:
  explicit GridWidget(QWidget* parent) : QTableView(parent), model_(new GridModel(this)) {
    setModel(model_);
    verticalHeader()->hide();  // column 0 holds the row numbers
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    QHeaderView* header = horizontalHeader();
    header->setSectionsClickable(false);
    header->setHighlightSections(false);
    header->setSectionResizeMode(QHeaderView::Interactive);
    header->setStretchLastSection(false);
    header->setMinimumSectionSize(1);
    header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setWordWrap(false);
    model_->SetRows(1);
    // A click on the header row takes the cursor off the data rows.
    header->viewport()->installEventFilter(this);
    QObject::connect(selectionModel(), &QItemSelectionModel::currentChanged, this, [this] {
      if (programChanges_ == 0) Raise(core, &ControlCore::onEvent);
    });
  }

  GridModel& Model() { return *model_; }

  // What the program does to the grid moves no cursor event.
  template <class F>
  auto AsProgram(F&& f) {
    ++programChanges_;
    struct Done {
      int& count;
      ~Done() { --count; }
    } done{programChanges_};
    return f();
  }

  int CursorRow() const { return currentIndex().isValid() ? currentIndex().row() + 1 : 0; }
  int CursorColumn() const { return currentIndex().isValid() ? currentIndex().column() : 0; }

  // Moves the cursor to a data cell, or takes it away.
  void PlaceCursor(int row, int column) {
    if (IsDataCell(row, column)) {
      selectionModel()->setCurrentIndex(
          model_->index(row - 1, column),
          QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    } else {
      selectionModel()->clearSelection();
      selectionModel()->clearCurrentIndex();
    }
  }

  bool IsDataCell(int row, int column) const {
    return row >= 1 && row < model_->Rows() && column >= 0 && column < model_->Columns();
  }

  // The right button acts on the cursor cell, wherever it is pressed: it
  // never moves the cursor.
  void RightClick() { Raise(core, &ControlCore::onSecondEvent); }

  void SetColumns(int columns) {
    AsProgram([&] { model_->SetColumns(columns); });
    widths_.resize(static_cast<size_t>(model_->Columns()), kDefaultColumnWidth);
    for (int c = 0; c < model_->Columns(); ++c) ApplyWidth(c);
  }

  void SetWidth(int column, int pixels) {
    if (column < 0 || column >= model_->Columns()) return;
    widths_[column] = std::max(pixels, 0);
    ApplyWidth(column);
  }

  int Width(int column) const {
    return column >= 0 && column < model_->Columns() ? widths_[column] : 0;
  }

 protected:
  // Getting the focus must not put a cursor on the first row by itself: the
  // cursor moves only when the user moves it.
  void focusInEvent(QFocusEvent* event) override {
    const bool hadCursor = currentIndex().isValid();
    AsProgram([&] {
      QTableView::focusInEvent(event);
      if (!hadCursor) selectionModel()->clearCurrentIndex();
    });
  }

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == horizontalHeader()->viewport() && event->type() == QEvent::MouseButtonPress) {
      if (static_cast<QMouseEvent*>(event)->button() == Qt::RightButton) {
        RightClick();
        return true;
      }
      PlaceCursor(0, 0);
    }
    return QTableView::eventFilter(watched, event);
  }

  void mousePressEvent(QMouseEvent* event) override {
    if (event->button() != Qt::RightButton) {
      QTableView::mousePressEvent(event);
      return;
    }
    RightClick();
  }

 private:
  void ApplyWidth(int column) {
    horizontalHeader()->setSectionHidden(column, widths_[column] == 0);
    if (widths_[column] > 0) horizontalHeader()->resizeSection(column, widths_[column]);
  }

  GridModel* model_;
  std::vector<int> widths_;
  int programChanges_ = 0;
};

}  // namespace

QWidget* NewGridWidget(QWidget* parent) {
  return new GridWidget(parent);
}

}  // namespace qt

using qt::GridWidget;
using qt::WithWidget;

int Grid::RowCount() const {
  return WithWidget<GridWidget>(core_, 0, [](GridWidget& g) { return g.Model().Rows(); });
}

void Grid::SetRowCount(int rows) {
  WithWidget<GridWidget>(core_,
                         [&](GridWidget& g) { g.AsProgram([&] { g.Model().SetRows(rows); }); });
}

int Grid::ColumnCount() const {
  return WithWidget<GridWidget>(core_, 0, [](GridWidget& g) { return g.Model().Columns(); });
}

void Grid::SetColumnCount(int columns) {
  WithWidget<GridWidget>(core_, [&](GridWidget& g) { g.SetColumns(columns); });
}

void Grid::Reset() {
  WithWidget<GridWidget>(core_, [](GridWidget& g) { g.Model().ClearCells(); });
}

Text Grid::CellText(int row, int column) const {
  return WithWidget<GridWidget>(core_, Text(), [&](GridWidget& g) {
    const qt::GridCell* cell = g.Model().Cell(row, column);
    return cell ? cell->text : Text();
  });
}

void Grid::SetCellText(int row, int column, const Text& text) {
  WithWidget<GridWidget>(core_, [&](GridWidget& g) { g.Model().SetText(row, column, text); });
}

void Grid::SetColumnWidth(int column, int pixels) {
  WithWidget<GridWidget>(core_, [&](GridWidget& g) { g.SetWidth(column, pixels); });
}

int Grid::ColumnWidth(int column) const {
  return WithWidget<GridWidget>(core_, 0, [&](GridWidget& g) { return g.Width(column); });
}

int Grid::AppendRow(const Text& firstCell) {
  return WithWidget<GridWidget>(core_, -1, [&](GridWidget& g) {
    return g.AsProgram([&] { return g.Model().Append(firstCell); });
  });
}

// The cursor keeps its row number when rows remain below it, moves up when
// the last row went, and follows its row when a row above it went.
void Grid::DeleteRow(int row) {
  WithWidget<GridWidget>(core_, [&](GridWidget& g) {
    if (row < 1 || row >= g.Model().Rows()) return;
    const int cursorRow = g.CursorRow();
    const int cursorColumn = g.CursorColumn();
    g.AsProgram([&] {
      g.Model().Remove(row);
      if (cursorRow <= 0) return;
      int next = cursorRow;
      if (cursorRow > row)
        next = cursorRow - 1;
      else if (cursorRow == row && row >= g.Model().Rows())
        next = row - 1;
      g.PlaceCursor(next, cursorColumn);
    });
  });
}

void Grid::SetAlignment(int row1, int column1, int row2, int column2, Align align) {
  WithWidget<GridWidget>(
      core_, [&](GridWidget& g) { g.Model().SetAlignment(row1, column1, row2, column2, align); });
}

Align Grid::CellAlignment(int row, int column) const {
  return WithWidget<GridWidget>(core_, Align::Left, [&](GridWidget& g) {
    const qt::GridCell* cell = g.Model().Cell(row, column);
    return cell ? cell->align : Align::Left;
  });
}

void Grid::SetTextColor(int row1, int column1, int row2, int column2, Color color) {
  WithWidget<GridWidget>(
      core_, [&](GridWidget& g) { g.Model().SetColor(row1, column1, row2, column2, color); });
}

Color Grid::CellTextColor(int row, int column) const {
  return WithWidget<GridWidget>(core_, kDefaultTextColor, [&](GridWidget& g) {
    const qt::GridCell* cell = g.Model().Cell(row, column);
    return cell ? cell->color : kDefaultTextColor;
  });
}

int Grid::CursorRow() const {
  return WithWidget<GridWidget>(core_, 0, [](GridWidget& g) { return g.CursorRow(); });
}

int Grid::CursorColumn() const {
  return WithWidget<GridWidget>(core_, 0, [](GridWidget& g) { return g.CursorColumn(); });
}

void Grid::SetCursor(int row, int column) {
  WithWidget<GridWidget>(core_,
                         [&](GridWidget& g) { g.AsProgram([&] { g.PlaceCursor(row, column); }); });
}

long long Grid::RowKey(int row) const {
  return WithWidget<GridWidget>(core_, 0LL, [&](GridWidget& g) { return g.Model().Key(row); });
}

int Grid::RowOfKey(long long key) const {
  return WithWidget<GridWidget>(core_, -1, [&](GridWidget& g) { return g.Model().RowOfKey(key); });
}

void Grid::OnCursorMoved(std::function<void()> handler) {
  qt::SetHandler(core_, &detail::ControlCore::onEvent, std::move(handler));
}

void Grid::OnRightButton(std::function<void()> handler) {
  qt::SetHandler(core_, &detail::ControlCore::onSecondEvent, std::move(handler));
}

void Grid::UserClickCell(int row, int column) {
  // A click outside the data cells (the header row) takes the cursor away.
  WithWidget<GridWidget>(core_, [&](GridWidget& g) { g.PlaceCursor(row, column); });
}

void Grid::UserRightClickCell(int, int) {
  WithWidget<GridWidget>(core_, [](GridWidget& g) { g.RightClick(); });
}

}  // namespace gui
