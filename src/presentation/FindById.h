#pragma once
// Looking up a row of a table by the command or template number it is keyed on.

#include <span>

namespace orlu {

/// The first row whose `id` is `id`; nullptr when there is none.
template <class Row>
Row* FindById(std::span<Row> rows, int id)
{
    for (Row& row : rows)
        if (row.id == id)
            return &row;
    return nullptr;
}

} // namespace orlu
