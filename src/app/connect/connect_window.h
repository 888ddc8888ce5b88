#pragma once

#include "app/connect/connect_options.h"
#include "app/connect/installed_models.h"
#include "app/connect/recent_switches.h"
#include "snmp/session_parameters.h"

#include <QDialog>

#include <memory>
#include <mutex>

class QCheckBox;
class QComboBox;
class QFormLayout;
class QLabel;
class QLineEdit;
class QTreeWidget;
class QPushButton;

namespace snmp {
class Transport;
}

namespace app {

struct ConnectWindowSetup {
    std::vector<InstalledModel> models;
    std::shared_ptr<snmp::Transport> transport;
    ConnectOptions options; // from the command line; empty for the menu's start
    std::function<std::unique_ptr<QSettings>()> settings = moduleSettings;
    // Called on success before anything is kept; false: the switch's window
    // is already open elsewhere, and this window closes keeping nothing.
    std::function<bool(const ConnectOutcome&)> claim;
};

// Asks for a switch and its credentials, reads its identity, finds its model
// and accepts with the outcome; says in the window what went wrong otherwise.
class ConnectWindow final : public QDialog {
    Q_OBJECT
public:
    explicit ConnectWindow(ConnectWindowSetup setup, QWidget* parent = nullptr);
    ~ConnectWindow() override;

    // Connects at once, unshown, when the options give everything needed
    // (secrets from the environment or the keyring); shows itself otherwise
    // and after a failed attempt.
    void start();
    const ConnectOutcome& outcome() const { return m_outcome; }
    QString statusText() const;
    void reject() override;

signals:
    void attemptEnded(); // success or failure, after the window has updated
    void keyringDone();  // a keyring job this window started has finished
    void shown();

protected:
    void showEvent(QShowEvent* event) override;

private:
    struct Pending;

    void buildControls();
    void showForm(const ConnectForm& form);
    ConnectForm formFromControls() const;
    void updateEnabledFields();
    void fillRecentList();
    void recentChosen(int row);
    int chosenRecentRow() const;
    void removeRecent();
    void connectClicked();
    void addressResolved(unsigned attempt, const ConnectForm& form, const snmp::SessionParameters& parameters);
    void identityRead(const ConnectForm& form, const snmp::IdentityResult& result);
    void succeed(const ConnectForm& form, const InstalledModel& model);
    // The recent entry and the end of a successful attempt; `keyringError`
    // says why the secrets were not kept when they were to be.
    void finishSuccess(const ConnectForm& form, const InstalledModel& model, bool remember, const QString& keyringError);
    void fail(const std::string& message);
    void readKeyringInto(const RecentSwitch& entry, std::function<void()> then);
    void setBusy(bool busy);

    ConnectWindowSetup m_setup;
    std::vector<RecentSwitch> m_recents;
    ConnectOutcome m_outcome;
    std::shared_ptr<Pending> m_pending;
    bool m_keyringAvailable = false;
    bool m_attempting = false;
    bool m_modelPicked = false; // the picker shows: the identity could not tell
    unsigned m_attempt = 0;       // the Connect click a late lookup belongs to
    std::string m_resolvedAddress; // the address the identity was read from
    int m_keyringReads = 0;       // reads under way; Connect waits for them
    bool m_connectAfterReads = false;

    QTreeWidget* m_recentList = nullptr;
    QPushButton* m_removeRecent = nullptr;
    QFormLayout* m_form = nullptr;
    QLineEdit* m_address = nullptr;
    QLineEdit* m_port = nullptr;
    QComboBox* m_version = nullptr;
    QLineEdit* m_readCommunity = nullptr;
    QLineEdit* m_writeCommunity = nullptr;
    QLineEdit* m_user = nullptr;
    QComboBox* m_securityLevel = nullptr;
    QComboBox* m_authProtocol = nullptr;
    QLineEdit* m_authPassphrase = nullptr;
    QComboBox* m_privProtocol = nullptr;
    QLineEdit* m_privPassphrase = nullptr;
    QCheckBox* m_vlanEdit = nullptr;
    QCheckBox* m_bulkReads = nullptr;
    QCheckBox* m_remember = nullptr;
    QComboBox* m_model = nullptr;
    QLabel* m_status = nullptr;
    QPushButton* m_connect = nullptr;
};

} // namespace app
