#pragma once

#include "cli/commands.h"

#include <ostream>
#include <string>
#include <vector>

namespace CLI {
class App;
}

namespace zandrevio::cli {

// The words of the table models: poisson, erlang-b, ...
std::vector<std::string> TableModelWords();

struct TableOptions {
    std::string model;
    std::string channels; // "1-100", "1-100:5" or "5,10,15": the traffic each count carries
    std::string traffic;  // "1-50:0.5" or a list: the channels each traffic needs
    std::string gos;      // the GOS columns; the classic seven where empty
    std::string format = "text";
    std::string recall;       // extended-erlang-b: the share of blocked calls that retry
    std::string handlingTime; // erlang-c-service-level, s
    std::string targetTime;   // erlang-c-service-level, s
    std::string serviceLevel; // erlang-c-service-level: the table's columns
    std::string time;         // itm: the time percentages, the table's rows
    std::string location;     // itm: the location percentages, its columns
    std::string availability; // availability: the target availabilities (%), its columns
    // The options of the calculation a table runs (itm's path, frequency...;
    // availability's hop and climate), as given.
    std::vector<std::pair<std::string, std::string>> given;
};

void AddTableOptions(CLI::App& table, TableOptions& options);

// The table's cells as the window would show each, row by row.
struct Table {
    std::vector<std::string> header; // the row key's name, then each GOS
    std::vector<std::vector<std::string>> rows;
};
Table MakeTable(const TableOptions& options, const Settings& settings);
void WriteTable(std::ostream& out, const Table& table, const std::string& format, const std::string& model);

// The `table` subcommand, written as its rows are worked out (JSON where
// `json`); a bad range, list or model is a usage error, a refused cell makes
// the status 1 with a summary on `err`.
int PrintTable(const TableOptions& options, const Settings& settings, bool json, std::ostream& out, std::ostream& err);

} // namespace zandrevio::cli
