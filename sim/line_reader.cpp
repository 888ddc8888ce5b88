#include "sim/line_reader.h"

#include <array>
#include <cerrno>

#include <poll.h>
#include <unistd.h>

namespace sim {
namespace {

int millisecondsUntil(std::chrono::steady_clock::time_point deadline)
{
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    return static_cast<int>(std::max<std::int64_t>(0, left.count()));
}

} // namespace

bool LineReader::takeLine(std::string& line)
{
    const std::size_t newline = m_buffer.find('\n');
    if (newline == std::string::npos)
        return false;
    line = m_buffer.substr(0, newline);
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    m_buffer.erase(0, newline + 1);
    return true;
}

bool LineReader::readSome(int timeoutMs)
{
    pollfd readable{m_fd, POLLIN, 0};
    const int ready = poll(&readable, 1, timeoutMs);
    if (ready == 0)
        return false;
    if (ready < 0)
        return errno == EINTR;
    std::array<char, 4096> chunk{};
    const ssize_t count = read(m_fd, chunk.data(), chunk.size());
    if (count > 0)
        m_buffer.append(chunk.data(), static_cast<std::size_t>(count));
    else if (count == 0 || errno != EINTR)
        m_ended = true;
    return true;
}

LineReader::Result LineReader::next(std::string& line, std::chrono::milliseconds wait)
{
    const auto deadline = std::chrono::steady_clock::now() + wait;
    while (!takeLine(line)) {
        if (m_ended)
            return Result::End;
        if (!readSome(wait.count() < 0 ? -1 : millisecondsUntil(deadline)))
            return Result::Timeout;
    }
    return Result::Line;
}

bool LineReader::stash(std::chrono::milliseconds wait)
{
    const auto deadline = std::chrono::steady_clock::now() + wait;
    while (!m_ended && millisecondsUntil(deadline) > 0)
        readSome(millisecondsUntil(deadline));
    return !m_ended;
}

} // namespace sim
