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

// One piece at a time: a line, or the part of one up to a CR that is not
// the CR of its CR LF (a CR alone ends a record as an LF does), so that the
// line of each record is known and a record's length is known exactly
// before a piece that would take it past its bound is parsed.
void CsvReader::Parse(const char* data, std::size_t size)
{
    while (size > 0) {
        if (m_skip != Skip::Off) {
            const std::size_t passed = SkipToRecordEnd(data, size);
            data += passed;
            size -= passed;
            continue;
        }
        const char* newline = static_cast<const char*>(std::memchr(data, '\n', size));
        std::size_t length = newline != nullptr ? static_cast<std::size_t>(newline - data) + 1 : size;
        const char* cr = static_cast<const char*>(std::memchr(data, '\r', length));
        if (cr != nullptr && !(newline != nullptr && cr + 1 == newline)) {
            length = static_cast<std::size_t>(cr - data) + 1;
            newline = nullptr;
        }
        if (m_skipLine) {
            if (newline != nullptr) {
                m_skipLine = false;
                ++m_line;
            }
            data += length;
            size -= length;
            continue;
        }
        // The bytes that end the piece: a record ending there ends before them.
        const std::size_t ending = newline != nullptr ? (length > 1 && data[length - 2] == '\r' ? 2 : 1)
            : data[length - 1] == '\r'                ? 1
                                                      : 0;
        if (m_recordLine == 0 && length > ending) {
            m_recordLine = m_line;
        }
        // libcsv between records (its first state, ROW_NOT_BEGUN): a CR may
        // have ended a record just before, and a quote after it begun the
        // next. No byte of a record is pending there.
        const bool atRecordStart = m_parser.pstate == 0;
        if (atRecordStart) {
            m_pending = 0;
        }
        if (m_pending + length - ending > m_maxRecord) {
            StartSkipping(); // this piece is passed over from its start
            continue;
        }
        m_pending += length;
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

// libcsv's states (its pstate): between records, after a delimiter, inside
// a field, and after a quote inside a quoted field.
namespace {
constexpr int kRowNotBegun = 0;
constexpr int kFieldNotBegun = 1;
constexpr int kFieldBegun = 2;
} // namespace

void CsvReader::StartSkipping()
{
    switch (m_parser.pstate) {
    case kRowNotBegun:
    case kFieldNotBegun:
        m_skip = Skip::FieldStart;
        break;
    case kFieldBegun:
        m_skip = m_parser.quoted != 0 ? Skip::Quoted : Skip::Unquoted;
        break;
    default:
        m_skip = Skip::QuoteSeen;
        break;
    }
}

// The record past its bound is one failed row; the parser starts afresh at its end.
void CsvReader::EndSkipped()
{
    m_skip = Skip::Off;
    Fail("the row is longer than " + std::to_string(m_maxRecord) + " bytes, or a quoted field starting at line " +
         std::to_string(m_recordLine) + " is never closed");
}

// Passes over the record's bytes by the CSV rules, counting its lines; the
// bytes taken, its terminator (LF, or CR: an LF after it is a blank line)
// included where it was reached.
std::size_t CsvReader::SkipToRecordEnd(const char* data, std::size_t size)
{
    for (std::size_t i = 0; i < size; ++i) {
        const char c = data[i];
        if (c == '\n') {
            ++m_line;
        }
        switch (m_skip) {
        case Skip::Quoted:
            m_skip = c == '"' ? Skip::QuoteSeen : Skip::Quoted;
            continue;
        case Skip::QuoteSeen:
            if (c == '"') {
                m_skip = Skip::Quoted; // a doubled quote
                continue;
            }
            break;
        case Skip::FieldStart:
            if (c == '"') {
                m_skip = Skip::Quoted;
                continue;
            }
            break;
        case Skip::Unquoted:
        case Skip::Off:
            break;
        }
        if (c == '\n' || c == '\r') {
            EndSkipped();
            return i + 1;
        }
        m_skip = c == m_delimiter ? Skip::FieldStart : Skip::Unquoted;
    }
    return size;
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
    if (m_skip != Skip::Off) {
        EndSkipped(); // the input ended inside the record past its bound
    } else if (csv_fini(&m_parser, OnField, OnRecordEnd, this) != 0) {
        Fail("unterminated quoted field starting at line " + std::to_string(m_recordLine != 0 ? m_recordLine : m_line));
    }
    m_handler = nullptr;
}

} // namespace zandrevio::cli
