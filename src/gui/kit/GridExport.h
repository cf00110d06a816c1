#pragma once

#include <QString>
#include <optional>

namespace tkd::gui {

class DataGrid;

// Writes a grid as it is shown: its visible columns in their on-screen order under their
// header titles, the rows its result currently lets through, each cell as the grid shows it.
// Money goes out as numbers with two decimals and dates as dates; yes/no as "是" or "否".
// The grid need not be on screen. Each returns the reason in the user's words when the file
// could not be written; a failed export leaves whatever was at the path untouched.

// UTF-8 with a byte-order mark, comma-separated, quoted where needed, CRLF line ends.
std::optional<QString> exportCsv(const DataGrid& grid, const QString& path);
// One worksheet: the titles in the first row, money cells "0.00", dates "yyyy-mm-dd" (with
// " hh:mm:ss" when the grid shows a time).
std::optional<QString> exportXlsx(const DataGrid& grid, const QString& path);

} // namespace tkd::gui
