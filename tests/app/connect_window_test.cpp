// The real Connect window, offscreen, against simulated switches over UDP.
#include "app/connect/connect_window.h"
#include "qt_wait.h"
#include "sim/model_data.h"
#include "sim/switch_agent.h"
#include "widget_lookup.h"
#include "snmp/agent_address.h"
#include "snmp/snmp_layer.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QScrollBar>
#include <QTreeWidget>
#include <QElapsedTimer>
#include <QFile>
#include <QTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>

#include <fstream>
#include <map>
#include <regex>

namespace {

struct Credentials {
    std::string version = "1";
    std::string user{};
    std::string authPass = "authpass123";
    std::string privPass = "privpass123";
    std::string address = "127.0.0.1"; // where the switch listens
};

class ConnectWindowTest : public ::testing::Test {
protected:
    static void TearDownTestSuite() { s_agents.clear(); }

    // One agent of one model per address (or model folder), kept for the suite.
    static sim::SnmpdProcess& agent(const std::string& address = "127.0.0.1", const std::string& directory = {})
    {
        auto& slot = s_agents[directory + address];
        if (!slot) {
            std::string error;
            slot = sim::startSwitchAgent({.listenAddress = address, .requestLog = {}, .scenario = false, .modelDirectory = directory}, &error);
            EXPECT_TRUE(slot) << error;
        }
        return *slot;
    }

    std::unique_ptr<app::ConnectWindow> makeWindow(app::ConnectOptions options = {}, std::function<bool(const app::ConnectOutcome&)> claim = {})
    {
        EXPECT_TRUE(snmp::snmpLayerInit());
        return std::make_unique<app::ConnectWindow>(app::ConnectWindowSetup{
            .models = app::findInstalledModels(QMX_SOURCE_MODELS_DIR), .transport = snmp::netSnmpTransport(), .options = std::move(options),
            .settings = [this] { return std::make_unique<QSettings>(configFile(), QSettings::IniFormat); }, .claim = std::move(claim)});
    }
    QString configFile() const { return m_config.filePath("qmx-module.conf"); }

    static void fill(app::ConnectWindow& window, std::uint16_t port, const Credentials& c)
    {
        for (const auto& [name, text] : {std::pair{"address", c.address}, {"port", std::to_string(port)}, {"readCommunity", std::string("qevtal")},
                                         {"user", c.user}, {"authPassphrase", c.authPass}, {"privPassphrase", c.privPass}})
            child<QLineEdit>(window, name)->setText(QString::fromStdString(text));
        for (const auto& [name, code] : {std::pair{"version", c.version}, {"securityLevel", std::string("3")}, {"authProtocol", std::string("5")},
                                         {"privProtocol", std::string("4")}}) {
            auto* box = child<QComboBox>(window, name);
            box->setCurrentIndex(box->findData(QString::fromStdString(code)));
        }
    }
    // Clicks Connect and waits for the attempt's end; its duration in ms.
    static qint64 connectAndWait(app::ConnectWindow& window)
    {
        bool ended = false;
        // Disconnected on return: a later attempt must not write to this frame.
        const auto watch = QObject::connect(&window, &app::ConnectWindow::attemptEnded, &window, [&] { ended = true; });
        QElapsedTimer timer;
        timer.start();
        child<QPushButton>(window, "connect")->click();
        EXPECT_FALSE(child<QPushButton>(window, "connect")->isEnabled());
        EXPECT_TRUE(waitUntil([&] { return ended; }, 8000));
        QObject::disconnect(watch);
        return timer.elapsed();
    }
    static std::string fileText(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : "";
    }

    QTemporaryDir m_config;
    static inline std::map<std::string, std::unique_ptr<sim::SnmpdProcess>> s_agents;
};

TEST_F(ConnectWindowTest, ReadsTheIdentityOverUdpOrSaysWhatWentWrong)
{
    // One model: the match rules cover the others. The model opened, or what the window says; whether the switch is silent.
    const std::tuple<Credentials, std::string, bool> cases[] = {
        {{.version = "3", .user = "simsha256", .address = "::1"}, "QMX-7720-ZA", false},
        {{}, "QMX-7720-ZA", false},
        {{.version = "2c"}, "QMX-7720-ZA", false},
        {{.version = "3", .user = "simsha256", .authPass = "wrongpass123"},
         "The switch refused the authentication pass phrase (wrong digest). Check the pass phrase and the authentication protocol.", false},
        {{}, "No answer from 127.0.0.1 port @. Check the address and port and the read community.", true},
        {{.version = "3", .user = "simsha256", .privPass = "wrongpriv123"},
         "No answer from 127.0.0.1 port @. Check the address and port and the privacy pass phrase and protocol (AES-128).", false},
    };
    for (const auto& [credentials, outcome, silent] : cases) {
        SCOPED_TRACE(credentials.version + " " + credentials.address + " " + credentials.authPass);
        sim::SnmpdProcess& switchAgent = agent(credentials.address);
        ASSERT_TRUE(!silent || switchAgent.pause());
        auto window = makeWindow();
        window->show();
        fill(*window, switchAgent.port(), credentials);
        bool cancelUsable = false; // while the attempt runs
        QTimer::singleShot(500, window.get(), [&] {
            cancelUsable = window->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Cancel)->isEnabled();
        });
        const qint64 elapsed = connectAndWait(*window);
        const bool v1 = credentials.version == "1";
        if (window->result() == QDialog::Accepted) {
            const snmp::SessionParameters& p = window->outcome().parameters;
            EXPECT_EQ(std::tuple(window->outcome().model.name, p.version, p.bulkReads, child<QCheckBox>(*window, "bulkReads")->isEnabled()),
                      std::tuple(outcome, credentials.version, !v1, !v1));
            // The box, on by default here, is kept for the next start of either kind.
            EXPECT_TRUE(v1 || QSettings(configFile(), QSettings::IniFormat).value("readTablesInBulk").toBool());
        } else
            EXPECT_EQ(window->statusText().toStdString(), std::regex_replace(outcome, std::regex("@"), std::to_string(switchAgent.port())));
        EXPECT_FALSE(std::regex_search(fileText(configFile()), std::regex("pass123|qevtal")));
        if (silent) {
            switchAgent.resume();
            EXPECT_TRUE(elapsed < 3000 + 1500 && cancelUsable && child<QPushButton>(*window, "connect")->isEnabled()) << elapsed;
        }
    }
    // Newest first, one line per switch.
    QSettings settings(configFile(), QSettings::IniFormat);
    const auto recents = app::loadRecentSwitches(settings);
    ASSERT_EQ(recents.size(), 2u);
    EXPECT_EQ(std::pair(recents[0].version, recents[1].address), std::pair(std::string("2c"), std::string("::1")));

    // Shown with an address of its own, the window keeps it when the list takes the focus.
    auto shown = makeWindow(app::parseConnectOptions({"qmx-module", "--connect", "192.0.2.99"}, [](const char*) { return std::string(); }, {}).options);
    shown->show();
    child<QTreeWidget>(*shown, "recentList")->setFocus();
    settle();
    EXPECT_EQ(child<QLineEdit>(*shown, "address")->text().toStdString(), "192.0.2.99");
    // Entries as columns that fit; a double click connects with the entry's settings.
    auto* list = child<QTreeWidget>(*shown, "recentList");
    list->setCurrentItem(list->topLevelItem(0));
    emit list->itemDoubleClicked(list->topLevelItem(0), 0);
    EXPECT_EQ(std::tuple(list->columnCount(), list->horizontalScrollBar()->maximum(), shown->statusText()),
              std::tuple(4, 0, QString("Enter the read community.")));
}

// A name is looked up once, off the UI thread: the identity is read from the
// address the session then uses, though the name's lookups alternate.
TEST_F(ConnectWindowTest, AHostNameIsLookedUpOnceForTheIdentityReadAndTheSession)
{
    static int lookups = 0; // the attempt's end follows the lookup
    snmp::setResolver([](const std::string& name) { return std::string(name != "switch.test.invalid" ? "" : lookups++ % 2 ? "127.0.0.1" : "::1"); });
    auto window = makeWindow();
    fill(*window, agent("::1").port(), {.address = "switch.test.invalid"});
    connectAndWait(*window);
    snmp::setResolver(nullptr);
    ASSERT_EQ(window->result(), QDialog::Accepted) << window->statusText().toStdString();
    snmp::setSessionParameters(window->outcome().parameters);
    EXPECT_EQ(std::pair(snmp::destinationAddress(snmp::sessionParameters()), lookups), std::pair(std::string("::1"), 1));
}

TEST_F(ConnectWindowTest, OptionsGivingEverythingConnectUnshownAndOnlyThen)
{
    // First a switch whose window is already open elsewhere: nothing is kept for it.
    for (const auto& [withCommunity, claimed] : {std::pair{true, false}, {true, true}, {false, true}}) {
        const QStringList line{"qmx-module", "--connect", "127.0.0.1", "--port", QString::number(agent().port()),
                               "--snmp-version", "1", "--model", "QMX-7752-ZA"};
        auto window = makeWindow(app::parseConnectOptions(line, [&](const char* name) {
            return std::string(withCommunity && std::string(name) == "QMX_READ_COMMUNITY" ? "qevtal" : "");
        }, app::findInstalledModels(QMX_SOURCE_MODELS_DIR)).options, [&](const app::ConnectOutcome&) { return claimed; });
        bool ended = false;
        QObject::connect(window.get(), &app::ConnectWindow::attemptEnded, window.get(), [&] { ended = true; });
        window->start();
        EXPECT_NE(window->isVisible(), withCommunity);
        EXPECT_EQ(waitUntil([&] { return ended; }, withCommunity ? 5000 : 300), withCommunity);
        EXPECT_EQ(window->outcome().model.name, withCommunity ? "QMX-7752-ZA" : "");
        EXPECT_TRUE(claimed || (window->result() == QDialog::Rejected && fileText(configFile()).empty()));
    }
}

TEST_F(ConnectWindowTest, LetsTheUserPickTheModelOfAnUnknownIdentity)
{
    QTemporaryDir models;
    const std::string xml = std::regex_replace(fileText(QString::fromStdString(sim::defaultModelDirectory() + "/QMX-7720-ZA.xml")),
                                               std::regex("QMX-7720-ZA 28-Port"), "QMX-7799-ZA 28-Port");
    std::ofstream(models.filePath("QMX-7720-ZA.xml").toStdString()) << std::regex_replace(xml, std::regex("75\\.2\\.7720"), "75.2.7799");
    auto window = makeWindow();
    fill(*window, agent("127.0.0.1", models.path().toStdString()).port(), {});
    connectAndWait(*window);
    EXPECT_NE(window->result(), QDialog::Accepted);
    EXPECT_EQ(window->statusText().toStdString(), "Could not tell which model this switch is (sysObjectID "
                                                  "1.3.6.1.4.1.32473.10.75.2.7799). Choose its model and connect again.");
    EXPECT_EQ(child<QLabel>(*window, "status")->textFormat(), Qt::PlainText); // it may quote sysDescr
    auto* picker = child<QComboBox>(*window, "model");
    ASSERT_TRUE(picker->isVisibleTo(window.get()));
    picker->setCurrentText("QMX-7752-ZA");
    connectAndWait(*window);
    ASSERT_EQ(window->result(), QDialog::Accepted);
    EXPECT_EQ(window->outcome().model.name, "QMX-7752-ZA");
}

TEST_F(ConnectWindowTest, KeyringKeepsTheSecretsOfARecentSwitchUntilRemoved)
{
    if (!app::Keyring::available())
        GTEST_SKIP() << "no Secret Service on this session bus (scripts/with-keyring provides one)";
    const Credentials credentials{.version = "3", .user = "simsha256"};
    auto first = makeWindow();
    fill(*first, agent().port(), credentials);
    child<QCheckBox>(*first, "rememberSecrets")->setChecked(true);
    connectAndWait(*first);
    ASSERT_EQ(first->result(), QDialog::Accepted);
    std::optional<app::SwitchSecrets> stored;
    auto readBack = [&] { // one keyring entry per switch
        bool done = false;
        app::Keyring::read("127.0.0.1/" + std::to_string(agent().port()), first.get(), [&](std::optional<app::SwitchSecrets> s) { stored = s; done = true; });
        EXPECT_TRUE(waitUntil([&] { return done; }));
    };
    EXPECT_TRUE(waitUntil([&] { readBack(); return stored.has_value(); }));
    EXPECT_EQ(stored, (app::SwitchSecrets{"", "", "authpass123", "privpass123"}));

    // The next start fills the pass phrases from the keyring, then forgets them on removal.
    auto second = makeWindow();
    bool keyringDone = false;
    QObject::connect(second.get(), &app::ConnectWindow::keyringDone, second.get(), [&] { keyringDone = true; });
    auto* list = child<QTreeWidget>(*second, "recentList");
    list->setCurrentItem(list->topLevelItem(0));
    ASSERT_TRUE(waitUntil([&] { return keyringDone; }));
    EXPECT_EQ(child<QLineEdit>(*second, "privPassphrase")->text(), "privpass123");
    keyringDone = false;
    child<QPushButton>(*second, "removeRecent")->click();
    ASSERT_TRUE(waitUntil([&] { return keyringDone; }));
    readBack();
    EXPECT_FALSE(stored.has_value());
    EXPECT_EQ(fileText(configFile()).find("simsha256"), std::string::npos);
}

// Run in a session bus that starts its Secret Service on demand, whose
// keyring cannot be unlocked without a prompt that nobody answers.
TEST_F(ConnectWindowTest, ActivatableKeyringIsOfferedAndAStoreItRefusesIsToldNotRecorded)
{
    auto window = makeWindow();
    fill(*window, agent().port(), {.version = "3", .user = "simsha256"});
    child<QCheckBox>(*window, "rememberSecrets")->setChecked(true);
    connectAndWait(*window);
    QSettings settings(configFile(), QSettings::IniFormat);
    const QWidgetList windows = QApplication::topLevelWidgets();
    EXPECT_EQ(std::tuple(window->result(), app::loadRecentSwitches(settings).at(0).secretsInKeyring, std::count_if(windows.begin(), windows.end(),
                         [](QWidget* w) { return w->objectName() == "keyringNotKept" && w->close(); })), std::tuple(int(QDialog::Accepted), false, 1));
}

// Run with no session bus at all.
TEST_F(ConnectWindowTest, WithoutKeyringTheBoxIsDisabledAndSaysWhy)
{
    auto window = makeWindow();
    auto* remember = child<QCheckBox>(*window, "rememberSecrets");
    EXPECT_EQ(std::tuple(remember->isEnabled(), remember->isChecked(), remember->toolTip()),
              std::tuple(false, false, QString("No desktop session bus answers, so no keyring can keep pass phrases.")));
}

} // namespace
