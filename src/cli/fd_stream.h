#pragma once

#include <array>
#include <streambuf>

// Streams over a file descriptor whose every write is checked: a failed
// write(2) keeps its errno, so the program can say why, and the stream goes
// bad at once instead of dropping what it was given.
namespace zandrevio::cli {

class FdOutput : public std::streambuf {
public:
    explicit FdOutput(int descriptor);
    FdOutput(const FdOutput&) = delete;
    FdOutput& operator=(const FdOutput&) = delete;
    ~FdOutput() override;

    // The errno of the first failed write, or 0.
    int Error() const { return m_error; }
    // Writes what is buffered and closes the descriptor; false (with
    // Error()) when either fails.
    bool Close();

protected:
    int_type overflow(int_type c) override;
    int sync() override;
    std::streamsize xsputn(const char* data, std::streamsize size) override;

private:
    bool WriteAll(const char* data, std::size_t size);

    int m_descriptor;
    int m_error = 0;
    std::array<char, 65536> m_buffer{};
};

class FdInput : public std::streambuf {
public:
    explicit FdInput(int descriptor)
        : m_descriptor(descriptor)
    {
    }
    int Error() const { return m_error; }

protected:
    int_type underflow() override;

private:
    int m_descriptor;
    int m_error = 0;
    std::array<char, 65536> m_buffer{};
};

} // namespace zandrevio::cli
