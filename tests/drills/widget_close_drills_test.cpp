// Real widgets closed while their walks are under way: table views and the
// main window, against the simulated switch behind snmpd and a slow relay.
#include "drill_support.h"

#include "app/main_window.h"
#include "debug_lines.h"
#include "dialogs/mib/table_view_dialog.h"
#include "main_window_fixture.h"
#include "qt_wait.h"
#include "walk_ends.h"

#include <QTreeWidget>

#include <algorithm>
#include <atomic>

namespace drills {
namespace {

using namespace std::chrono_literals;

// No request reaches the agent for a while: nothing walks any more.
bool relayFallsQuiet(const UdpRelay& relay)
{
    settle(50);
    const int before = relay.counts().requests;
    settle(200);
    return relay.counts().requests == before;
}

class WidgetCloseDrill : public RelayedSwitch<> {
protected:
    void TearDown() override { relay.setFaults({}); } // no rewrite touches linkAnswers after the test
    std::atomic<int> linkAnswers{0};
};

TEST_F(WidgetCloseDrill, HundredInterfaceTablesClosedInTheMiddleOfTheirWalks)
{
    relay.setFaults({.answerDelay = 2ms});
    useAgent(relay.port(), {}, 1000);

    const std::string closeLine = "==================m_cCommonSNMP.Close===============";
    DebugLines debug;
    int rowsSeen = 0;
    for (int cycle = 0; cycle < 100; ++cycle) {
        auto dialog = dialogs::mib::newInterfaceTableDialog();
        const QTreeWidget& list = *dialog->list();
        const int requestsBefore = relay.counts().requests;
        dialog->show();
        // 0: before the walk starts; 1: its first request sent; 2..4: after 1..3 rows.
        const int point = cycle % 5;
        if (point == 1) {
            ASSERT_TRUE(waitUntil([&] { return relay.counts().requests > requestsBefore; }));
        } else if (point > 1) {
            ASSERT_TRUE(waitUntil([&] { return list.topLevelItemCount() >= point - 1; }));
        }
        rowsSeen += list.topLevelItemCount();
        // Half close as the Close button does, half are destroyed outright.
        if (cycle % 2 == 1)
            dialog->reject();
        dialog.reset();
        // Answers and deliveries still under way arrive at a dialog that is gone.
        settle(cycle % 3);
    }
    EXPECT_TRUE(relayFallsQuiet(relay));
    const auto lines = debug.lines();
    EXPECT_EQ(std::count(lines.begin(), lines.end(), closeLine), 100);
    EXPECT_GT(rowsSeen, 0);

    // A last dialog walks to the end and lists every interface.
    const std::vector<WalkRow> reference = walkOnce(dialogs::mib::interfaceTableView().walk.oids);
    auto last = dialogs::mib::newInterfaceTableDialog();
    WalkEnds ends(*last);
    last->show();
    ends.wait(1);
    EXPECT_EQ(last->list()->topLevelItemCount(), static_cast<int>(reference.size()));
    EXPECT_GE(reference.size(), 28u);
}

TEST_F(WidgetCloseDrill, MainWindowClosedWhileItsLinkWalkIsUnderWay)
{
    // Every answer of the link walk counted, each ~20 ms late: a walk lasts well over half a second.
    relay.setFaults({.answerDelay = 20ms, .rewrite = [this](const snmp::Pdu& request, snmp::Pdu&) {
                         if (!request.bindings.empty() && within(request.bindings.front().oid, kLinkColumns.front()))
                             ++linkAnswers;
                     }});
    constexpr int kTimeoutMs = 1000;
    useAgent(relay.port(), {}, kTimeoutMs);

    ModelFolder folder("QMX-7720-ZA", 28);
    app::MainWindowOptions options;
    options.userIniPath = folder.userIni();
    // A cycle outlasts the slow walk, so the next cycle does not restart it.
    options.pollTimings = monitor::PollTimings{0ms, 200ms, 0ms};
    // The close lands at the walk's start, early and late in it.
    for (const int answers : {1, 6, 20}) {
        SCOPED_TRACE(answers);
        const int before = linkAnswers;
        auto window = std::make_unique<app::CMainWindow>(options);
        window->show();
        ASSERT_TRUE(waitUntil([&] { return linkAnswers >= before + answers; }));
        const auto closing = std::chrono::steady_clock::now();
        window->close();
        window.reset();
        const auto took = std::chrono::steady_clock::now() - closing;
        EXPECT_LT(took, std::chrono::milliseconds(kTimeoutMs));
        // The walk stopped with its window: well short of the 28 ports.
        EXPECT_LE(linkAnswers - before, answers + 3);
        EXPECT_TRUE(relayFallsQuiet(relay));
    }
}

} // namespace
} // namespace drills
