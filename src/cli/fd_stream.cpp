#include "cli/fd_stream.h"

#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace zandrevio::cli {

FdOutput::FdOutput(int descriptor)
    : m_descriptor(descriptor)
{
    setp(m_buffer.data(), m_buffer.data() + m_buffer.size());
}

FdOutput::~FdOutput()
{
    sync();
}

bool FdOutput::WriteAll(const char* data, std::size_t size)
{
    if (m_error != 0) {
        return false;
    }
    while (size > 0) {
        const ssize_t written = ::write(m_descriptor, data, size);
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            m_error = errno;
            return false;
        }
        data += written;
        size -= static_cast<std::size_t>(written);
    }
    return true;
}

int FdOutput::sync()
{
    const auto pending = static_cast<std::size_t>(pptr() - pbase());
    setp(m_buffer.data(), m_buffer.data() + m_buffer.size());
    return WriteAll(m_buffer.data(), pending) ? 0 : -1;
}

FdOutput::int_type FdOutput::overflow(int_type c)
{
    if (sync() != 0) {
        return traits_type::eof();
    }
    if (!traits_type::eq_int_type(c, traits_type::eof())) {
        *pptr() = traits_type::to_char_type(c);
        pbump(1);
    }
    return traits_type::not_eof(c);
}

std::streamsize FdOutput::xsputn(const char* data, std::streamsize size)
{
    const auto room = static_cast<std::streamsize>(epptr() - pptr());
    if (size <= room) {
        std::memcpy(pptr(), data, static_cast<std::size_t>(size));
        pbump(static_cast<int>(size));
        return size;
    }
    if (sync() != 0 || !WriteAll(data, static_cast<std::size_t>(size))) {
        return 0;
    }
    return size;
}

bool FdOutput::Close()
{
    const bool flushed = sync() == 0;
    if (::close(m_descriptor) != 0 && m_error == 0) {
        m_error = errno;
    }
    m_descriptor = -1;
    return flushed && m_error == 0;
}

FdInput::int_type FdInput::underflow()
{
    ssize_t got;
    do {
        got = ::read(m_descriptor, m_buffer.data(), m_buffer.size());
    } while (got < 0 && errno == EINTR);
    if (got <= 0) {
        if (got < 0) {
            m_error = errno;
        }
        return traits_type::eof();
    }
    setg(m_buffer.data(), m_buffer.data(), m_buffer.data() + got);
    return traits_type::to_int_type(m_buffer[0]);
}

} // namespace zandrevio::cli
