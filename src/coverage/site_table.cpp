#include "coverage/site_table.h"

#include <csv.h>

#include <fstream>
#include <iterator>
#include <string_view>

namespace zandrevio {

namespace {
// A table of sites is a few kilobytes; one of more than 64 MiB is not one.
constexpr std::size_t kMostBytes = std::size_t{64} << 20;
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

std::string Trimmed(std::string text)
{
    const std::size_t first = text.find_first_not_of(" \t");
    const std::size_t last = text.find_last_not_of(" \t");
    return first == std::string::npos ? std::string() : text.substr(first, last - first + 1);
}

class SiteReader {
public:
    SiteReader()
    {
        if (csv_init(&m_parser, CSV_STRICT | CSV_STRICT_FINI) != 0) {
            m_error = "the CSV reader could not start";
        }
    }
    ~SiteReader() { csv_free(&m_parser); }
    SiteReader(const SiteReader&) = delete;
    SiteReader& operator=(const SiteReader&) = delete;

    std::variant<SiteTable, std::string> Read(std::string_view text)
    {
        if (text.substr(0, kByteOrderMark.size()) == kByteOrderMark) {
            text.remove_prefix(kByteOrderMark.size());
        }
        // A line at a time, so that each record knows the line it starts on.
        while (!text.empty() && m_error.empty()) {
            const std::size_t newline = text.find('\n');
            const std::size_t length = newline == std::string_view::npos ? text.size() : newline + 1;
            const std::string_view line = text.substr(0, length);
            if (line.find('\0') != std::string_view::npos) {
                return "line " + std::to_string(m_line) + ": a NUL byte: the sites' file is not CSV text";
            }
            if (m_recordLine == 0 && line.find_first_not_of(" \t\r\n") != std::string_view::npos) {
                m_recordLine = m_line;
            }
            if (csv_parse(&m_parser, line.data(), line.size(), OnField, OnRecordEnd, this) != line.size() &&
                m_error.empty()) {
                m_error = "line " + std::to_string(m_line) + ": a quote out of place (" +
                    csv_strerror(csv_error(&m_parser)) + ")";
            }
            m_line += newline != std::string_view::npos ? 1 : 0;
            text.remove_prefix(length);
        }
        if (m_error.empty() && csv_fini(&m_parser, OnField, OnRecordEnd, this) != 0) {
            m_error = "line " + std::to_string(m_recordLine) + ": a quoted field is never closed";
        }
        if (!m_error.empty()) {
            return m_error;
        }
        if (m_table.columns.empty()) {
            return std::string("the sites' file is empty: it needs a header row and a row a site");
        }
        if (m_table.rows.empty()) {
            return "line " + std::to_string(m_table.headerLine) + ": the header has no site below it";
        }
        return std::move(m_table);
    }

private:
    static void OnField(void* data, std::size_t length, void* self)
    {
        auto& reader = *static_cast<SiteReader*>(self);
        reader.m_fields.emplace_back(data != nullptr ? static_cast<const char*>(data) : "", length);
    }

    static void OnRecordEnd(int, void* self)
    {
        auto& reader = *static_cast<SiteReader*>(self);
        if (reader.m_error.empty()) {
            reader.Record(reader.m_recordLine != 0 ? reader.m_recordLine : reader.m_line);
        }
        reader.m_fields.clear();
        reader.m_recordLine = 0;
    }

    void Record(std::size_t line)
    {
        if (m_table.columns.empty()) {
            m_table.headerLine = line;
            for (std::string& field : m_fields) {
                const std::string name = Trimmed(field);
                for (const std::string& known : m_table.columns) {
                    if (known == name) {
                        m_error = "line " + std::to_string(line) + ": two columns are named '" + name + "'";
                        return;
                    }
                }
                m_table.columns.push_back(name);
            }
            return;
        }
        if (m_fields.size() > m_table.columns.size()) {
            m_error = "line " + std::to_string(line) + ": " + std::to_string(m_fields.size()) + " cells under " +
                std::to_string(m_table.columns.size()) + " columns";
            return;
        }
        SiteRow row{line, {}};
        for (std::string& field : m_fields) {
            row.cells.push_back(Trimmed(std::move(field)));
        }
        row.cells.resize(m_table.columns.size());
        m_table.rows.push_back(std::move(row));
    }

    csv_parser m_parser{};
    std::string m_error;
    std::size_t m_line = 1;
    std::size_t m_recordLine = 0;
    std::vector<std::string> m_fields;
    SiteTable m_table;
};
} // namespace

std::variant<SiteTable, std::string> ReadSiteTableText(const std::string& text)
{
    SiteReader reader;
    return reader.Read(text);
}

std::variant<SiteTable, std::string> ReadSiteTable(const std::filesystem::path& file)
{
    std::error_code error;
    if (std::filesystem::is_directory(file, error)) {
        return file.string() + " is a folder, not a table of sites";
    }
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        return "cannot open " + file.string();
    }
    std::string text;
    text.resize(kMostBytes + 1);
    in.read(text.data(), static_cast<std::streamsize>(text.size()));
    if (in.bad()) {
        return "cannot read " + file.string();
    }
    text.resize(static_cast<std::size_t>(in.gcount()));
    if (text.size() > kMostBytes) {
        return file.string() + " is larger than 64 MiB, too large for a table of sites";
    }
    return ReadSiteTableText(text);
}

} // namespace zandrevio
