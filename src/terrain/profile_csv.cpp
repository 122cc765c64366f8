#include "terrain/profile_csv.h"

#include "numeric/format.h"

#include <csv.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

namespace zandrevio {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::size_t kNoColumn = static_cast<std::size_t>(-1);

std::string AtLine(std::size_t line)
{
    return "line " + std::to_string(line);
}

std::string_view Trimmed(std::string_view text)
{
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front()))) {
        text.remove_prefix(1);
    }
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back()))) {
        text.remove_suffix(1);
    }
    return text;
}

// A column named `word`, in any case, alone or with a unit after a space, an
// underscore or a parenthesis: "Distance", "distance_km", "height (m)".
bool Names(std::string_view cell, std::string_view word)
{
    cell = Trimmed(cell);
    if (cell.size() < word.size()) {
        return false;
    }
    for (std::size_t i = 0; i < word.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(cell[i])) != word[i]) {
            return false;
        }
    }
    return cell.size() == word.size() || cell[word.size()] == ' ' || cell[word.size()] == '_' ||
        cell[word.size()] == '(';
}

// A cell as a number, read the same in every locale; false when it is not
// one. A value past the extended range reads as infinite.
bool ReadNumber(std::string_view cell, long double& value)
{
    cell = Trimmed(cell);
    if (!cell.empty() && cell.front() == '+') {
        cell.remove_prefix(1);
    }
    if (cell.empty()) {
        return false;
    }
    const auto [end, error] = std::from_chars(cell.data(), cell.data() + cell.size(), value);
    if (end != cell.data() + cell.size()) {
        return false;
    }
    if (error == std::errc::result_out_of_range) {
        value = HUGE_VALL; // past the extended range: read, then refused as not finite
        return true;
    }
    return error == std::errc{};
}

// The state of one reading: libcsv hands each field and each record's end
// here; the first fault ends the reading.
class ProfileReader {
public:
    ProfileReader()
    {
        if (csv_init(&m_parser, CSV_STRICT | CSV_STRICT_FINI) != 0) {
            m_error = "the CSV reader could not start";
        }
    }
    ~ProfileReader() { csv_free(&m_parser); }
    ProfileReader(const ProfileReader&) = delete;
    ProfileReader& operator=(const ProfileReader&) = delete;

    TerrainOutcome<TerrainProfile> Read(std::istream& in)
    {
        std::array<char, 65536> block{};
        bool first = true;
        while (m_error.empty() && in) {
            in.read(block.data(), block.size());
            std::string_view bytes(block.data(), static_cast<std::size_t>(in.gcount()));
            if (bytes.empty()) {
                break;
            }
            if (first && bytes.size() >= 2 &&
                ((bytes[0] == '\xFF' && bytes[1] == '\xFE') || (bytes[0] == '\xFE' && bytes[1] == '\xFF'))) {
                return Failure("the profile is UTF-16 text, not CSV: save it as UTF-8");
            }
            if (first && bytes.substr(0, kByteOrderMark.size()) == kByteOrderMark) {
                bytes.remove_prefix(kByteOrderMark.size());
            }
            first = false;
            Feed(bytes);
        }
        if (in.bad()) {
            return Failure("the profile could not be read");
        }
        if (m_error.empty() && csv_fini(&m_parser, OnField, OnRecordEnd, this) != 0) {
            m_error =
                "a quoted field starting at " + AtLine(m_recordLine != 0 ? m_recordLine : m_line) + " is never closed";
        }
        if (!m_error.empty()) {
            return Failure(m_error);
        }
        if (!m_seenRecord) {
            return Failure("the profile is empty");
        }
        if (m_profile.points.size() < 3) {
            return Failure("the profile has " + std::to_string(m_profile.points.size()) +
                           (m_profile.points.size() == 1 ? " point" : " points") + "; a path needs at least 3");
        }
        return std::move(m_profile);
    }

private:
    static TerrainOutcome<TerrainProfile> Failure(std::string message)
    {
        return TerrainOutcome<TerrainProfile>::Failure(std::move(message));
    }

    // One line at a time, so that each record's line is known and a row past
    // the bound is refused before it is held.
    void Feed(std::string_view bytes)
    {
        while (!bytes.empty() && m_error.empty()) {
            const std::size_t newline = bytes.find('\n');
            const std::size_t length = newline == std::string_view::npos ? bytes.size() : newline + 1;
            const std::string_view line = bytes.substr(0, length);
            if (line.find('\0') != std::string_view::npos) {
                m_error = "the profile is not CSV text: " + AtLine(m_line) + " holds a NUL byte";
                return;
            }
            if (m_recordLine == 0 && Trimmed(line).size() > 0) {
                m_recordLine = m_line;
            }
            m_pending += length;
            if (m_pending > kMaxProfileRow) {
                m_error = "the row at " + AtLine(m_recordLine) + " is longer than " + std::to_string(kMaxProfileRow) +
                    " bytes (or a quoted field there is never closed)";
                return;
            }
            if (csv_parse(&m_parser, line.data(), line.size(), OnField, OnRecordEnd, this) != line.size() &&
                m_error.empty()) {
                m_error = "the profile is not CSV: " + AtLine(m_line) + " has a quote out of place (" +
                    csv_strerror(csv_error(&m_parser)) + ")";
            }
            if (newline != std::string_view::npos) {
                ++m_line;
            }
            bytes.remove_prefix(length);
        }
    }

    static void OnField(void* data, std::size_t length, void* self)
    {
        auto& reader = *static_cast<ProfileReader*>(self);
        reader.m_fields.emplace_back(data != nullptr ? static_cast<const char*>(data) : "", length);
    }

    static void OnRecordEnd(int, void* self)
    {
        auto& reader = *static_cast<ProfileReader*>(self);
        if (reader.m_error.empty()) {
            reader.Record(reader.m_recordLine != 0 ? reader.m_recordLine : reader.m_line);
        }
        reader.m_fields.clear();
        reader.m_pending = 0;
        reader.m_recordLine = 0;
    }

    void Record(std::size_t line)
    {
        if (!m_seenRecord) {
            m_seenRecord = true;
            const FirstRow first = Header(line);
            if (first != FirstRow::Numbers) {
                return;
            }
            // No header: two numeric columns, distance then height.
            if (m_fields.size() != 2) {
                m_error = AtLine(line) + " has " + std::to_string(m_fields.size()) +
                    " columns: without a header a profile has two, distance (km) and height (m)";
                return;
            }
            m_distanceColumn = 0;
            m_heightColumn = 1;
            m_columns = 2;
        }
        if (m_fields.size() < m_columns) {
            m_error = AtLine(line) + " has " + std::to_string(m_fields.size()) + " of the " +
                std::to_string(m_columns) + " columns";
            return;
        }
        long double distance = 0.0L;
        long double height = 0.0L;
        if (!Cell(line, m_distanceColumn, "distance", distance) || !Cell(line, m_heightColumn, "height", height)) {
            return;
        }
        if (const std::string fault = GroundHeightFault(height); !fault.empty()) {
            m_error = "the height at " + AtLine(line) + ": " + fault;
            return;
        }
        if (const std::string fault = PathLengthFault(distance); !fault.empty()) {
            m_error = "the distance at " + AtLine(line) + ": " + fault;
            return;
        }
        auto& points = m_profile.points;
        if (points.empty() && distance != 0.0L) {
            m_error = "the first distance, at " + AtLine(line) + ", is " + FormatFull(distance) +
                " km: a profile starts at 0 km";
            return;
        }
        if (!points.empty() && !(distance > points.back().distanceKm)) {
            m_error = "the distance at " + AtLine(line) + " (" + FormatFull(distance) +
                " km) is not greater than the one before it (" + FormatFull(points.back().distanceKm) + " km)";
            return;
        }
        points.push_back({distance, height});
    }

    enum class FirstRow { Numbers, Header, Fault };

    // What the first record is: numbers (a profile without a header), a
    // header naming both columns (which sets them), or neither.
    FirstRow Header(std::size_t line)
    {
        bool numeric = !m_fields.empty();
        for (const std::string& field : m_fields) {
            long double ignored = 0.0L;
            numeric = numeric && ReadNumber(field, ignored);
        }
        if (numeric) {
            return FirstRow::Numbers;
        }
        for (std::size_t i = 0; i < m_fields.size(); ++i) {
            for (auto [word, column] : {std::pair{"distance", &m_distanceColumn}, {"height", &m_heightColumn}}) {
                if (!Names(m_fields[i], word)) {
                    continue;
                }
                if (*column != kNoColumn) {
                    m_error = "the header at " + AtLine(line) + " names two " + word + " columns";
                    return FirstRow::Fault;
                }
                *column = i;
            }
        }
        if (m_distanceColumn == kNoColumn || m_heightColumn == kNoColumn) {
            m_error = "the header at " + AtLine(line) + " names no " +
                (m_distanceColumn == kNoColumn ? "distance" : "height") +
                " column (a header names `distance` in km and `height` in m)";
            return FirstRow::Fault;
        }
        m_columns = std::max(m_distanceColumn, m_heightColumn) + 1;
        return FirstRow::Header;
    }

    bool Cell(std::size_t line, std::size_t column, const char* name, long double& value)
    {
        const std::string& cell = m_fields[column];
        if (!ReadNumber(cell, value)) {
            m_error = "the " + std::string(name) + " at " + AtLine(line) + " is not a number: \"" + cell.substr(0, 40) +
                (cell.size() > 40 ? "...\"" : "\"");
            return false;
        }
        if (!std::isfinite(value)) {
            m_error = "the " + std::string(name) + " at " + AtLine(line) + " is not a finite number: \"" +
                cell.substr(0, 40) + "\"";
            return false;
        }
        return true;
    }

    csv_parser m_parser{};
    std::string m_error;
    TerrainProfile m_profile;
    std::vector<std::string> m_fields;
    std::size_t m_line = 1;       // the line being fed
    std::size_t m_recordLine = 0; // where the record being read starts; 0 before its first byte
    std::size_t m_pending = 0;    // bytes of the record not yet ended
    bool m_seenRecord = false;
    std::size_t m_distanceColumn = kNoColumn;
    std::size_t m_heightColumn = kNoColumn;
    std::size_t m_columns = 0;
};

// The shortest text that reads back to the same extended value.
void AppendNumber(std::string& row, long double value)
{
    std::array<char, 64> text{};
    const auto result = std::to_chars(text.data(), text.data() + text.size(), value);
    row.append(text.data(), result.ptr);
}

} // namespace

TerrainOutcome<TerrainProfile> ReadProfileCsv(std::istream& in)
{
    ProfileReader reader;
    return reader.Read(in);
}

TerrainOutcome<TerrainProfile> ReadProfileCsvText(std::string_view text)
{
    std::istringstream in{std::string(text)};
    return ReadProfileCsv(in);
}

TerrainOutcome<TerrainProfile> ReadProfileCsvFile(const std::filesystem::path& path)
{
    std::error_code error;
    if (std::filesystem::is_directory(path, error)) {
        return TerrainOutcome<TerrainProfile>::Failure(path.string() + " is a folder, not a profile's CSV file");
    }
    std::ifstream in(path, std::ios::binary);
    if (!in.is_open()) {
        return TerrainOutcome<TerrainProfile>::Failure("cannot open " + path.string() + ": " + std::strerror(errno));
    }
    auto outcome = ReadProfileCsv(in);
    if (!outcome.Ok()) {
        return TerrainOutcome<TerrainProfile>::Failure(path.string() + ": " + outcome.Error());
    }
    return outcome;
}

std::string WriteProfileCsv(std::ostream& out, const TerrainProfile& profile)
{
    std::string row = "distance,height\n";
    out << row;
    for (const ProfilePoint& point : profile.points) {
        row.clear();
        AppendNumber(row, point.distanceKm);
        row += ',';
        AppendNumber(row, point.heightM);
        row += '\n';
        out.write(row.data(), static_cast<std::streamsize>(row.size()));
        if (!out) {
            return "the profile could not be written";
        }
    }
    out.flush();
    return out ? std::string() : std::string("the profile could not be written");
}

namespace {
// Writes every byte to the descriptor; 0 or the errno of the failure.
int WriteAll(int descriptor, const std::string& bytes)
{
    std::size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t count = write(descriptor, bytes.data() + written, bytes.size() - written);
        if (count < 0 && errno == EINTR) {
            continue;
        }
        if (count <= 0) {
            return count < 0 ? errno : ENOSPC;
        }
        written += static_cast<std::size_t>(count);
    }
    return 0;
}

// A device or a pipe (/dev/stdout) is written as it is.
std::string WriteInPlace(const std::filesystem::path& path, const std::string& bytes)
{
    const int descriptor = open(path.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
    if (descriptor < 0) {
        return "cannot create " + path.string() + ": " + std::strerror(errno);
    }
    int code = WriteAll(descriptor, bytes);
    if (close(descriptor) != 0 && code == 0) {
        code = errno;
    }
    return code == 0 ? std::string() : path.string() + ": " + std::strerror(code);
}
} // namespace

// A file is written beside its place under a temporary name and renamed
// over it only once every byte is written: a failed write leaves no half
// profile, and an older file of the name stays as it was.
std::string WriteProfileCsvFile(const std::filesystem::path& path, const TerrainProfile& profile)
{
    std::ostringstream text;
    std::string error = WriteProfileCsv(text, profile);
    if (!error.empty()) {
        return path.string() + ": " + error;
    }
    const std::string bytes = text.str();
    struct stat existing { };
    if (stat(path.c_str(), &existing) == 0 && !S_ISREG(existing.st_mode)) {
        return WriteInPlace(path, bytes);
    }
    std::string temporary = path.string() + ".XXXXXX";
    const int descriptor = mkstemp(temporary.data());
    if (descriptor < 0) {
        return "cannot create " + path.string() + ": " + std::strerror(errno);
    }
    int code = WriteAll(descriptor, bytes);
    // A file made by mkstemp is private (0600); a profile is not.
    const mode_t mask = umask(0);
    umask(mask);
    if (code == 0 && (fchmod(descriptor, 0666 & ~mask) != 0 || fsync(descriptor) != 0)) {
        code = errno;
    }
    if (close(descriptor) != 0 && code == 0) {
        code = errno;
    }
    if (code == 0 && rename(temporary.c_str(), path.c_str()) != 0) {
        code = errno;
    }
    if (code != 0) {
        unlink(temporary.c_str());
        return path.string() + ": " + std::strerror(code);
    }
    return {};
}

} // namespace zandrevio
