#include "sim/manager_entry.h"

#include <charconv>
#include <cstdio>

namespace sim {
namespace {

constexpr int kMaxPorts = 100;

bool hexOctet(std::string_view text, char& octet)
{
    unsigned value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, 16);
    if (text.size() != 2 || error != std::errc() || end != text.data() + text.size())
        return false;
    octet = static_cast<char>(value);
    return true;
}

} // namespace

bool addManagerOption(std::string_view option, std::string_view argument, ManagerEntry& entry)
{
    if (option == "--manager-port") {
        int port = 0;
        const auto [end, error] = std::from_chars(argument.data(), argument.data() + argument.size(), port);
        if (error != std::errc() || end != argument.data() + argument.size() || port < 1 || port > kMaxPorts)
            return false;
        entry.port = port;
        return true;
    }
    if (option != "--manager-mac" || argument.size() != 17)
        return false;
    std::string mac(6, '\0');
    for (std::size_t i = 0; i < 6; ++i) {
        const char separator = i < 5 ? argument[i * 3 + 2] : ':';
        if ((separator != ':' && separator != '-') || !hexOctet(argument.substr(i * 3, 2), mac[i]))
            return false;
    }
    entry.mac = mac;
    return true;
}

std::string managerOptions(const ManagerEntry& entry)
{
    if (entry.port == 0)
        return {};
    char mac[18];
    const auto octet = [&entry](std::size_t i) { return static_cast<unsigned>(static_cast<unsigned char>(entry.mac[i])); };
    std::snprintf(mac, sizeof mac, "%02X-%02X-%02X-%02X-%02X-%02X", octet(0), octet(1), octet(2), octet(3), octet(4),
                  octet(5));
    return " --manager-port " + std::to_string(entry.port) + " --manager-mac " + mac;
}

} // namespace sim
