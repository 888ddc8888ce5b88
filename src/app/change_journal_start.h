#pragma once

#include <QStringList>

#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace journal {
class JournalWriter;
}

// The change journal as the module runs it: on unless the user's setting or
// --no-change-log turns it off, recording every set from the main window's
// start to its close. Problems are said once: on standard error at once, and
// in a message box once the main window shows.
namespace app {

inline constexpr char kNoChangeLogOption[] = "--no-change-log";

// Removes every --no-change-log from `arguments`; true when there was one.
bool takeNoChangeLogOption(QStringList& arguments);

class ChangeJournalStart {
public:
    ChangeJournalStart();
    // Writes what is queued (bounded) and turns the journal off.
    ~ChangeJournalStart();

    ChangeJournalStart(const ChangeJournalStart&) = delete;
    ChangeJournalStart& operator=(const ChangeJournalStart&) = delete;

    // Starts recording sets for `model` unless `refused` or the setting is off.
    void start(const std::string& model, bool refused);
    // The main window shows: problems said so far, and from now on, appear.
    void windowShown();
    // Writes what is queued, waiting at most a few seconds.
    void flush();

    // UI thread: the user's settings changed (the Change Log window). The
    // running journal follows them at once: off stops recording, on resumes
    // it (unless --no-change-log), the size limit applies to the next rows.
    static void settingsChanged();

private:
    struct Notices {
        std::mutex mutex;
        bool shown = false;
        std::vector<std::string> pending;
    };
    // Any thread; the writer may outlive this object by a set still out.
    static void notice(Notices& notices, const std::string& text);

    void applySettings();

    std::shared_ptr<journal::JournalWriter> m_writer;
    std::string m_model;
    bool m_refused = true; // until start()
    std::shared_ptr<Notices> m_notices = std::make_shared<Notices>();
};

} // namespace app
