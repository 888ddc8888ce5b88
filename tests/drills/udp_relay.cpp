#include "udp_relay.h"

#include "snmp/netsnmp_convert.h"
#include "snmp/snmp_layer.h"

#include <arpa/inet.h>
#include <cstdlib>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace drills {
namespace {

// A version-1 GetResponse carrying the PDU's request id, error and bindings,
// whatever they say; empty when Net-SNMP cannot encode them.
std::string encodeV1Response(std::string community, const snmp::Pdu& answer)
{
    snmp::NetSnmpPduPtr pdu = snmp::toNetSnmpPdu(answer, snmp::Target{});
    if (!pdu)
        return {};
    pdu->command = SNMP_MSG_RESPONSE;
    pdu->flags &= ~UCD_MSG_FLAG_EXPECT_RESPONSE;
    pdu->reqid = answer.requestId;
    pdu->errstat = answer.errorStatus;
    pdu->errindex = answer.errorIndex;
    netsnmp_session session;
    snmp_sess_init(&session);
    session.version = SNMP_VERSION_1;
    session.community = reinterpret_cast<u_char*>(community.data());
    session.community_len = community.size();
    std::size_t size = 1 << 16, offset = 0;
    auto* buffer = static_cast<u_char*>(std::malloc(size)); // snmp_build may grow it
    std::string message;
    if (snmp_build(&buffer, &size, &offset, &session, pdu.get()) == 0) // encoded backwards, at the end
        message.assign(reinterpret_cast<const char*>(buffer + size - offset), offset);
    std::free(buffer);
    return message;
}

// False for anything but a version-1 message.
bool decodeV1(const std::string& datagram, snmp::Pdu& pdu, std::string* community = nullptr)
{
    static const bool ready = snmp::snmpLayerInit();
    netsnmp_session session;
    snmp_sess_init(&session);
    session.version = SNMP_VERSION_1;
    std::vector<u_char> bytes(datagram.begin(), datagram.end());
    snmp::NetSnmpPduPtr parsed(snmp_pdu_create(SNMP_MSG_RESPONSE));
    if (!ready || snmp_parse(nullptr, &session, parsed.get(), bytes.data(), bytes.size()) != SNMPERR_SUCCESS
        || parsed->version != SNMP_VERSION_1)
        return false;
    if (community)
        community->assign(reinterpret_cast<const char*>(parsed->community), parsed->community_len);
    pdu = snmp::fromNetSnmpPdu(*parsed);
    pdu.type = parsed->command == SNMP_MSG_SET ? snmp::PduType::Set : snmp::PduType::Response;
    return true;
}

sockaddr_in loopback(std::uint16_t port)
{
    return {.sin_family = AF_INET, .sin_port = htons(port), .sin_addr = {htonl(INADDR_LOOPBACK)}, .sin_zero = {}};
}

// A datagram socket bound to a free loopback port, and that address (port 0 on failure).
sockaddr_in boundSocket(int& fd)
{
    fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    sockaddr_in address = loopback(0);
    socklen_t length = sizeof address;
    if (fd < 0 || ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0
        || ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) != 0)
        address.sin_port = 0;
    return address;
}

} // namespace

UdpRelay::UdpRelay(std::uint16_t agentPort, unsigned seed) : m_agent(loopback(agentPort)), m_random(seed)
{
    m_port = ntohs(boundSocket(m_clientSide).sin_port);
    const sockaddr_in self = boundSocket(m_wake);
    if (m_port != 0 && boundSocket(m_agentSide).sin_port != 0 && self.sin_port != 0
        && ::connect(m_wake, reinterpret_cast<const sockaddr*>(&self), sizeof self) == 0)
        m_thread = std::thread([this] { run(); });
}

UdpRelay::~UdpRelay()
{
    if (m_thread.joinable()) {
        ::send(m_wake, "", 0, 0);
        m_thread.join();
    }
    for (const int fd : {m_clientSide, m_agentSide, m_wake})
        if (fd >= 0)
            ::close(fd);
}

void UdpRelay::setFaults(RelayFaults faults)
{
    std::lock_guard lock(m_mutex);
    m_faults = std::move(faults);
}

RelayCounts UdpRelay::counts() const
{
    std::lock_guard lock(m_mutex);
    return m_counts;
}

bool UdpRelay::dropOne()
{
    if (m_faults.dropShare <= 0.0 || std::uniform_real_distribution<double>(0.0, 1.0)(m_random) >= m_faults.dropShare)
        return false;
    ++m_counts.dropped;
    return true;
}

void UdpRelay::fromClient(const std::string& datagram)
{
    ++m_counts.requests;
    if (snmp::Pdu request; decodeV1(datagram, request)) {
        if (request.type == snmp::PduType::Set) {
            ++m_counts.setRequests;
            for (const snmp::VarBind& binding : request.bindings)
                m_counts.setValues.push_back(binding.value);
        }
        m_v1Requests[request.requestId] = request;
    }
    if (!dropOne())
        m_scheduled.push_back({Clock::now(), false, datagram});
}

void UdpRelay::fromAgent(std::string datagram)
{
    if (dropOne())
        return;
    snmp::Pdu answer;
    std::string community;
    if (m_faults.rewrite && decodeV1(datagram, answer, &community) && m_v1Requests.contains(answer.requestId)) {
        m_faults.rewrite(m_v1Requests[answer.requestId], answer);
        datagram = encodeV1Response(community, answer);
        ++m_counts.rewritten;
    }
    const Clock::time_point due = Clock::now() + m_faults.answerDelay;
    if (m_faults.replayStaleAnswer && !m_lastAnswer.empty()) {
        m_scheduled.push_back({due, true, m_lastAnswer});
        ++m_counts.staleReplays;
    }
    m_scheduled.push_back({due, true, datagram});
    if (m_faults.duplicateAnswers) {
        m_scheduled.push_back({due, true, datagram});
        ++m_counts.duplicated;
    }
    m_lastAnswer = datagram;
}

// Sends what is due; the milliseconds until the next item, or -1 for none.
int UdpRelay::sendDue()
{
    const Clock::time_point now = Clock::now();
    int waitMs = -1;
    std::vector<Scheduled> later;
    for (Scheduled& item : m_scheduled) {
        if (item.due > now) {
            const int ms = static_cast<int>(std::chrono::ceil<std::chrono::milliseconds>(item.due - now).count());
            waitMs = waitMs < 0 ? ms : std::min(waitMs, ms);
            later.push_back(std::move(item));
        } else if (!item.toClient || m_knowsClient) {
            const sockaddr_in& to = item.toClient ? m_client : m_agent;
            ::sendto(item.toClient ? m_clientSide : m_agentSide, item.datagram.data(), item.datagram.size(), 0,
                     reinterpret_cast<const sockaddr*>(&to), sizeof to);
        }
    }
    m_scheduled.swap(later);
    return waitMs;
}

void UdpRelay::run()
{
    char buffer[65536];
    for (;;) {
        int waitMs;
        {
            std::lock_guard lock(m_mutex);
            waitMs = sendDue();
        }
        pollfd entries[] = {{m_clientSide, POLLIN, 0}, {m_agentSide, POLLIN, 0}, {m_wake, POLLIN, 0}};
        ::poll(entries, 3, waitMs);
        if (entries[2].revents & POLLIN)
            return;
        std::lock_guard lock(m_mutex);
        socklen_t length = sizeof m_client;
        sockaddr_in from{};
        ssize_t got = ::recvfrom(m_clientSide, buffer, sizeof buffer, 0, reinterpret_cast<sockaddr*>(&from), &length);
        if (got >= 0) {
            m_client = from;
            m_knowsClient = true;
            fromClient(std::string(buffer, static_cast<std::size_t>(got)));
        }
        if (got = ::recv(m_agentSide, buffer, sizeof buffer, 0); got >= 0)
            fromAgent(std::string(buffer, static_cast<std::size_t>(got)));
    }
}

} // namespace drills
