#include "dialogs/mib/table_view_rules.h"

#include "snmp/common_snmp.h"

#include "dialogs/text_number.h"

#include <array>
#include <cstdio>

namespace dialogs::mib {
namespace {

using Mode = WalkRequest::Mode;

std::string valueAt(const WalkRow& row, std::size_t index)
{
    return index < row.values.size() ? row.values[index] : std::string();
}

std::vector<std::string> asReceived(const WalkRow& row)
{
    return row.values;
}

std::vector<std::string> interfaceRow(const WalkRow& row)
{
    return {valueAt(row, 0), linkStatusText(valueAt(row, 1)), speedText(valueAt(row, 2))};
}

std::vector<std::string> forwardingRow(const WalkRow& row)
{
    return {fdbMacText(row.suffix), fdbStatusText(valueAt(row, 0)), valueAt(row, 1)};
}

std::vector<std::string> tcpRow(const WalkRow& row)
{
    std::vector<std::string> texts = row.values;
    if (texts.size() >= 5)
        texts[4] = tcpStateText(texts[4]);
    return texts;
}

} // namespace

TableView interfaceTableView()
{
    return {"Interface Table",
            "Interface Table",
            {" Index        ", " Link Status            ", " Speed(b/s)                     "},
            {Mode::ReadOnlyTable, {"1.3.6.1.2.1.2.2.1.1", "1.3.6.1.2.1.2.2.1.8", "1.3.6.1.2.1.2.2.1.5"}, 3},
            true,
            "0",
            true,
            &interfaceRow};
}

TableView ipTableView(const std::string& agentAddress)
{
    return {"IP Table : " + agentAddress,
            "IP Table",
            {" IP                ", " Netmask               "},
            {Mode::ReadOnlyTable, {"1.3.6.1.2.1.4.20.1.1", "1.3.6.1.2.1.4.20.1.3"}, 2},
            true,
            "0",
            true,
            &asReceived};
}

TableView forwardingTableView()
{
    return {"Forwarding Table",
            "", // "Filter" titles the destination port's group only
            {"       MAC              ", " Status      ", " Port     "},
            {Mode::ReadOnlyTable, {"1.3.6.1.2.1.17.7.1.2.2.1.3", "1.3.6.1.2.1.17.7.1.2.2.1.2"}, 2},
            true,
            " 0",
            false,
            &forwardingRow};
}

TableView tcpServiceView()
{
    return {"TCP Service",
            "TCP Service Table",
            {"Local Port ", " Local IP        ", " Remote IP       ", "Remote Port", " Status "},
            {Mode::ReadOnlyTable,
             {"1.3.6.1.2.1.6.13.1.3", "1.3.6.1.2.1.6.13.1.2", "1.3.6.1.2.1.6.13.1.4", "1.3.6.1.2.1.6.13.1.5",
              "1.3.6.1.2.1.6.13.1.1"},
             0},
            false,
            "",
            false,
            &tcpRow};
}

TableView udpServiceView()
{
    return {"UDP Service",
            "UDP Service Table",
            {"  Local Port ", "  Local IP      "},
            {Mode::ReadOnlyTable, {"1.3.6.1.2.1.7.5.1.2", "1.3.6.1.2.1.7.5.1.1"}, 0},
            false,
            "",
            false,
            &asReceived};
}

std::string linkStatusText(std::string_view status)
{
    if (status == "1")
        return "Connected";
    if (status == "2")
        return "UnConnected";
    if (status == "3")
        return "Test";
    return "Unknown";
}

std::string speedText(std::string_view speed)
{
    return std::to_string(leadingNumber(speed) / 1000000) + "M";
}

std::string fdbStatusText(std::string_view status)
{
    static constexpr std::array<const char*, 5> kNames{"Other", "Invalid", "Learn", "Own", "Static"};
    if (!status.empty() && status[0] >= '1' && status[0] <= '5')
        return kNames[static_cast<std::size_t>(status[0] - '1')];
    return std::string(status);
}

std::string tcpStateText(std::string_view state)
{
    static constexpr std::array<const char*, 11> kNames{"listen",   "synSent",  "synReceived", "established",
                                                        "finWait1", "finWait2", "closeWait",   "lastAck",
                                                        "closing",  "timeWait", "deleteTCB"};
    for (std::size_t i = 0; i < kNames.size(); ++i)
        if (state == std::to_string(i + 2))
            return kNames[i];
    return "closed";
}

std::string fdbMacText(std::string_view suffix)
{
    // ".vlan.o1....o6": the last six sub-identifiers after the VLAN.
    std::vector<std::int64_t> arcs;
    std::size_t pos = 0;
    while (pos < suffix.size()) {
        if (suffix[pos] != '.')
            return {};
        const std::size_t next = suffix.find('.', pos + 1);
        const std::string_view arc = suffix.substr(pos + 1, next == std::string_view::npos ? next : next - pos - 1);
        if (arc.empty() || arc.find_first_not_of("0123456789") != std::string_view::npos)
            return {};
        arcs.push_back(leadingNumber(arc));
        pos = next == std::string_view::npos ? suffix.size() : next;
    }
    if (arcs.size() != 7)
        return {};
    char text[18];
    std::snprintf(text, sizeof text, "%02X-%02X-%02X-%02X-%02X-%02X", static_cast<unsigned>(arcs[1] & 0xFF),
                  static_cast<unsigned>(arcs[2] & 0xFF), static_cast<unsigned>(arcs[3] & 0xFF),
                  static_cast<unsigned>(arcs[4] & 0xFF), static_cast<unsigned>(arcs[5] & 0xFF),
                  static_cast<unsigned>(arcs[6] & 0xFF));
    return text;
}

bool fdbRowPasses(const WalkRow& row, std::string_view portFilter)
{
    return portFilter.empty() || portFilter == valueAt(row, 1);
}

std::string listEndNote(int walkEndStatus)
{
    return walkEndStatus == snmp::kStatusEnded ? std::string() : kIncompleteList;
}

} // namespace dialogs::mib
