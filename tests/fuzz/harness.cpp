#include "harness.h"
#include "task_queue.h"

#include "snmp/session_parameters.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace fuzz {

std::uint32_t FuzzReader::upTo(std::uint32_t max)
{
    std::uint64_t value = 0;
    for (std::uint32_t range = max; range != 0; range >>= 8)
        value = (value << 8) | byte();
    return max == UINT32_MAX ? static_cast<std::uint32_t>(value) : static_cast<std::uint32_t>(value % (std::uint64_t{max} + 1));
}

std::string FuzzReader::text(std::size_t maxLength)
{
    const std::uint8_t length = byte();
    if (length == 0xff) {
        const std::size_t count = std::min<std::size_t>(upTo(0xffff), maxLength);
        return std::string(count, static_cast<char>(byte()));
    }
    const std::size_t count = std::min({static_cast<std::size_t>(length), maxLength, m_size - std::min(m_pos, m_size)});
    std::string out(reinterpret_cast<const char*>(m_data + m_pos), count);
    m_pos += count;
    return out;
}

void require(bool condition, std::string_view what)
{
    if (condition)
        return;
    std::fprintf(stderr, "fuzz invariant broken: %.*s\n", static_cast<int>(what.size()), what.data());
    std::abort();
}

std::string scratchDirectory()
{
    static const struct Directory {
        std::string path = (std::filesystem::temp_directory_path() / "qmx-fuzz-XXXXXX").string();
        Directory() { require(::mkdtemp(path.data()) != nullptr, "a scratch directory"); }
        ~Directory() { std::error_code ignored; std::filesystem::remove_all(path, ignored); }
    } directory;
    return directory.path;
}

std::string writeScratchFile(std::string_view name, std::string_view content)
{
    const std::string path = scratchDirectory() + "/" + std::string(name);
    std::ofstream(path, std::ios::binary | std::ios::trunc).write(content.data(), static_cast<std::streamsize>(content.size()));
    return path;
}

void useLoopbackAgent(const char* version)
{
    snmp::SessionParameters parameters;
    parameters.agentAddress = "127.0.0.1";
    parameters.version = version;
    parameters.userName = "fuzz";
    snmp::setSessionParameters(parameters);
}

namespace {

constexpr snmp::Asn kTypes[] = {
    snmp::Asn::Integer,   snmp::Asn::OctetString, snmp::Asn::Null,         snmp::Asn::ObjectId,
    snmp::Asn::IpAddress, snmp::Asn::Counter32,   snmp::Asn::Gauge32,      snmp::Asn::TimeTicks,
    snmp::Asn::Opaque,    snmp::Asn::Counter64,   snmp::Asn::NoSuchObject, snmp::Asn::NoSuchInstance,
    snmp::Asn::EndOfMibView,
};

// Mostly small arcs, now and then the extremes.
std::uint32_t arc(FuzzReader& in)
{
    const std::uint8_t kind = in.byte();
    if (kind < 0xf0)
        return kind;
    return kind < 0xf8 ? in.upTo(UINT32_MAX) : UINT32_MAX - (kind & 7);
}

} // namespace

snmp::TransportStatus AnswerTransport::answer(const snmp::Target& target, const snmp::Pdu& request, snmp::Pdu& response)
{
    if (m_targets)
        m_targets->push_back(target);
    if (m_input.empty())
        return snmp::TransportStatus::Timeout;
    const std::uint8_t kind = m_input.byte();
    if (kind < 8)
        return kind < 4 ? snmp::TransportStatus::Timeout : snmp::TransportStatus::Error;
    response.type = snmp::PduType::Response;
    response.requestId = kind < 16 ? static_cast<std::int32_t>(m_input.upTo(UINT32_MAX)) : request.requestId;
    if (kind >= 16 && kind < 24) {
        response.errorStatus = m_input.byte() % 20;
        response.errorIndex = m_input.byte();
    }
    // Mostly as many bindings as asked, sometimes fewer or more.
    const std::size_t count = kind >= 24 && kind < 40 ? m_input.byte() % 8 : request.bindings.size();
    for (std::size_t i = 0; i < count; ++i)
        response.bindings.push_back(binding(request, i));
    return snmp::TransportStatus::Ok;
}

snmp::VarBind AnswerTransport::binding(const snmp::Pdu& request, std::size_t index)
{
    snmp::VarBind out;
    const snmp::Oid asked = index < request.bindings.size() ? request.bindings[index].oid : snmp::Oid{1, 3, 6};
    // A prefix of the asked OID, then arcs of the input's choosing.
    const std::size_t keep = asked.size() - std::min<std::size_t>(asked.size(), m_input.byte() % 4);
    out.oid.assign(asked.begin(), asked.begin() + static_cast<std::ptrdiff_t>(keep));
    for (std::size_t added = m_input.byte() % 5; added > 0; --added)
        out.oid.push_back(arc(m_input));

    snmp::Value& value = out.value;
    value.type = kTypes[m_input.byte() % std::size(kTypes)];
    switch (value.type) {
    case snmp::Asn::Integer: value.integer = static_cast<std::int32_t>(m_input.upTo(UINT32_MAX)); break;
    case snmp::Asn::Counter32:
    case snmp::Asn::Gauge32:
    case snmp::Asn::TimeTicks: value.unsignedValue = m_input.upTo(UINT32_MAX); break;
    case snmp::Asn::Counter64:
        value.unsignedValue = (std::uint64_t{m_input.upTo(UINT32_MAX)} << 32) | m_input.upTo(UINT32_MAX);
        break;
    case snmp::Asn::OctetString:
    case snmp::Asn::Opaque: value.octets = m_input.text(20000); break;
    case snmp::Asn::IpAddress:
        value.octets = m_input.text(4);
        value.octets.resize(4, '\0');
        break;
    case snmp::Asn::ObjectId:
        for (std::size_t arcs = m_input.byte() % 130; arcs > 0; --arcs)
            value.oid.push_back(arc(m_input));
        break;
    default: break;
    }
    return out;
}

void walkToTheEnd(const char* sessionName, const dialogs::WalkRequest& walk, const std::function<void(const dialogs::WalkRow&)>& onRow)
{
    TaskQueue queue;
    int ends = 0;
    {
        dialogs::CDialogSession session(sessionName);
        session.startWalk(walk, queue.poster(),
                          {[&](const dialogs::WalkRow& row) {
                               require(ends == 0 && row.values.size() >= walk.minimumBindings, "rows hold their columns until the end");
                               onRow(row);
                           },
                           [&] { ++ends; }});
        // Immediate answers: a walk that posts nothing for this long never ends.
        require(queue.runUntil([&ends] { return ends != 0; }, std::chrono::seconds(20)), "the walk ends");
        session.close();
    }
    queue.drain();
    require(ends == 1, "one end per walk");
}

dialogs::WalkRow arbitraryRow(FuzzReader& in)
{
    dialogs::WalkRow row;
    row.suffix = in.text(200);
    for (std::size_t count = in.byte() % 8; count > 0; --count)
        row.values.push_back(in.text(300));
    return row;
}

} // namespace fuzz
