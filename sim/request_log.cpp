#include "sim/request_log.h"

#include "sim/oid_text.h"
#include "sim/pass_value.h"

#include <chrono>
#include <cstdio>
#include <ctime>

#include <fcntl.h>
#include <unistd.h>

namespace sim {
namespace {

std::string utcNow()
{
    const auto now = std::chrono::system_clock::now();
    const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
    const auto millis = std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 1000;
    std::tm utc{};
    gmtime_r(&seconds, &utc);
    char text[96];
    std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d.%03dZ", utc.tm_year + 1900, utc.tm_mon + 1,
                  utc.tm_mday, utc.tm_hour, utc.tm_min, utc.tm_sec, static_cast<int>(millis));
    return text;
}

} // namespace

RequestLog::RequestLog(const std::string& path)
{
    if (!path.empty())
        m_fd = open(path.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
}

RequestLog::~RequestLog()
{
    if (m_fd >= 0)
        close(m_fd);
}

void RequestLog::record(std::string_view kind, const snmp::Oid& oid, const snmp::Value* value)
{
    if (m_fd < 0)
        return;
    std::string line = utcNow() + " " + std::string(kind) + " " + dottedOid(oid);
    if (value) {
        const PassValue pass = toPassValue(*value);
        line += " " + pass.type + " " + pass.text;
    }
    line += '\n';
    // One write per line keeps lines whole when processes share the file.
    [[maybe_unused]] const ssize_t written = write(m_fd, line.data(), line.size());
}

} // namespace sim
