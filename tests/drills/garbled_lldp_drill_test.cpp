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

#include <QTemporaryDir>

#include <fstream>
#include <sstream>

namespace drills {
namespace {

enum class Dialog { LldpGlobal, Surveillance };
enum class Garble { TextForInteger, HugeText, NoSuchName, ShortAnswer };

struct Case {
    Dialog dialog;
    Garble garble;
    bool refused; // else Apply may write, but nothing garbled
};

void PrintTo(const Case& c, std::ostream* out)
{
    static const char* const kDialogs[] = {"LldpGlobal", "Surveillance"};
    static const char* const kGarbles[] = {"TextForInteger", "HugeText", "NoSuchName", "ShortAnswer"};
    *out << kDialogs[static_cast<int>(c.dialog)] << "_" << kGarbles[static_cast<int>(c.garble)];
}

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
    std::vector<std::string> oids = surveillanceGlobalRead().oids;
    oids.push_back(surveillanceVlanWalk().oids.front());
    return oids;
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

class GarbledLldpDrill : public ::testing::TestWithParam<Case> {
protected:
    static void SetUpTestSuite()
    {
        s_dir = new QTemporaryDir;
        sim::SwitchAgentOptions options;
        options.scenario = false;
        options.requestLog = s_dir->filePath("requests.log").toStdString();
        std::string error;
        s_agent = sim::startSwitchAgent(options, &error).release();
        ASSERT_NE(s_agent, nullptr) << error;
    }
    static void TearDownTestSuite()
    {
        delete s_agent;
        delete s_dir;
    }

    void SetUp() override
    {
        ASSERT_NE(s_agent, nullptr);
        ASSERT_TRUE(relay.ready());
        useAgent(relay.port());
        relay.setFaults({.rewrite = [kind = GetParam().garble, fields = readValues(GetParam().dialog)](
                                        const snmp::Pdu& request, snmp::Pdu& answer) { garble(kind, fields, request, answer); }});
    }

    static std::vector<std::string> setValues()
    {
        std::vector<std::string> values;
        std::ifstream log(s_dir->filePath("requests.log").toStdString());
        for (std::string line; std::getline(log, line);) {
            std::istringstream fields(line);
            std::string time, kind, oid, type, value;
            fields >> time >> kind >> oid >> type;
            std::getline(fields >> std::ws, value);
            if (kind == "set")
                values.push_back(value);
        }
        return values;
    }

    static inline sim::SnmpdProcess* s_agent = nullptr;
    static inline QTemporaryDir* s_dir = nullptr;
    UdpRelay relay{s_agent ? s_agent->port() : std::uint16_t{0}};
};

TEST_P(GarbledLldpDrill, OpeningSendsNoSetAndApplyNeverWritesWhatTheGarbledReadSaid)
{
    const Case c = GetParam();
    ScriptedPrompter prompter;
    const std::size_t setsBefore = setValues().size();
    std::unique_ptr<dialogs::CDialogBase> dialog;
    bool read = false;
    if (c.dialog == Dialog::LldpGlobal) {
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

    if (c.dialog == Dialog::LldpGlobal)
        static_cast<dialogs::management::CLldpGlobalDialog&>(*dialog).applyParameters();
    else
        static_cast<dialogs::management::CSurveillanceVlanDialog&>(*dialog).apply();
    ASSERT_TRUE(waitForWrite(*dialog));
    const std::vector<std::string> sets = setValues();
    if (c.refused) {
        EXPECT_EQ(sets.size(), setsBefore);
        EXPECT_EQ(prompter.texts(), std::vector<std::string>{"The Message TX Hold Multipier should be 2-10"});
    }
    for (std::size_t i = setsBefore; i < sets.size(); ++i)
        EXPECT_FALSE(fromGarbledRead(sets[i])) << "written back: " << sets[i].substr(0, 40);
    dialog->reject();
}

std::string caseName(const ::testing::TestParamInfo<Case>& info)
{
    std::ostringstream name;
    PrintTo(info.param, &name);
    return name.str();
}

INSTANTIATE_TEST_SUITE_P(Dialogs, GarbledLldpDrill,
                         ::testing::Values(Case{Dialog::LldpGlobal, Garble::TextForInteger, true},
                                           Case{Dialog::LldpGlobal, Garble::HugeText, true},
                                           Case{Dialog::LldpGlobal, Garble::NoSuchName, true},
                                           Case{Dialog::LldpGlobal, Garble::ShortAnswer, true},
                                           Case{Dialog::Surveillance, Garble::TextForInteger, false},
                                           Case{Dialog::Surveillance, Garble::HugeText, false},
                                           Case{Dialog::Surveillance, Garble::NoSuchName, false},
                                           Case{Dialog::Surveillance, Garble::ShortAnswer, false}),
                         caseName);

} // namespace
} // namespace drills
