#pragma once

#include "snmp/pdu.h"

#include <string>
#include <string_view>

// One line per request that reached the switch: UTC time, the request kind
// (get, getnext, set), the OID and, for a set, the type and value. Several
// back-end processes may append to the same file.
namespace sim {

class RequestLog {
public:
    explicit RequestLog(const std::string& path); // empty path: logs nothing
    ~RequestLog();
    RequestLog(const RequestLog&) = delete;
    RequestLog& operator=(const RequestLog&) = delete;

    bool isOpen() const { return m_fd >= 0; }
    void record(std::string_view kind, const snmp::Oid& oid, const snmp::Value* value = nullptr);

private:
    int m_fd = -1;
};

} // namespace sim
