#include "harness.h"

#include "dialogs/mib/table_view_rules.h"

namespace fuzz {

// Rows of any shape turned into the texts of the standard table views' list
// columns (walked rows reach the same decoding: trunk_snapshot drives the
// dialog session's walks).
int table_rows(const std::uint8_t* data, std::size_t size)
{
    FuzzReader in(data, size);
    const dialogs::WalkRow row = arbitraryRow(in);
    using namespace dialogs::mib;
    for (const TableView& view : {interfaceTableView(), ipTableView("127.0.0.1"), forwardingTableView(), tcpServiceView(),
                                  udpServiceView()})
        require(view.rowTexts(row).size() >= std::min(view.headers.size(), row.values.size()), "a text per shown column");
    const std::string mac = fdbMacText(row.suffix);
    require(mac.empty() || mac.size() == 17, "a MAC text or none");
    fdbRowPasses(row, "");
    return 0;
}

} // namespace fuzz
