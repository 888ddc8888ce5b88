#include "app/command_line.h"

#include <arpa/inet.h>

#include <array>

namespace app {
namespace {

constexpr int kLastPosition = 15;
// Field capacities by position, terminator included.
constexpr std::array<int, kLastPosition + 1> kCapacity = {20, 16, 52, 52, 12, 8, 8, 8, 8, 8, 8, 32, 32, 32, 8, 8};

// Walks the line token by token; never reads past its end.
class TokenReader {
public:
    explicit TokenReader(std::string_view line) : m_line(line), m_pos(line.size() < 2 ? line.size() : 2) {}

    bool atEnd() const { return m_pos >= m_line.size(); }

    // `cut` tells whether characters beyond the capacity were dropped.
    std::string next(int capacity, bool& cut)
    {
        std::string token;
        const std::size_t keep = static_cast<std::size_t>(capacity - 1);
        cut = false;
        for (; m_pos < m_line.size() && m_line[m_pos] != '/'; ++m_pos) {
            if (m_line[m_pos] == ' ')
                continue;
            if (token.size() < keep)
                token += m_line[m_pos];
            else
                cut = true;
        }
        return token;
    }

    // The "/" and the letter after it.
    void skipSeparator() { m_pos = m_line.size() - m_pos < 2 ? m_line.size() : m_pos + 2; }

private:
    std::string_view m_line;
    std::size_t m_pos;
};

void keepUnlessEmpty(std::string& field, std::string token)
{
    if (!token.empty())
        field = std::move(token);
}

// parseCommandLine; `addressCut` tells whether the address token was longer than its field.
snmp::SessionParameters parseLine(std::string_view line, bool& addressCut)
{
    addressCut = false;
    snmp::SessionParameters p;
    p.fromConsoleLine = true;
    TokenReader reader(line);

    for (int position = 0; position <= kLastPosition; ++position) {
        if (position > 0) {
            if (reader.atEnd())
                break;
            reader.skipSeparator();
        }
        if (position == 1 && line.find("/I") == std::string_view::npos)
            break;
        if (position == 7 && p.version == "1")
            break;

        bool cut = false;
        std::string token = reader.next(kCapacity[static_cast<std::size_t>(position)], cut);
        switch (position) {
        case 0: keepUnlessEmpty(p.firstToken, std::move(token)); break;
        case 1:
            if (token.empty())
                return p;
            p.agentAddress = std::move(token);
            addressCut = cut;
            break;
        case 2: keepUnlessEmpty(p.readCommunity, std::move(token)); break;
        case 3: keepUnlessEmpty(p.writeCommunity, std::move(token)); break;
        case 4: p.vlanEdit = token == "TRUE" || token == "true"; break;
        case 5: keepUnlessEmpty(p.version, std::move(token)); break;
        case 6: keepUnlessEmpty(p.agentPort, std::move(token)); break;
        case 7:
        case 8: break; // read and discarded
        case 9: keepUnlessEmpty(p.position9, std::move(token)); break;
        case 10: keepUnlessEmpty(p.securityLevel, std::move(token)); break;
        case 11: keepUnlessEmpty(p.userName, std::move(token)); break;
        case 12: keepUnlessEmpty(p.authPassword, std::move(token)); break;
        case 13: keepUnlessEmpty(p.privPassword, std::move(token)); break;
        case 14: keepUnlessEmpty(p.authProtocol, std::move(token)); break;
        case 15: keepUnlessEmpty(p.privProtocol, std::move(token)); break;
        }
    }
    return p;
}

bool isDottedIpv4(const std::string& text)
{
    // inet_pton takes exactly four decimal parts without leading zeros,
    // unlike the resolver's shorthands ("10.1", "1", "0x7f.1", "010.1.1.1").
    // A NUL would end the text early for inet_pton, not for the sessions.
    in_addr address{};
    return text.find('\0') == std::string::npos && inet_pton(AF_INET, text.c_str(), &address) == 1;
}

} // namespace

std::string joinArguments(const std::vector<std::string>& arguments)
{
    std::string line;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        if (i > 0)
            line += ' ';
        line += arguments[i];
    }
    return line;
}

snmp::SessionParameters parseCommandLine(std::string_view line)
{
    bool addressCut = false;
    return parseLine(line, addressCut);
}

ConsoleStart readConsoleLine(std::string_view line)
{
    ConsoleStart start;
    bool addressCut = false;
    start.parameters = parseLine(line, addressCut);
    std::string& address = start.parameters.agentAddress;
    if (addressCut)
        start.refusal = "The switch address on the command line (\"" + address +
                        "...\") is longer than 15 characters; no dotted IPv4 address is. Nothing was started.";
    else if (!address.empty() && !isDottedIpv4(address))
        start.refusal = "The switch address on the command line (\"" + address +
                        "\") is not a dotted IPv4 address such as 192.0.2.10. Nothing was started.";
    if (!start.refusal.empty())
        address.clear();
    return start;
}

} // namespace app
