#include "cli/csv_records.h"

#include <array>
#include <stdexcept>
#include <string_view>

namespace zandrevio::cli {

namespace {
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
}

CsvReader::CsvReader()
{
    if (csv_init(&m_parser, 0) != 0) {
        throw std::runtime_error("the CSV reader could not start");
    }
}

CsvReader::~CsvReader()
{
    csv_free(&m_parser);
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
        record.fields.emplace_back(static_cast<const char*>(data), length);
    }
}

void CsvReader::OnRecordEnd(int, void* self)
{
    auto& reader = *static_cast<CsvReader*>(self);
    (*reader.m_handler)(reader.m_record);
    reader.m_record.fields.clear();
    reader.m_record.count = 0;
    reader.m_record.overlong = false;
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
        if (csv_parse(&m_parser, bytes.data(), bytes.size(), OnField, OnRecordEnd, this) != bytes.size()) {
            throw std::runtime_error(csv_strerror(csv_error(&m_parser)));
        }
    }
    csv_fini(&m_parser, OnField, OnRecordEnd, this);
    m_handler = nullptr;
}

} // namespace zandrevio::cli
