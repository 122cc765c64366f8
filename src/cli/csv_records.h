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
// `keep` of them, each cut at kMaxField bytes), how many fields it had, and
// whether any field was longer than kMaxField.
struct CsvRecord {
    std::vector<std::string> fields;
    std::size_t count = 0;
    bool overlong = false;
};

// Reads RFC 4180 CSV (quoted fields, CRLF or LF line ends, a UTF-8
// byte-order mark at the start) record by record with libcsv, holding one
// record at a time.
class CsvReader {
public:
    static constexpr std::size_t kMaxField = 65536;

    CsvReader();
    ~CsvReader();
    CsvReader(const CsvReader&) = delete;
    CsvReader& operator=(const CsvReader&) = delete;

    // Fields past the first `keep` of a record are counted, not kept.
    void Keep(std::size_t keep) { m_keep = keep; }
    // Reads the whole stream, handing each record on as it ends; `copy`, if
    // given, receives every byte read.
    void Read(std::istream& in, const std::function<void(const CsvRecord&)>& record, std::ostream* copy = nullptr);

private:
    static void OnField(void* data, std::size_t length, void* self);
    static void OnRecordEnd(int terminator, void* self);

    csv_parser m_parser{};
    std::size_t m_keep = 0;
    CsvRecord m_record;
    const std::function<void(const CsvRecord&)>* m_handler = nullptr;
};

} // namespace zandrevio::cli
