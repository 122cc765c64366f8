#include "cli/csv_records.h"

#include <array>
#include <cstring>
#include <stdexcept>
#include <string_view>

namespace zandrevio::cli {

namespace {
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// No byte is a space to trim: fields are echoed as they were typed.
int NeverSpace(unsigned char)
{
    return 0;
}
} // namespace

bool LooksLikeUtf16(const std::string& start)
{
    return start.size() >= 2 &&
        ((start[0] == '\xFF' && start[1] == '\xFE') || (start[0] == '\xFE' && start[1] == '\xFF'));
}

CsvReader::CsvReader(char delimiter)
    : m_delimiter(delimiter)
{
    Start();
}

CsvReader::~CsvReader()
{
    csv_free(&m_parser);
}

void CsvReader::Start()
{
    if (csv_init(&m_parser, CSV_STRICT | CSV_STRICT_FINI) != 0) {
        throw std::runtime_error("the CSV reader could not start");
    }
    csv_set_delim(&m_parser, static_cast<unsigned char>(m_delimiter));
    csv_set_space_func(&m_parser, NeverSpace);
}

void CsvReader::OnField(void* data, std::size_t length, void* self)
{
    auto& reader = *static_cast<CsvReader*>(self);
    CsvRecord& record = reader.m_record;
    ++record.count;
    if (length > kMaxField) {
        record.overlong = true;
        length = kMaxField;
    }
    if (record.fields.size() < reader.m_keep) {
        record.fields.emplace_back(data != nullptr ? static_cast<const char*>(data) : "", length);
    }
}

void CsvReader::Hand()
{
    m_record.line = m_recordLine != 0 ? m_recordLine : m_line;
    (*m_handler)(m_record);
    m_record.fields.clear();
    m_record.count = 0;
    m_record.overlong = false;
    m_record.error.clear();
    m_pending = 0;
    m_recordLine = 0;
}

void CsvReader::OnRecordEnd(int, void* self)
{
    static_cast<CsvReader*>(self)->Hand();
}

// The record being read fails with `message`; the parser starts afresh.
void CsvReader::Fail(std::string message)
{
    m_record.error = std::move(message);
    Hand();
    csv_free(&m_parser);
    Start();
}

// A whole line that starts a record and holds no quote and no CR but the
// one before its LF is one record of unquoted fields: split here, as libcsv
// would split it, without its byte-by-byte state machine. Lines libcsv
// reads another way (a quote, a lone CR, a blank line, the rest of a record
// begun before) are left to it: false.
bool CsvReader::SplitPlainLine(const char* data, std::size_t length)
{
    std::size_t end = length - 1; // the LF
    if (end > 0 && data[end - 1] == '\r') {
        --end;
    }
    if (end == 0 || std::memchr(data, '"', end) != nullptr || std::memchr(data, '\r', end) != nullptr) {
        return false;
    }
    std::size_t start = 0;
    for (;;) {
        const void* found = std::memchr(data + start, m_delimiter, end - start);
        const std::size_t stop =
            found != nullptr ? static_cast<std::size_t>(static_cast<const char*>(found) - data) : end;
        OnField(const_cast<char*>(data + start), stop - start, this);
        if (found == nullptr) {
            break;
        }
        start = stop + 1;
    }
    OnRecordEnd('\n', this);
    return true;
}

// One line (or the end of one) at a time, so that the line of each record
// is known and a record that grows past its bound is cut off.
void CsvReader::Parse(const char* data, std::size_t size)
{
    while (size > 0) {
        const char* newline = static_cast<const char*>(std::memchr(data, '\n', size));
        const std::size_t length = newline != nullptr ? static_cast<std::size_t>(newline - data) + 1 : size;
        if (m_skipLine) {
            if (newline != nullptr) {
                m_skipLine = false;
                ++m_line;
            }
            data += length;
            size -= length;
            continue;
        }
        if (m_recordLine == 0 && !(length == 1 && *data == '\n') && !(length == 2 && data[0] == '\r')) {
            m_recordLine = m_line;
        }
        // libcsv between records (its first state, ROW_NOT_BEGUN): a CR may
        // have ended a record in the middle of the line before, and a quote
        // after it begun the next.
        const bool atRecordStart = m_parser.pstate == 0;
        m_pending += length;
        if (m_pending > kMaxRecord) {
            Fail("the row is longer than " + std::to_string(kMaxRecord) +
                 " bytes, or a quoted field starting at "
                 "line " +
                 std::to_string(m_recordLine) + " is never closed");
            m_skipLine = newline == nullptr;
            if (newline != nullptr) {
                ++m_line;
            }
            data += length;
            size -= length;
            continue;
        }
        if (m_splitPlainLines && atRecordStart && newline != nullptr && SplitPlainLine(data, length)) {
            ++m_line;
            data += length;
            size -= length;
            continue;
        }
        const std::size_t parsed = csv_parse(&m_parser, data, length, OnField, OnRecordEnd, this);
        if (parsed != length) {
            Fail("a quote out of place at line " + std::to_string(m_line) +
                 ": a field with a quote must be quoted whole, its quotes doubled");
            m_skipLine = newline == nullptr;
        }
        if (newline != nullptr) {
            ++m_line;
        }
        data += length;
        size -= length;
    }
}

void CsvReader::Read(std::istream& in, const std::function<void(const CsvRecord&)>& record, std::ostream* copy)
{
    m_handler = &record;
    std::array<char, 65536> block{};
    bool first = true;
    while (in) {
        in.read(block.data(), block.size());
        const auto got = static_cast<std::size_t>(in.gcount());
        if (got == 0) {
            break;
        }
        if (copy != nullptr) {
            copy->write(block.data(), static_cast<std::streamsize>(got));
            if (!*copy) {
                throw CopyFailed("the copy of the input could not be written");
            }
        }
        std::string_view bytes(block.data(), got);
        if (first && bytes.substr(0, kByteOrderMark.size()) == kByteOrderMark) {
            bytes.remove_prefix(kByteOrderMark.size());
        }
        first = false;
        Parse(bytes.data(), bytes.size());
    }
    if (csv_fini(&m_parser, OnField, OnRecordEnd, this) != 0) {
        Fail("unterminated quoted field starting at line " + std::to_string(m_recordLine != 0 ? m_recordLine : m_line));
    }
    m_handler = nullptr;
}

} // namespace zandrevio::cli
