#include "dialogs/switching/arp_spoofing_rules.h"

#include "dialogs/switching/address_text.h"
#include "snmp/common_snmp.h"
#include "snmp/encodings.h"

#include <algorithm>
#include <cctype>
#include <cstdint>

namespace dialogs::switching {
namespace {

const std::string kEntry = "1.3.6.1.4.1.32473.10.75.7.14.3.1.1.";

std::string cell(int column, const std::string& suffix)
{
    return kEntry + std::to_string(column) + suffix;
}

std::uint32_t addressNumber(const std::array<std::uint8_t, 4>& a)
{
    return (std::uint32_t{a[0]} << 24) | (std::uint32_t{a[1]} << 16) | (std::uint32_t{a[2]} << 8) | a[3];
}

bool unicastRange(std::uint32_t address)
{
    const std::uint32_t ranges[][2] = {{0x01000001, 0x7EFFFFFE}, {0x80010001, 0xBFFEFFFE}, {0xC0000101, 0xDFFFFEFE}};
    return std::any_of(std::begin(ranges), std::end(ranges),
                       [&](const auto& range) { return address >= range[0] && address <= range[1]; });
}

// The twelve digits of a MAC typed "00-11-22-33-44-55", or "".
std::string macDigits(const std::string& mac)
{
    if (mac.size() != 17)
        return {};
    std::string digits;
    for (std::size_t i = 0; i < mac.size(); ++i) {
        if (i % 3 == 2) {
            if (mac[i] != '-')
                return {};
        } else if (std::isxdigit(static_cast<unsigned char>(mac[i]))) {
            digits.push_back(mac[i]);
        } else {
            return {};
        }
    }
    return digits == "000000000000" ? std::string() : digits;
}

} // namespace

const std::vector<std::string>& arpSpoofingHeaders()
{
    static const std::vector<std::string> kHeaders{"Index", "Router/Gateway IP Address", "Router/Gateway MAC Address",
                                                   "Ports"};
    return kHeaders;
}

WalkRequest arpSpoofingRead()
{
    return {WalkRequest::Mode::Table, {cell(1, ""), cell(2, ""), cell(3, ""), cell(4, "")}, 4};
}

std::optional<ArpSpoofingRow> decodeArpSpoofingRow(const WalkRow& row, int portCount)
{
    if (row.values.size() < 4 || row.values[3] != "1")
        return std::nullopt;
    return ArpSpoofingRow{row.suffix, row.values[0], snmp::macToDashText(row.values[1]),
                          snmp::bitmapToPortList(row.values[2], portCount).text};
}

std::string checkArpSpoofingAdd(int listed)
{
    return listed >= kArpSpoofingMaxEntries ? "The Maximum of Entry is 64, can not add any more" : "";
}

std::string checkArpSpoofingDelete(bool selected)
{
    return selected ? "" : "Please select the entry you would be delete!";
}

Bindings arpSpoofingDelete(const ArpSpoofingRow& row)
{
    return {{cell(4, row.suffix), snmp::kTypeInteger, "6"}};
}

std::string checkArpSpoofingEntry(const ArpSpoofingEntry& entry, const AggregatedLinks& links)
{
    const auto address = dottedQuad(entry.address);
    if (entry.addressHasBlankField || !address)
        return kArpAddressFormat;
    const auto& a = *address;
    if (addressNumber(a) == 0)
        return "Invalid IP.";
    if (a[0] == 0 || a[0] == 255)
        return "Invalid  IP.";
    if (a[3] == 0 || a[3] == 255)
        return "Invalid IP.";
    if (!unicastRange(addressNumber(a)))
        return "Multicast IP is not allowed";
    const std::string digits = macDigits(entry.mac);
    if (digits.empty())
        return "Please enter correct MAC format(ex:00-00-00-00-00-01)";
    const std::string mac = snmp::hexToOctets(digits, 6);
    if (mac == std::string(6, '\xff'))
        return "Broadcast MAC is not allowed.";
    if (static_cast<unsigned char>(mac[0]) & 1)
        return "Multicast MAC address is not allowed.";
    if (!links.treatsLinksAlike(entry.ports))
        return "ARP Spoofing Prevention enabled port must match to the aggregated link port.";
    return {};
}

std::vector<Bindings> arpSpoofingCreate(const ArpSpoofingEntry& entry, int portCount)
{
    const auto address = dottedQuad(entry.address);
    if (!address)
        return {};
    const std::string suffix = addressSuffix(*address);
    const std::string digits = macDigits(entry.mac);
    const std::string mac = snmp::hexToOctets(digits, 6);
    return {
        {{cell(4, suffix), snmp::kTypeInteger, "5"}},
        {{cell(2, suffix), snmp::kTypeOctetString, mac},
         {cell(3, suffix), snmp::kTypeOctetString, snmp::portFlagsToBitmap(entry.ports, portCount).octets}},
        {{cell(4, suffix), snmp::kTypeInteger, "1"}},
    };
}

} // namespace dialogs::switching
