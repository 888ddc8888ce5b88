#pragma once

#include "app/change_journal_start.h"
#include "app/connect/connect_form.h"
#include "app/instance_guard.h"

#include <QStringList>

#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace app {

// The application object: start-up from the command line to the main window.
// Needs a QCoreApplication (or derived) object to exist.
class CModuleApp {
public:
    // `arguments` as QCoreApplication::arguments() gives them: program first.
    explicit CModuleApp(QStringList arguments);
    ~CModuleApp();

    CModuleApp(const CModuleApp&) = delete;
    CModuleApp& operator=(const CModuleApp&) = delete;

    // Start-up in order: SNMP layer, legacy start-up calls, parameter check,
    // command line (and the user's bulk-read choice), DeviceName, one
    // instance per name. Then runMainWindow
    // constructs and runs the main window; its result is returned. A refusal
    // or a second instance returns without calling it.
    int run(const std::function<int()>& runMainWindow);

    // The start without the console's line: the same SNMP layer set-up, then
    // `ask` (the Connect window) gives the session and the model found, or
    // nothing when the user cancelled or the switch's window is already open.
    // Before it keeps anything (the recent entry, the keyring) it calls
    // `claim`, which takes the instance for that model, address and port:
    // false when another process holds it (that one has been raised and
    // standard error says so). Then the main window on that model's folder.
    using Claim = std::function<bool(const ConnectOutcome&)>;
    using Ask = std::function<std::optional<ConnectOutcome>(const Claim& claim)>;
    int runConnect(const Ask& ask, const std::function<int()>& runMainWindow);

    // Held while the main window runs; its wakeRequested() brings the window
    // to the front. Null before run() reaches the guard.
    InstanceGuard* instanceGuard() const { return m_guard.get(); }

    // The change journal, started just before the main window (unless
    // --no-change-log was among the arguments or the setting is off) and
    // written out when it has closed.
    ChangeJournalStart& changeJournal() { return m_journal; }

    // Tests point this elsewhere; defaults to User.ini beside the executable.
    void setUserIniPath(std::string path) { m_userIniPath = std::move(path); }

    static constexpr int kExitRefused = 1;
    static constexpr int kExitOtherInstance = 0;
    static constexpr int kExitCancelled = 0;
    static constexpr int kLegacySnmpTimeoutMs = 5000;

private:
    bool initialiseSnmp();
    // The instance of `deviceName` at the session parameters' address and port.
    bool takeInstance(const std::string& deviceName);

    int runWithJournal(const std::string& model, const std::function<int()>& runMainWindow);

    QStringList m_arguments;
    bool m_noChangeLog = false;
    std::string m_userIniPath;
    std::unique_ptr<InstanceGuard> m_guard;
    ChangeJournalStart m_journal;
};

} // namespace app
