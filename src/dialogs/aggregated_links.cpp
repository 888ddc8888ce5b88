#include "dialogs/aggregated_links.h"

#include "dialogs/text_number.h"
#include "snmp/encodings.h"

#include <algorithm>
#include <sstream>

namespace dialogs {

WalkRequest aggregatedLinkRead()
{
    return {WalkRequest::Mode::Table, {"1.3.6.1.4.1.32473.10.75.7.8.1.3.1.2"}, 1};
}

void addAggregatedLink(std::vector<int>& linkIds, const WalkRow& row, int portCount)
{
    if (row.values.empty() || row.suffix.size() < 2 || row.suffix[0] != '.')
        return;
    const snmp::PortList ports = snmp::bitmapToPortList(row.values[0], portCount);
    if (ports.count == 0)
        return;
    const int linkId = static_cast<int>(leadingNumber(std::string_view(row.suffix).substr(1)));
    std::istringstream list(ports.text);
    std::string port;
    while (std::getline(list, port, ',')) {
        const std::int64_t number = leadingNumber(port);
        if (number >= 1 && number <= static_cast<std::int64_t>(linkIds.size()))
            linkIds[static_cast<std::size_t>(number - 1)] = linkId;
    }
}

} // namespace dialogs

namespace dialogs {

AggregatedLinks::AggregatedLinks(int portCount) : m_linkIds(static_cast<std::size_t>(std::max(portCount, 0)), 0) {}

void AggregatedLinks::add(const WalkRow& row)
{
    addAggregatedLink(m_linkIds, row, portCount());
}

int AggregatedLinks::linkOf(int port) const
{
    if (port < 1 || port > portCount())
        return 0;
    return m_linkIds[static_cast<std::size_t>(port - 1)];
}

void AggregatedLinks::clear()
{
    std::fill(m_linkIds.begin(), m_linkIds.end(), 0);
}

} // namespace dialogs
