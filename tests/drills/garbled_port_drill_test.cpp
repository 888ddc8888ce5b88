// Port Configuration reads port 1 garbled: the garbage is not shown, and
// Apply on that port sends nothing, even with every question answered OK.
#include "drill_support.h"
#include "udp_relay.h"

#include "dialogs/switching/port_set_info.h"
#include "qt_wait.h"
#include "scripted_prompter.h"
#include "write_wait.h"

#include <QPushButton>
#include <QTreeWidget>

namespace drills {
namespace {

enum class Garble { TextForInteger, HugeText, NoSuchName, ShortAnswer };

struct Case {
    Garble garble;
    std::vector<std::string> warnings; // what Apply says instead of writing
};

const std::string kPortTable = "1.3.6.1.4.1.32473.10.75.7.1.13.1.";
// Port 1's speed, flow control and medium: what Apply writes or checks.
const std::vector<std::string> kPortOneValues = {kPortTable + "2.1", kPortTable + "5.1", kPortTable + "7.1"};

void garble(Garble kind, const snmp::Pdu& request, snmp::Pdu& answer)
{
    if (request.type == snmp::PduType::Set)
        return;
    bool hit = false;
    for (snmp::VarBind& binding : answer.bindings) {
        const bool portOne = std::any_of(kPortOneValues.begin(), kPortOneValues.end(),
                                         [&](const std::string& oid) { return oidOf(oid) == binding.oid; });
        hit = hit || portOne;
        if (kind == Garble::TextForInteger && portOne)
            binding.value = {.type = snmp::Asn::OctetString, .octets = "77 garbled"};
        else if (kind == Garble::HugeText && binding.oid == oidOf(kPortOneValues[0]))
            binding.value = {.type = snmp::Asn::OctetString, .octets = std::string(10000, '7')};
    }
    if (hit && kind == Garble::NoSuchName) {
        answer.errorStatus = 2;
        answer.errorIndex = 1;
    } else if (hit && kind == Garble::ShortAnswer) {
        answer.bindings.resize(answer.bindings.size() / 2);
    }
}

class GarbledPortDrill : public ::testing::TestWithParam<Case> {
protected:
    static void SetUpTestSuite() { s_agent = startQuietSwitch().release(); }
    static void TearDownTestSuite() { delete s_agent; }

    void SetUp() override
    {
        ASSERT_NE(s_agent, nullptr);
        ASSERT_TRUE(relay.ready());
        useAgent(relay.port());
        relay.setFaults({.rewrite = [kind = GetParam().garble](const snmp::Pdu& request, snmp::Pdu& answer) {
            garble(kind, request, answer);
        }});
    }

    static inline sim::SnmpdProcess* s_agent = nullptr;
    UdpRelay relay{s_agent ? s_agent->port() : std::uint16_t{0}};
};

TEST_P(GarbledPortDrill, GarbageIsNeitherShownNorWrittenBack)
{
    ScriptedPrompter prompter;
    prompter.answer(true);
    prompter.answer(true);
    dialogs::switching::CPortSetInfo dialog({28, 4, false});
    int walksEnded = 0;
    QObject::connect(&dialog, &dialogs::CDialogBase::walkEnded, &dialog, [&walksEnded] { ++walksEnded; });
    ASSERT_TRUE(waitUntil([&] { return walksEnded == 2; })); // the links, then the ports
    settle(20);
    EXPECT_GT(relay.counts().rewritten, 0);

    const QTreeWidget& list = *dialog.list();
    for (int row = 0; row < list.topLevelItemCount(); ++row)
        for (int column = 0; column < list.columnCount(); ++column) {
            const std::string text = list.topLevelItem(row)->text(column).toStdString();
            EXPECT_TRUE(text.find("garbled") == std::string::npos && text.find("7777") == std::string::npos)
                << "row " << row << " shows " << text.substr(0, 20);
        }
    if (list.topLevelItemCount() > 0)
        EXPECT_EQ(list.topLevelItem(0)->text(1), "") << "a garbled speed shown as a setting";

    dialog.selectRow(0);
    dialog.apply();
    EXPECT_TRUE(waitForWrite(dialog));
    EXPECT_EQ(relay.counts().setRequests, 0);
    EXPECT_EQ(prompter.texts(), GetParam().warnings);
}

std::string caseName(const ::testing::TestParamInfo<Case>& info)
{
    static const char* const kNames[] = {"TextForInteger", "HugeText", "NoSuchName", "ShortAnswer"};
    return kNames[static_cast<int>(info.param.garble)];
}

// A garbled row keeps Apply off; an answer that ends the walk leaves no row to pick.
INSTANTIATE_TEST_SUITE_P(PortConfiguration, GarbledPortDrill,
                         ::testing::Values(Case{Garble::TextForInteger, {}}, Case{Garble::HugeText, {}},
                                           Case{Garble::NoSuchName, {"Please Select one port !"}},
                                           Case{Garble::ShortAnswer, {"Please Select one port !"}}),
                         caseName);

} // namespace
} // namespace drills
