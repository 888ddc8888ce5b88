// The LLDP and surveillance dialogs read garbled answers: opening sends no
// set, and Apply is refused or writes nothing the garbled read said.
#include "drill_support.h"
#include "udp_relay.h"

#include "dialogs/management/lldp_global_dialog.h"
#include "dialogs/management/lldp_rules.h"
#include "dialogs/management/surveillance_rules.h"
#include "dialogs/management/surveillance_vlan_dialog.h"
#include "qt_wait.h"
#include "scripted_prompter.h"
#include "write_wait.h"

#include <QCheckBox>

#include <mutex>

namespace drills {
namespace {

enum class Dialog { LldpGlobal, Surveillance };
enum class Garble { TextForInteger, HugeText, NoSuchName, ShortAnswer };
// The LLDP timers garbled leave Apply refused; the surveillance dialog may write, but nothing garbled.
using Case = std::tuple<Dialog, Garble>;

constexpr const char* kTextForInteger = "77 garbled";
const std::string kHugeText(10000, '7');

bool fromGarbledRead(const std::string& value)
{
    return value.find("77") != std::string::npos || value.find("garbled") != std::string::npos;
}

// The values a dialog reads and could write back: scalars, or every row of a column.
std::vector<std::string> readValues(Dialog dialog)
{
    using namespace dialogs::management;
    if (dialog == Dialog::LldpGlobal) {
        const auto oids = lldpGlobalRead().oids;
        return {oids.begin(), oids.begin() + 5};
    }
    // The VLAN and the priority; the state stays clean, so Apply sends them.
    const auto oids = surveillanceGlobalRead().oids;
    return {oids[1], oids[2], surveillanceVlanWalk().oids.front()};
}

void garble(Garble kind, const std::vector<std::string>& fields, const snmp::Pdu& request, snmp::Pdu& answer)
{
    if (request.type == snmp::PduType::Set)
        return;
    bool hit = false;
    for (snmp::VarBind& binding : answer.bindings) {
        const bool read = std::any_of(fields.begin(), fields.end(), [&](const std::string& field) {
            return binding.oid == oidOf(field) || within(binding.oid, field);
        });
        hit = hit || read;
        if (read && kind == Garble::TextForInteger)
            binding.value = {.type = snmp::Asn::OctetString, .octets = kTextForInteger};
        else if (read && kind == Garble::HugeText)
            binding.value = {.type = snmp::Asn::OctetString, .octets = kHugeText};
    }
    if (hit && kind == Garble::NoSuchName) {
        answer.errorStatus = 2;
        answer.errorIndex = 1;
    } else if (hit && kind == Garble::ShortAnswer) {
        answer.bindings.resize(answer.bindings.size() / 2);
    }
}

// The values of the sets that passed the relay, as the switch's answers brought them back.
struct SetLog {
    std::mutex mutex;
    std::vector<std::string> values;

    void record(const snmp::Pdu& request)
    {
        std::lock_guard lock(mutex);
        for (const snmp::VarBind& binding : request.bindings)
            values.push_back(binding.value.type == snmp::Asn::OctetString ? binding.value.octets
                                                                          : std::to_string(binding.value.integer));
    }
    std::vector<std::string> taken()
    {
        std::lock_guard lock(mutex);
        return values;
    }
};

class GarbledLldpDrill : public ::testing::TestWithParam<Case> {
protected:
    static void SetUpTestSuite() { s_agent = startQuietSwitch().release(); }
    static void TearDownTestSuite() { delete s_agent; }

    void SetUp() override
    {
        ASSERT_NE(s_agent, nullptr);
        ASSERT_TRUE(relay.ready());
        useAgent(relay.port());
        relay.setFaults({.rewrite = [kind = std::get<1>(GetParam()), fields = readValues(std::get<0>(GetParam())),
                                     sets = sets](const snmp::Pdu& request, snmp::Pdu& answer) {
            if (request.type == snmp::PduType::Set)
                sets->record(request);
            garble(kind, fields, request, answer);
        }});
    }

    static inline sim::SnmpdProcess* s_agent = nullptr;
    std::shared_ptr<SetLog> sets = std::make_shared<SetLog>();
    UdpRelay relay{s_agent ? s_agent->port() : std::uint16_t{0}};
};

TEST_P(GarbledLldpDrill, OpeningSendsNoSetAndApplyNeverWritesWhatTheGarbledReadSaid)
{
    const Dialog shown = std::get<0>(GetParam());
    ScriptedPrompter prompter;
    std::unique_ptr<dialogs::CDialogBase> dialog;
    bool read = false;
    if (shown == Dialog::LldpGlobal) {
        dialog = std::make_unique<dialogs::management::CLldpGlobalDialog>();
        QObject::connect(dialog.get(), &dialogs::CDialogBase::walkEnded, [&read] { read = true; });
    } else {
        auto surveillance = std::make_unique<dialogs::management::CSurveillanceVlanDialog>();
        QObject::connect(surveillance.get(), &dialogs::management::CSurveillanceVlanDialog::refreshed,
                         [&read] { read = true; });
        dialog = std::move(surveillance);
    }
    ASSERT_TRUE(waitUntil([&] { return read; }));
    settle(20);
    EXPECT_GT(relay.counts().rewritten, 0);
    EXPECT_EQ(relay.counts().setRequests, 0);

    if (shown == Dialog::LldpGlobal)
        static_cast<dialogs::management::CLldpGlobalDialog&>(*dialog).applyParameters();
    else {
        dialog->findChild<QCheckBox*>("enable")->setChecked(true);
        static_cast<dialogs::management::CSurveillanceVlanDialog&>(*dialog).apply();
    }
    ASSERT_TRUE(waitForWrite(*dialog));
    const std::vector<std::string> written = sets->taken();
    if (shown == Dialog::LldpGlobal) {
        EXPECT_TRUE(written.empty());
        EXPECT_EQ(prompter.texts(), std::vector<std::string>{"The Message TX Hold Multipier should be 2-10"});
    }
    for (const std::string& value : written)
        EXPECT_FALSE(fromGarbledRead(value)) << "written back: " << value.substr(0, 40);
    dialog->reject();
}

INSTANTIATE_TEST_SUITE_P(Dialogs, GarbledLldpDrill,
                         ::testing::Combine(::testing::Values(Dialog::LldpGlobal, Dialog::Surveillance),
                                            ::testing::Values(Garble::TextForInteger, Garble::HugeText,
                                                              Garble::NoSuchName, Garble::ShortAnswer)));

} // namespace
} // namespace drills
