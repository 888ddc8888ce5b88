#include "harness.h"

#include "dialogs/mib/table_view_rules.h"

namespace fuzz {
namespace {

dialogs::mib::TableView viewOf(std::uint8_t choice)
{
    using namespace dialogs::mib;
    const TableView views[] = {interfaceTableView(), ipTableView("127.0.0.1"), forwardingTableView(), tcpServiceView(),
                               udpServiceView()};
    return views[choice % std::size(views)];
}

void checkTexts(const dialogs::mib::TableView& view, const dialogs::WalkRow& row)
{
    require(view.rowTexts(row).size() >= std::min(view.headers.size(), row.values.size()), "a text per shown column");
    const std::string mac = dialogs::mib::fdbMacText(row.suffix);
    require(mac.empty() || mac.size() == 17, "a MAC text or none");
    dialogs::mib::fdbRowPasses(row, "");
}

} // namespace

// Rows of the standard table views, answered by the fuzz input and turned
// into the texts of the list columns.
int table_rows(const std::uint8_t* data, std::size_t size)
{
    FuzzReader in(data, size);
    useLoopbackAgent();
    const dialogs::mib::TableView view = viewOf(in.byte());
    dialogs::CDialogSession::setTransport(std::make_shared<AnswerTransport>(in));
    walkToTheEnd("m_cCommonSNMP", view.walk, [&view](const dialogs::WalkRow& row) {
        require(row.values.size() >= view.walk.minimumBindings, "rows hold their columns");
        checkTexts(view, row);
    });
    dialogs::CDialogSession::setTransport(nullptr);

    // The decoding alone, on rows no agent would send.
    dialogs::WalkRow row;
    row.suffix = in.text(200);
    for (std::size_t count = in.byte() % 8; count > 0; --count)
        row.values.push_back(in.text(300));
    for (std::uint8_t choice = 0; choice < 5; ++choice)
        checkTexts(viewOf(choice), row);
    return 0;
}

} // namespace fuzz
