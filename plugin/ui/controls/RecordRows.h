#pragma once
// A grid's rows as a list of the owner's records of one kind and the function that writes a
// record's texts: the records are kept as they are, and a row is formatted only when the grid
// asks for its texts.
#include "ui/controls/GridRowSource.h"

#include <functional>
#include <utility>
#include <vector>

namespace controls {

// Puts `text` into the cell of `column` when the grid has that column.
inline void setCell(std::vector<QString>& cells, std::size_t column, QString text)
{
    if (column < cells.size())
        cells[column] = std::move(text);
}

template <class Record>
class RecordRows : public GridRowSource {
public:
    // `write(record, row, cells)`: the texts of `record`, shown in source row `row`.
    using Write = std::function<void(const Record&, int, std::vector<QString>&)>;

    RecordRows(std::vector<Record> records, Write write) : records_(std::move(records)), write_(std::move(write)) {}

    int rowCount() const override { return static_cast<int>(records_.size()); }
    void writeTexts(int row, std::vector<QString>& cells) const override
    {
        if (row >= 0 && row < rowCount())
            write_(records_[static_cast<std::size_t>(row)], row, cells);
    }

private:
    std::vector<Record> records_;
    Write write_;
};

} // namespace controls
