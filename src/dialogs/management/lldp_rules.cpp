#include "dialogs/management/lldp_rules.h"

#include "dialogs/text_number.h"
#include "snmp/common_snmp.h"
#include "snmp/encodings.h"

#include <array>
#include <cstdio>
#include <sstream>

namespace dialogs::management {
namespace {

constexpr const char* kSettings = "1.3.6.1.4.1.32473.10.75.6.24.";
constexpr const char* kLocal = "1.0.8802.1.1.2.1.3.";
constexpr const char* kRemote = "1.0.8802.1.1.2.1.4.1.1.";

std::string setting(int arc)
{
    return kSettings + std::to_string(arc) + ".0";
}

Binding integer(std::string oid, std::int64_t value)
{
    return {std::move(oid), snmp::kTypeInteger, std::to_string(value)};
}

template <std::size_t N>
std::string nameOf(const std::array<const char*, N>& names, std::string_view value)
{
    for (std::size_t i = 0; i < N; ++i)
        if (value == std::to_string(i + 1))
            return names[i];
    return std::string(value);
}

std::vector<std::string> splitIndex(const std::string& suffix)
{
    std::vector<std::string> parts;
    std::istringstream in(suffix);
    std::string part;
    while (std::getline(in, part, '.'))
        if (!part.empty())
            parts.push_back(part);
    return parts;
}

} // namespace

Bindings lldpStateRead()
{
    return nullBindings({setting(1)});
}

WalkRequest lldpGlobalRead()
{
    std::vector<std::string> oids;
    for (int arc = 1; arc <= 5; ++arc)
        oids.push_back(setting(arc));
    for (int arc = 1; arc <= 4; ++arc)
        oids.push_back(kLocal + std::to_string(arc) + ".0");
    return {WalkRequest::Mode::Single, std::move(oids), 5};
}

std::optional<LldpGlobalTexts> decodeLldpGlobal(const WalkRow& row)
{
    const auto& v = row.values;
    if (v.size() < 5)
        return std::nullopt;
    for (std::size_t i = 1; i < 5; ++i)
        if (!isWholeNumber(v[i]))
            return std::nullopt;
    LldpGlobalTexts texts;
    texts.enabled = v[0] == "1";
    texts.holdMultiplier = v[1];
    texts.txInterval = v[2];
    texts.reinitDelay = v[3];
    texts.txDelay = v[4];
    if (v.size() >= 9) {
        texts.chassisIdSubtype = chassisSubtypeName(v[5]);
        texts.chassisId = chassisIdText(v[6]);
        texts.systemName = snmp::utf8ToLocal(v[7]);
        texts.systemDescription = snmp::utf8ToLocal(v[8]);
    }
    return texts;
}

std::string checkLldpParameters(const LldpParameters& p)
{
    if (p.holdMultiplier < 2 || p.holdMultiplier > 10)
        return "The Message TX Hold Multipier should be 2-10";
    if (p.txInterval < 5 || p.txInterval > 32768)
        return "The Message TX Interval should be 5-32768";
    if (p.reinitDelay < 1 || p.reinitDelay > 10)
        return "The LLDP Reinit Delay should be 1-10";
    if (p.txDelay < 1 || p.txDelay > 8192)
        return "The LLDP TX Delay should be 1-8192";
    if (p.txDelay * 4 > p.txInterval)
        return "LLDP TX Delay should be <= 0.25 * (Message TX Interval)";
    return {};
}

Bindings lldpStateSet(bool enabled)
{
    return {integer(setting(1), enabled ? 1 : 2)};
}

Bindings lldpParametersSet(const LldpParameters& p)
{
    return {integer(setting(2), p.holdMultiplier), integer(setting(3), p.txInterval),
            integer(setting(4), p.reinitDelay), integer(setting(5), p.txDelay)};
}

WalkRequest pseTlvWalk()
{
    return {WalkRequest::Mode::Table, {std::string(kSettings) + "7.1.2"}, 1};
}

std::string pseTlvText(std::string_view value)
{
    return value == "1" ? "Enable" : "Disable";
}

Bindings pseTlvSet(int port, bool enable)
{
    return {integer(std::string(kSettings) + "7.1.2." + std::to_string(port), enable ? 1 : 2)};
}

const std::vector<std::string>& remotePortHeaders()
{
    static const std::vector<std::string> headers{"Port",    "Entity",           "Chassis ID Subtype",
                                                  "Chassis ID", "Port ID Subtype", "Port ID",
                                                  "Port Description", "System Name", "System Description"};
    return headers;
}

WalkRequest remotePortWalk()
{
    std::vector<std::string> oids;
    for (int column = 4; column <= 10; ++column)
        oids.push_back(kRemote + std::to_string(column));
    return {WalkRequest::Mode::Table, std::move(oids), 7};
}

std::optional<std::vector<std::string>> remotePortRowTexts(const WalkRow& row)
{
    const std::vector<std::string> index = splitIndex(row.suffix);
    if (index.size() != 3 || row.values.size() < 7)
        return std::nullopt;
    const auto& v = row.values;
    return std::vector<std::string>{index[1],
                                    index[2],
                                    chassisSubtypeName(v[0]),
                                    chassisIdText(v[1]),
                                    portSubtypeName(v[2]),
                                    snmp::utf8ToLocal(v[3]),
                                    snmp::utf8ToLocal(v[4]),
                                    snmp::utf8ToLocal(v[5]),
                                    snmp::utf8ToLocal(v[6])};
}

std::string chassisSubtypeName(std::string_view value)
{
    static constexpr std::array<const char*, 7> kNames{"chassisComponent", "interfaceAlias", "portComponent", "macAddress",
                                                       "networkAddress",   "interfaceName",  "local"};
    return nameOf(kNames, value);
}

std::string portSubtypeName(std::string_view value)
{
    static constexpr std::array<const char*, 7> kNames{"interfaceAlias", "portComponent", "macAddress", "networkAddress",
                                                       "interfaceName",  "agentCircuitld", "local"};
    return nameOf(kNames, value);
}

std::string chassisIdText(std::string_view octets)
{
    std::string text;
    for (unsigned char octet : octets) {
        char pair[4];
        std::snprintf(pair, sizeof pair, "%02X", octet);
        if (!text.empty())
            text += '-';
        text += pair;
    }
    return text;
}

} // namespace dialogs::management
