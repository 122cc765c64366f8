#pragma once

#include <filesystem>
#include <string>
#include <utility>
#include <variant>
#include <vector>

// A table of sites as CSV (RFC 4180, read strictly): a header row of column
// names, then a row a site. Each row keeps the line it starts on, for the
// messages that name it.
namespace zandrevio {

struct SiteRow {
    std::size_t line = 0;
    std::vector<std::string> cells; // in the header's order; a short row's missing cells empty
};

struct SiteTable {
    std::vector<std::string> columns; // as the header names them, spaces around them left out
    std::size_t headerLine = 1;
    std::vector<SiteRow> rows;
};

// The table, or why not ("line 4: ..."): a file that cannot be read, text
// that is not CSV, no header, two columns of one name, a row with more cells
// than the header, no rows.
std::variant<SiteTable, std::string> ReadSiteTable(const std::filesystem::path& file);
std::variant<SiteTable, std::string> ReadSiteTableText(const std::string& text);

} // namespace zandrevio
