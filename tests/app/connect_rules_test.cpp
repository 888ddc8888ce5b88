// The Connect window's rules without a window: form checks, the model match,
// report causes, the conventional options and the recent-switches list.
#include "app/connect/connect_options.h"
#include "app/connect/recent_switches.h"
#include "sim/model_data.h"
#include "app/command_line.h"
#include "snmp/common_snmp.h"
#include "snmp/session_target.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <tuple>

namespace {

const app::ConnectForm kV3Form{.address = "192.0.2.10", .readCommunity = {}, .writeCommunity = {}, .user = "admin",
                                .authPassphrase = "authpass123", .privPassphrase = "privpass123"};

TEST(ConnectForm, ChecksInFieldOrder)
{
    const std::pair<void (*)(app::ConnectForm&), std::string> cases[] = { // a change to a good form, the message
        {[](app::ConnectForm&) {}, ""},
        {[](app::ConnectForm& f) { f.address = " [2001:db8::10] "; }, ""},
        {[](app::ConnectForm& f) { f.address = "switch-3.example.org"; }, ""},
        {[](app::ConnectForm& f) { f.address = ""; f.port = "0"; }, "Enter the switch's address."},
        {[](app::ConnectForm& f) { f.address = "192.0.2.300"; }, "\"192.0.2.300\" is neither an IPv4 or IPv6 address nor a host name."},
        {[](app::ConnectForm& f) { f.address = "-bad.example"; }, "\"-bad.example\" is neither an IPv4 or IPv6 address nor a host name."},
        // A shorthand the resolver would read as an address (127.0.0.1), though it looks like a host name.
        {[](app::ConnectForm& f) { f.address = "0x7f000001"; }, "\"0x7f000001\" is neither an IPv4 or IPv6 address nor a host name."},
        {[](app::ConnectForm& f) { f.port = "65536"; }, "The agent port must be a number from 1 to 65535."},
        {[](app::ConnectForm& f) { f.port = "16x"; }, "The agent port must be a number from 1 to 65535."},
        {[](app::ConnectForm& f) { f.user = ""; f.authPassphrase = ""; }, "Enter the user name."},
        {[](app::ConnectForm& f) { f.authPassphrase = "short"; }, "The authentication pass phrase needs at least 8 characters."},
        {[](app::ConnectForm& f) { f.privPassphrase = ""; }, "The privacy pass phrase needs at least 8 characters."},
        {[](app::ConnectForm& f) { f.securityLevel = "2"; f.privPassphrase = ""; }, ""},
        {[](app::ConnectForm& f) { f.securityLevel = "1"; f.authPassphrase = ""; }, ""},
        {[](app::ConnectForm& f) { f.version = "1"; }, "Enter the read community."},
        {[](app::ConnectForm& f) { f.version = "1"; f.readCommunity = "public"; f.user = ""; }, ""},
        {[](app::ConnectForm& f) { f.version = "2c"; }, "Enter the read community."},
    };
    for (const auto& [change, message] : cases) {
        app::ConnectForm form = kV3Form;
        change(form);
        EXPECT_EQ(app::checkConnectForm(form), message) << form.address << " " << form.port;
    }
}

TEST(ConnectForm, GivesOnlyTheSecretsOfItsLevel)
{
    app::ConnectForm form = kV3Form;
    form.address = "[::1]";
    form.securityLevel = "2";
    const snmp::SessionParameters p = app::sessionParametersOf(form);
    // A v3 form leaves the communities at their defaults.
    EXPECT_EQ(std::tie(p.agentAddress, p.authPassword, p.privPassword, p.privProtocol, p.readCommunity),
              std::tuple("::1", "authpass123", "", "1", "qevtal"));

    // Versions 1 and 2c take the communities, for the session and the keyring; only 2c reads in bulk.
    // The console line keeps 1 and 3: its 2c sends nothing (0).
    form.readCommunity = "public";
    for (const auto& [version, wire, console, bulk] : {std::tuple{"1", 1, 1, false}, {"2c", 2, 0, true}}) {
        form.version = version;
        const snmp::SessionParameters c = app::sessionParametersOf(form);
        const snmp::Target line = snmp::requestTarget(app::parseCommandLine(std::string("/A0/I10.1.1.1/R/W/V/S") + version),
                                                      snmp::kPduGet);
        EXPECT_EQ(std::tuple(snmp::requestTarget(c, snmp::kPduGet).version, line.host.empty() ? 0 : line.version, c.bulkReads),
                  std::tuple(wire, console, bulk));
        EXPECT_EQ(app::secretsOf(form), (app::SwitchSecrets{"public", "", "", ""})) << version;
    }
}

TEST(ModelMatch, ObjectIdFirstThenWholeWordInDescription)
{
    const std::vector<app::InstalledModel> models = app::findInstalledModels(QMX_SOURCE_MODELS_DIR);
    ASSERT_EQ(models.size(), 4u);
    // Each model's User.ini and its simulated switch agree on the identity.
    for (int i = 0; i < 4; ++i) {
        sim::ModelData data;
        ASSERT_TRUE(sim::loadModel(sim::defaultModelDirectory(), models[i].name, data, nullptr));
        const app::ModelMatchResult match = app::matchModel(models, {data.sysObjectId, data.sysDescr});
        EXPECT_EQ(std::tuple(match.how, match.index, app::matchModel(models, {"", data.sysDescr}).index),
                  std::tuple(app::ModelMatch::ByObjectId, i, i)) << models[i].name;
    }
    const std::tuple<snmp::SwitchIdentity, app::ModelMatch, std::string> cases[] = {
        {{".1.3.6.1.4.1.32473.10.75.2.7752", "QMX-7720-ZA"}, app::ModelMatch::ByObjectId, "QMX-7752-ZA"},
        {{"1.3.6.1.4.1.32473.10.75.2.9999", "Switch QMX-7740-ZP, rev. B"}, app::ModelMatch::ByDescription, "QMX-7740-ZP"},
        {{"1.3.6.1.4.1.32473.10.75.2.9999", "QMX-7740-ZPX 28 ports"}, app::ModelMatch::Unknown, ""},
        {{"1.3.6.1.4.1.32473.10.75.2.9999", "XQMX-7710-ZP"}, app::ModelMatch::Unknown, ""},
        {{"1.3.6.1.4.1.8072.3.2.10", "Linux host 6.1.0"}, app::ModelMatch::NotOfFamily, ""},
        {{"1.3.6.1.4.1.8072.3.2.10", "QMX-7710-ZP on a generic agent"}, app::ModelMatch::ByDescription, "QMX-7710-ZP"},
        {{"1.3.6.1.4.1.9.1.1", "QMX-7720-ZA"}, app::ModelMatch::NotOfFamily, ""},
    };
    for (const auto& [identity, how, model] : cases) {
        const app::ModelMatchResult match = app::matchModel(models, identity);
        EXPECT_EQ(std::pair(match.how, match.index), std::pair(how, model.empty() ? -1 : app::modelIndex(models, model))) << identity.description;
    }
}

TEST(IdentityRead, NamesTheCauseOfAReport)
{
    const std::pair<std::uint32_t, snmp::IdentityFailure> cases[] = {
        {1, snmp::IdentityFailure::UnsupportedSecurityLevel}, {2, snmp::IdentityFailure::NotInTimeWindow},
        {3, snmp::IdentityFailure::UnknownUser},              {4, snmp::IdentityFailure::Refused},
        {5, snmp::IdentityFailure::WrongDigest},              {6, snmp::IdentityFailure::DecryptionError},
    };
    for (const auto& [arc, failure] : cases) {
        snmp::Pdu report;
        report.bindings = {{{1, 3, 6, 1, 6, 3, 15, 1, 1, arc, 0}, {}}};
        EXPECT_EQ(snmp::identityFrom(snmp::TransportStatus::Error, report).failure, failure) << arc;
    }
    EXPECT_EQ(snmp::identityFrom(snmp::TransportStatus::Timeout, {}).failure, snmp::IdentityFailure::NoAnswer);
    // The window shows the other causes over the network.
    EXPECT_EQ(app::identityFailureMessage(snmp::IdentityFailure::UnknownUser, kV3Form),
              "The switch does not know the user \"admin\" (unknown user name).");
    snmp::Pdu noSuch;
    noSuch.bindings = {{{1, 3, 6, 1, 2, 1, 1, 2, 0}, {}}};
    noSuch.bindings[0].value.type = snmp::Asn::NoSuchObject;
    EXPECT_EQ(snmp::identityFrom(snmp::TransportStatus::Ok, noSuch).failure, snmp::IdentityFailure::NotAnswered);
}

app::RecentSwitch recentAt(std::string address)
{
    app::RecentSwitch recent;
    recent.address = std::move(address);
    return recent;
}

app::ConnectOptionsParse parse(QStringList arguments)
{
    arguments.prepend("qmx-module");
    return app::parseConnectOptions(arguments, [](const char* name) {
        return std::string(name) == "QMX_AUTH_PASSPHRASE" ? "from-environment" : "";
    }, app::findInstalledModels(QMX_SOURCE_MODELS_DIR));
}

TEST(ConnectOptions, OverrideTheRecentEntryAndTakeSecretsFromTheEnvironment)
{
    EXPECT_TRUE(app::isConventionalStart({"qmx-module", "--connect"}));
    EXPECT_FALSE(app::isConventionalStart({"qmx-module", "/Xc/I192.0.2.10"}) || app::isConventionalStart({"qmx-module", "--help"}));

    const app::ConnectOptionsParse parsed = parse({"--connect", "192.0.2.10", "--user", "ops", "--security-level",
                                                   "authnopriv", "--auth-protocol", "sha-512", "--no-vlan-edit",
                                                   "--no-bulk-reads"});
    ASSERT_EQ(parsed.error, "");
    app::RecentSwitch recent{.address = "192.0.2.10", .port = "1161", .version = "3", .user = "ops",
                             .securityLevel = "3", .authProtocol = "2", .privProtocol = "2", .model = "QMX-7720-ZA"};
    const std::vector<app::RecentSwitch> recents{recentAt("192.0.2.11"), recent};
    ASSERT_EQ(app::recentFor(recents, parsed.options), &recents[1]);
    // The recent entry's form with the options and the environment's pass phrase over it.
    const app::ConnectForm f = app::applyOptions(app::formOf(recent), parsed.options);
    EXPECT_EQ(std::tie(f.address, f.port, f.user, f.securityLevel, f.authProtocol, f.privProtocol, f.vlanEdit, f.bulkReads, f.authPassphrase,
                       f.privPassphrase),
              std::tuple("192.0.2.10", "1161", "ops", "2", "7", "2", false, false, "from-environment", ""));
    EXPECT_EQ(parse({"--connect", "--snmp-version", "2c"}).options.version, "2c");
    // Net-SNMP's spellings too.
    const app::ConnectOptions o = parse({"--connect", "::1", "--auth-protocol", "SHA", "--privacy-protocol", "aes", "--model", "QMX-7752-ZA"}).options;
    EXPECT_EQ(std::tie(o.authProtocol, o.privProtocol), std::tuple("3", "4"));

    const std::pair<QStringList, std::string> errors[] = {
        {{"--port", "161"}, "usage: qmx-module --connect [ADDRESS] [options]; see qmx-module --help"},
        {{"--connect", "--auth-protocol", "SHA-3"}, "--auth-protocol: invalid value \"SHA-3\"; accepted: MD5, SHA, SHA-1, SHA-224, SHA-256, SHA-384, SHA-512"},
        {{"--connect", "--privacy-protocol", "AES-256"}, "--privacy-protocol: invalid value \"AES-256\"; accepted: DES, AES, AES-128"},
        {{"--connect", "--security-level", "priv"}, "--security-level: invalid value \"priv\"; accepted: noAuthNoPriv, authNoPriv, authPriv"},
        {{"--connect", "--snmp-version", "2"}, "--snmp-version: invalid value \"2\"; accepted: 1, 2c, 3"},
        {{"--connect", "--port", "0"}, "--port: invalid value \"0\"; accepted: a number from 1 to 65535"},
        {{"--connect", "10.1"}, "--connect: invalid value \"10.1\"; accepted: an IPv4 address (192.0.2.10), an IPv6 address or a host name"},
        {{"--connect", "--bulk-reads", "--no-bulk-reads"}, "--bulk-reads and --no-bulk-reads exclude each other"},
        {{"--connect", "--auth-passphrase", "x"}, "Unknown option 'auth-passphrase'."},
    };
    for (const auto& [arguments, error] : errors)
        EXPECT_EQ(parse(arguments).error, error) << arguments.join(' ').toStdString();
}

TEST(RecentSwitches, NewestFirstOncePerSwitchWithoutSecrets)
{
    std::vector<app::RecentSwitch> list;
    for (int i = 0; i < 12; ++i)
        list = app::withConnected(list, recentAt("192.0.2." + std::to_string(i)));
    app::ConnectForm form = kV3Form;
    form.address = "192.0.2.5";
    list = app::withConnected(list, app::recentSwitchOf(form, "QMX-7740-ZP", true));
    ASSERT_EQ(list.size(), app::kMaxRecentSwitches);
    EXPECT_EQ(app::recentColumns(list[0]), (std::array<std::string, 4>{"192.0.2.5:161", "v3 authPriv SHA-256/AES-128", "admin", "QMX-7740-ZP"}));
    EXPECT_EQ(list[1].address, "192.0.2.11");
    EXPECT_EQ(std::count_if(list.begin(), list.end(), [](const auto& e) { return e.address == "192.0.2.5"; }), 1);

    QTemporaryDir folder;
    const QString file = folder.filePath("qmx-module.conf");
    {
        QSettings settings(file, QSettings::IniFormat);
        app::saveRecentSwitches(settings, list);
    }
    QSettings settings(file, QSettings::IniFormat);
    EXPECT_EQ(app::loadRecentSwitches(settings), list); // the Connect window test checks the file holds no secret
}

} // namespace
