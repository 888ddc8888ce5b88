#include "sim/pass_persist_server.h"

#include "sim/oid_text.h"
#include "sim/pass_value.h"

#include <csignal>
#include <fstream>

#include <unistd.h>

namespace sim {
namespace {

const char* setErrorText(int error)
{
    switch (error) {
    case kWrongType: return "wrong-type";
    case kWrongLength: return "wrong-length";
    case kWrongValue: return "wrong-value";
    case kNoCreation: return "no-creation";
    case kInconsistentValue: return "inconsistent-value";
    case kResourceUnavailable: return "resource-unavailable";
    case kNotWritable: return "not-writable";
    // snmpd takes "gen-err" for success; a manager of version 1 sees genErr.
    default: return "resource-unavailable";
    }
}

bool parentIsSnmpd()
{
    std::ifstream comm("/proc/" + std::to_string(getppid()) + "/comm");
    std::string name;
    return std::getline(comm, name) && name == "snmpd";
}

} // namespace

PassPersistServer::PassPersistServer(SimulatedSwitch& device, std::mutex& deviceMutex, RequestLog& log,
                                     snmp::Oid subtree, int in, int out)
    : m_device(device), m_deviceMutex(deviceMutex), m_log(log), m_subtree(std::move(subtree)), m_in(in), m_out(out)
{
}

void PassPersistServer::run()
{
    std::string line;
    while (!m_ended && m_in.next(line) == LineReader::Result::Line) {
        if (!line.empty())
            handle(line);
    }
}

bool PassPersistServer::readArgument(std::string& line)
{
    if (m_in.next(line) == LineReader::Result::Line)
        return true;
    m_ended = true;
    return false;
}

void PassPersistServer::reply(const std::string& text)
{
    const std::string line = text + "\n";
    std::size_t sent = 0;
    while (sent < line.size()) {
        const ssize_t count = write(m_out, line.data() + sent, line.size() - sent);
        if (count <= 0) {
            m_ended = true;
            return;
        }
        sent += static_cast<std::size_t>(count);
    }
}

void PassPersistServer::answer(const std::optional<snmp::VarBind>& found)
{
    if (!found) {
        reply("NONE");
        return;
    }
    const PassValue value = toPassValue(found->value);
    reply(dottedOid(found->oid) + "\n" + value.type + "\n" + value.text);
}

void PassPersistServer::handle(const std::string& command)
{
    if (command == "PING") {
        reply("PONG");
        return;
    }
    std::string oidText;
    snmp::Oid oid;
    if (!readArgument(oidText))
        return;
    const bool validOid = parseDottedOid(oidText, oid) && (command == "getnext" || startsWith(oid, m_subtree));
    if (command != "set" && validOid)
        holdAnswer(oid);
    if (m_ended)
        return;
    std::unique_lock lock(m_deviceMutex, std::defer_lock);
    if (command != "set")
        lock.lock();
    if (command == "get") {
        m_log.record("get", oid);
        if (validOid && m_device.creatable(oid)) {
            // snmpd refuses a set whose instance a get calls NONE. A type name
            // it does not know lets the set through and shows managers
            // noSuchInstance.
            reply(dottedOid(oid) + "\ncreatable\n0");
            return;
        }
        answer(validOid ? m_device.get(oid) : std::nullopt);
    } else if (command == "getnext") {
        m_log.record("getnext", oid);
        auto found = validOid ? m_device.getNext(std::max(oid, m_subtree)) : std::nullopt;
        answer(found && startsWith(found->oid, m_subtree) ? found : std::nullopt);
    } else if (command == "set") {
        std::string valueLine;
        if (!readArgument(valueLine))
            return;
        lock.lock();
        snmp::Value value;
        if (!validOid || !fromPassLine(valueLine, value)) {
            reply("wrong-type");
            return;
        }
        m_log.record("set", oid, &value);
        const int error = m_device.set(oid, value);
        reply(error == kNoError ? "DONE" : setErrorText(error));
        if (m_device.rebooting())
            silenceAgent();
    } else {
        reply("NONE");
    }
}

void PassPersistServer::holdAnswer(const snmp::Oid& asked)
{
    using namespace std::chrono_literals;
    // Longer than any manager waits; the answer snmpd then sends goes to a
    // request its manager has given up.
    constexpr std::chrono::milliseconds kHold = 8s;
    {
        std::lock_guard lock(m_deviceMutex);
        if (!m_device.silent(asked))
            return;
    }
    // The copies a manager retransmitted meanwhile have been given up too.
    const auto now = std::chrono::steady_clock::now();
    if (now < m_heldUntil + 500ms)
        return;
    m_heldUntil = now + kHold;
    for (std::chrono::milliseconds left = kHold; left > 0ms;
         left = std::chrono::duration_cast<std::chrono::milliseconds>(m_heldUntil - std::chrono::steady_clock::now())) {
        if (!m_in.stash(std::min(left, std::chrono::milliseconds(500)))) {
            m_ended = true; // snmpd went away
            return;
        }
    }
    m_heldUntil = std::chrono::steady_clock::now();
}

void PassPersistServer::silenceAgent()
{
    using namespace std::chrono_literals;
    const pid_t agent = getppid();
    const bool stopAgent = parentIsSnmpd();
    // Give snmpd a moment to send the answer to the reboot request; what it
    // writes meanwhile is served after the reboot.
    if (!m_in.stash(300ms)) {
        m_ended = true;
        return;
    }
    if (stopAgent)
        kill(agent, SIGSTOP);
    while (m_device.rebooting()) {
        if (!m_in.stash(std::min<std::chrono::milliseconds>(m_device.rebootRemaining(), 500ms))) {
            m_ended = true; // snmpd went away
            return;
        }
    }
    if (stopAgent && getppid() == agent)
        kill(agent, SIGCONT);
}

} // namespace sim
