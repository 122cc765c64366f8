#pragma once

#include <csv.h>

#include <cstddef>
#include <functional>
#include <istream>
#include <stdexcept>
#include <string>
#include <vector>

namespace zandrevio::cli {

// The copy of the bytes read could not be written.
class CopyFailed : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// One record of a CSV text as the reader hands it on: its fields (at most
// `keep` of them, each cut at kMaxField bytes), how many fields it had,
// whether any field was longer than kMaxField, the line it starts at, and
// why it could not be read whole (a quote out of place, a quoted field
// never closed, a record past kMaxRecord bytes), or "".
struct CsvRecord {
    std::vector<std::string> fields;
    std::size_t count = 0;
    bool overlong = false;
    std::size_t line = 1;
    std::string error;
};

// Reads RFC 4180 CSV (quoted fields, CRLF or LF line ends, a UTF-8
// byte-order mark at the start) record by record with libcsv, holding one
// record at a time. Quotes are strict: a quote inside an unquoted field, or
// a quoted field that never closes, fails its record, and reading goes on
// at the next line. A record longer than the bound fails whole: its bytes
// past the bound are passed over by the CSV rules (quotes, CR, LF, CR LF)
// to its end, where reading goes on. Fields are kept as they are, spaces
// included.
class CsvReader {
public:
    static constexpr std::size_t kMaxField = 65536;
    static constexpr std::size_t kMaxRecord = std::size_t{4} << 20;

    explicit CsvReader(char delimiter = ',');
    ~CsvReader();
    CsvReader(const CsvReader&) = delete;
    CsvReader& operator=(const CsvReader&) = delete;

    // Fields past the first `keep` of a record are counted, not kept.
    void Keep(std::size_t keep) { m_keep = keep; }
    // A record's bound in bytes, kMaxRecord unless set (the fuzz target sets
    // a small one, to reach it often). A record is measured in the lines it
    // is fed in: those of its first line on, at most 64 KiB a piece.
    void MaxRecord(std::size_t bytes) { m_maxRecord = bytes; }
    // Whether a whole line without quotes is split here rather than by
    // libcsv, which reads it the same way byte by byte (on by default; the
    // tests compare the two).
    void SplitPlainLines(bool split) { m_splitPlainLines = split; }
    // Reads the whole stream, handing each record on as it ends; `copy`, if
    // given, receives every byte read.
    void Read(std::istream& in, const std::function<void(const CsvRecord&)>& record, std::ostream* copy = nullptr);

private:
    static void OnField(void* data, std::size_t length, void* self);
    static void OnRecordEnd(int terminator, void* self);
    void Start();
    void Parse(const char* data, std::size_t size);
    bool SplitPlainLine(const char* data, std::size_t length);
    void Fail(std::string message);
    void Hand();
    // Past the bound: where the record stands in the CSV rules when its
    // rest is passed over, and the bytes of that rest, up to its end.
    enum class Skip { Off, Unquoted, FieldStart, Quoted, QuoteSeen };
    void StartSkipping();
    std::size_t SkipToRecordEnd(const char* data, std::size_t size);
    void EndSkipped();

    csv_parser m_parser{};
    char m_delimiter;
    std::size_t m_keep = 0;
    CsvRecord m_record;
    std::size_t m_line = 1;       // the line being read
    std::size_t m_pending = 0;    // bytes of the record not yet ended
    std::size_t m_recordLine = 0; // where the record being read starts; 0 before its first byte
    bool m_skipLine = false;      // after a record with a quote out of place: skip to the next line
    Skip m_skip = Skip::Off;      // after a record past its bound: pass over its rest
    std::size_t m_maxRecord = kMaxRecord;
    bool m_splitPlainLines = true;
    const std::function<void(const CsvRecord&)>* m_handler = nullptr;
};

// The leading bytes of a UTF-16 text (a byte-order mark either way), which a
// CSV reader must refuse rather than read as noise.
bool LooksLikeUtf16(const std::string& start);

} // namespace zandrevio::cli
