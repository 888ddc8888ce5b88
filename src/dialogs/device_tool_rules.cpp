#include "dialogs/device_tool_rules.h"

#include "snmp/agent_address.h"
#include "snmp/common_snmp.h"

namespace dialogs {
namespace {

// The registry value is read into a 200-byte buffer.
constexpr std::size_t kCommandBuffer = 199;

std::string pathWith(std::string_view command, std::string_view extension)
{
    const std::size_t colon = command.find(":\\");
    const std::size_t exe = command.find(extension);
    if (colon == std::string_view::npos || exe == std::string_view::npos || colon == 0 || exe + 4 < colon)
        return {};
    const std::size_t begin = colon - 1;
    return std::string(command.substr(begin, exe + extension.size() - begin));
}

} // namespace

Bindings saveConfigurationSet()
{
    return {{"1.3.6.1.4.1.32473.10.75.7.1.10.0", snmp::kTypeInteger, "1"}};
}

Bindings rebootSet()
{
    return {{"1.3.6.1.4.1.32473.10.75.7.1.9.0", snmp::kTypeInteger, "1"}};
}

std::string saveConfigurationReport(int status)
{
    return status == snmp::kStatusOk ? "success" : "failed";
}

std::string browserPathFromCommand(std::string_view command)
{
    command = command.substr(0, std::min(command.size(), kCommandBuffer));
    if (std::string path = pathWith(command, ".exe"); !path.empty())
        return path;
    return pathWith(command, ".EXE");
}

std::string browserCommandLine(std::string_view path, std::string_view agentAddress)
{
    return std::string(path) + " " + std::string(agentAddress);
}

std::vector<std::string> telnetArguments(std::string_view agentAddress)
{
    std::vector<std::string> arguments{"-e", "telnet"};
    if (!agentAddress.empty())
        arguments.emplace_back(agentAddress);
    return arguments;
}

std::vector<std::string> browserArguments(std::string_view agentAddress)
{
    if (agentAddress.empty())
        return {};
    return {"http://" + snmp::urlHost(std::string(agentAddress))};
}

std::string aboutTitle(std::string_view deviceName)
{
    return std::string(deviceName) + " Module";
}

std::string aboutCaption(std::string_view deviceName)
{
    return std::string(deviceName) + " Management Module";
}

} // namespace dialogs
