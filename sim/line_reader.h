#pragma once

#include <chrono>
#include <string>

// Reads lines from a file descriptor with an optional time limit, so the
// back end can wait on snmpd's pipe and still notice when it closes.
namespace sim {

class LineReader {
public:
    enum class Result { Line, Timeout, End };

    explicit LineReader(int fd) : m_fd(fd) {}
    // A negative `wait` waits without limit.
    Result next(std::string& line, std::chrono::milliseconds wait = std::chrono::milliseconds(-1));
    // Keeps what arrives within `wait` for later lines; false once the
    // writer closed the pipe.
    bool stash(std::chrono::milliseconds wait);

private:
    bool takeLine(std::string& line);
    // Reads once within `timeoutMs` (-1: no limit); false on time-out.
    bool readSome(int timeoutMs);

    int m_fd;
    std::string m_buffer;
    bool m_ended = false;
};

} // namespace sim
