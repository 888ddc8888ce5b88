// The relay and its version-1 codec, before the drills rely on them.
#include "udp_relay.h"
#include "v1_message.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <optional>
#include <string>
#include <thread>

namespace drills {
namespace {

snmp::VarBind bindingOf(snmp::Oid oid, snmp::Value value)
{
    return {std::move(oid), std::move(value)};
}

TEST(V1Message, ResponsesSurviveEncodingAndNetSnmpDecoding)
{
    V1Message message;
    message.community = "qevtal";
    message.pdu.type = snmp::PduType::Response;
    message.pdu.requestId = -2000000000;
    message.pdu.errorStatus = 2;
    message.pdu.errorIndex = 3;
    message.pdu.bindings = {
        bindingOf({1, 3, 6, 1, 2, 1, 1, 5, 0}, {.type = snmp::Asn::OctetString, .octets = std::string(10000, 'x')}),
        bindingOf({1, 3, 6, 1, 4294967295u}, {.type = snmp::Asn::Integer, .integer = -129}),
        bindingOf({1, 3, 6, 128}, {.type = snmp::Asn::Integer, .integer = 2147483647}),
        bindingOf({1, 3, 6, 2}, {.type = snmp::Asn::Gauge32, .unsignedValue = 4294967295u}),
        bindingOf({1, 3, 6, 3}, {.type = snmp::Asn::Counter64, .unsignedValue = 0x8000000000000001ull}),
        bindingOf({1, 3, 6, 4}, {.type = snmp::Asn::IpAddress, .octets = std::string("\x7f\0\0\x01", 4)}),
        bindingOf({1, 3, 6, 5}, {.type = snmp::Asn::ObjectId, .oid = {1, 3, 6, 1, 4, 1, 32473}}),
        bindingOf({1, 3, 6, 6}, {.type = snmp::Asn::OctetString, .octets = {}}),
        bindingOf({1, 3, 6, 7}, {.type = snmp::Asn::Null}),
    };
    V1Message decoded;
    ASSERT_TRUE(decodeV1(encodeV1Response(message), decoded));
    EXPECT_EQ(decoded.community, message.community);
    EXPECT_EQ(decoded.pdu.type, snmp::PduType::Response);
    EXPECT_EQ(decoded.pdu.requestId, message.pdu.requestId);
    EXPECT_EQ(decoded.pdu.errorStatus, 2);
    EXPECT_EQ(decoded.pdu.errorIndex, 3);
    EXPECT_EQ(decoded.pdu.bindings, message.pdu.bindings);
}

TEST(V1Message, AnythingButVersionOneIsNotDecoded)
{
    V1Message decoded;
    EXPECT_FALSE(decodeV1("", decoded));
    EXPECT_FALSE(decodeV1("\x30\x03\x02\x01\x03", decoded));
    std::string message = encodeV1Response({"c", {}});
    message[4] = 1; // version 2c
    EXPECT_FALSE(decodeV1(message, decoded));
}

// A loopback peer that answers every datagram with "re:" + the datagram.
class EchoAgent {
public:
    EchoAgent() : m_socket(::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0))
    {
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        ::bind(m_socket, reinterpret_cast<sockaddr*>(&address), sizeof address);
        ::getsockname(m_socket, reinterpret_cast<sockaddr*>(&address), &length);
        m_port = ntohs(address.sin_port);
        m_thread = std::thread([this] {
            char buffer[2048];
            for (;;) {
                sockaddr_in from{};
                socklen_t fromLength = sizeof from;
                const ssize_t got = ::recvfrom(m_socket, buffer, sizeof buffer, 0, reinterpret_cast<sockaddr*>(&from), &fromLength);
                if (got <= 0 || std::string(buffer, static_cast<std::size_t>(got)) == "quit")
                    return;
                const std::string answer = "re:" + std::string(buffer, static_cast<std::size_t>(got));
                ::sendto(m_socket, answer.data(), answer.size(), 0, reinterpret_cast<sockaddr*>(&from), fromLength);
            }
        });
    }
    ~EchoAgent()
    {
        Client(m_port).send("quit");
        m_thread.join();
        ::close(m_socket);
    }
    std::uint16_t port() const { return m_port; }

    class Client {
    public:
        explicit Client(std::uint16_t port) : m_socket(::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0))
        {
            sockaddr_in address{};
            address.sin_family = AF_INET;
            address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
            address.sin_port = htons(port);
            ::connect(m_socket, reinterpret_cast<sockaddr*>(&address), sizeof address);
        }
        ~Client() { ::close(m_socket); }
        void send(const std::string& datagram) { ::send(m_socket, datagram.data(), datagram.size(), 0); }
        std::optional<std::string> receive(int waitMs = 2000)
        {
            pollfd entry{m_socket, POLLIN, 0};
            if (::poll(&entry, 1, waitMs) <= 0)
                return std::nullopt;
            char buffer[2048];
            const ssize_t got = ::recv(m_socket, buffer, sizeof buffer, 0);
            return got < 0 ? std::nullopt : std::optional<std::string>(std::string(buffer, static_cast<std::size_t>(got)));
        }

    private:
        int m_socket;
    };

private:
    int m_socket;
    std::uint16_t m_port = 0;
    std::thread m_thread;
};

TEST(UdpRelay, ForwardsBothWaysDuplicatesAndReplaysTheStaleAnswer)
{
    EchoAgent agent;
    UdpRelay relay(agent.port());
    ASSERT_TRUE(relay.ready());
    EchoAgent::Client client(relay.port());

    client.send("one");
    EXPECT_EQ(client.receive(), "re:one");

    relay.setFaults({.duplicateAnswers = true, .replayStaleAnswer = true});
    client.send("two");
    EXPECT_EQ(client.receive(), "re:one");
    EXPECT_EQ(client.receive(), "re:two");
    EXPECT_EQ(client.receive(), "re:two");

    const RelayCounts counts = relay.counts();
    EXPECT_EQ(counts.requests, 2);
    EXPECT_EQ(counts.answers, 2);
    EXPECT_EQ(counts.duplicated, 1);
    EXPECT_EQ(counts.staleReplays, 1);
}

TEST(UdpRelay, DropsTheGivenShare)
{
    EchoAgent agent;
    UdpRelay relay(agent.port(), 3);
    EchoAgent::Client client(relay.port());
    relay.setFaults({.dropShare = 1.0});
    client.send("lost");
    EXPECT_EQ(client.receive(200), std::nullopt);

    relay.setFaults({.dropShare = 0.5});
    int answered = 0;
    for (int i = 0; i < 40; ++i) {
        client.send("n");
        answered += client.receive(100).has_value() ? 1 : 0;
    }
    // Two independent halves: about a quarter gets through, never all or none.
    EXPECT_GT(answered, 0);
    EXPECT_LT(answered, 40);
    // Whatever did not come back was dropped on one of the two ways.
    EXPECT_EQ(relay.counts().requests, 41);
    EXPECT_EQ(relay.counts().dropped, 41 - answered);
}

} // namespace
} // namespace drills
