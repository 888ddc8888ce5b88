#pragma once

#include "commands/management_path.h"
#include "dialogs/aggregated_links.h"
#include "dialogs/dialog_session.h"
#include "dialogs/write_sequence.h"

#include <QDialog>
#include <QPointer>

#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class QLabel;

namespace snmp {
class JournalContext;
}

namespace dialogs {

// How far one declared read has come.
enum class ReadState {
    NotStarted,
    UnderWay,
    Whole,  // the walk reached its table's end, the get was answered
    Failed, // no answer in time, or an error answer
};

// A read a dialog declares: a walk or get, what it reads, how far it is, and
// the controls that act on it.
struct DeclaredRead {
    std::string name;
    std::vector<std::string> oids; // the objects or columns it reads
    ReadState state = ReadState::NotStarted;
    std::vector<QPointer<QWidget>> controls; // enabled only when this read is whole
};

using ReadId = std::size_t;
inline constexpr ReadId kUndeclared = static_cast<ReadId>(-1);

// What every dialog of the module shares: modal, on top of other windows
// (placed where it is, at its own size), the program's icon, sessions closed
// in the order they were added (the waiting part off this thread), and the
// declared reads that hold the controls acting on them.
class CDialogBase : public QDialog {
    Q_OBJECT
public:
    ~CDialogBase() override;

    // Ends the dialog; the first end runs the destroy path. While a write
    // sequence runs, the dialog ends when the sequence has ended.
    void done(int result) override;

    // True while a write sequence runs.
    bool writing() const { return m_writer.running(); }
    // True while a read of this dialog is out or waits for its session.
    bool reading() const;

    const std::vector<DeclaredRead>& declaredReads() const { return m_reads; }

signals:
    // After each walk's end has reached the dialog (tests wait for it).
    void walkEnded();
    // After a write sequence's end has reached the dialog.
    void writeEnded();

protected:
    explicit CDialogBase(QWidget* parent = nullptr);

    // A session of this dialog; memberName is what the destroy path prints.
    CDialogSession& addSession(std::string memberName);

    // Declares a read; `oids` are the objects or table columns it reads.
    ReadId declareRead(std::string name, std::vector<std::string> oids);
    ReadId declareRead(std::string name, const WalkRequest& walk) { return declareRead(std::move(name), walk.oids); }
    ReadId declareRead(std::string name, const Bindings& get);
    // `control` (a button that writes or starts an exchange) is enabled only
    // while every read in `reads` is whole, whatever else enables it:
    // setEnabled(true) on it stands as the wish, shown once the reads allow.
    void needs(QWidget* control, const std::vector<ReadId>& reads);
    // `control` (Refresh) stays off while any read in `reads` is under way,
    // and comes back when they end, whole or not.
    void waitsFor(QWidget* control, const std::vector<ReadId>& reads);
    ReadState readState(ReadId read) const { return m_reads.at(read).state; }
    bool readsWhole(const std::vector<ReadId>& reads) const;

    // Starts a walk on `session`, after the walk it has out, if any. Rows and
    // the end arrive on this dialog's thread; `read` tracks it.
    void startWalk(CDialogSession& session, const WalkRequest& request, std::function<void(const WalkRow&)> onRow,
                   std::function<void()> onEnd = {}, ReadId read = kUndeclared);

    // One get on `session` that leaves this thread free: `onEnd` gets, on this
    // dialog's thread, the status a synchronous get would have given and the
    // values (none unless kStatusOk). A get asked for while the session's
    // previous exchange runs follows it.
    using GetEnd = std::function<void(int status, const std::vector<std::string>& values)>;
    void startGet(CDialogSession& session, const Bindings& bindings, GetEnd onEnd, ReadId read = kUndeclared);

    // Reads the aggregated link membership into `links` (cleared first),
    // then `onEnd`; `read` says whether it was read whole.
    void readAggregatedLinks(CDialogSession& session, AggregatedLinks& links, std::function<void()> onEnd = {},
                             ReadId read = kUndeclared);

    // Runs a write sequence off this dialog's thread: a busy cursor shows,
    // every control is disabled until the end, progress shows in the dialog,
    // and closing waits for the end. Controls enabled or disabled meanwhile
    // (a walk's end) take that state at the end. `onEnd` runs on this
    // dialog's thread after the controls are back, also when a close is
    // waiting: the close follows unless `onEnd` closed the dialog itself. False
    // when a sequence is running already (nothing is started).
    bool runWrite(WriteSequence sequence, std::function<void()> onEnd = {});

    // Reads the path from this computer to the switch (on a session of its
    // own) before the dialog's own reads start, so none of its requests falls
    // between theirs; `then` runs when it ended. It never fails: a path that
    // could not be read is unknown, and nothing is asked then. A control whose
    // write could cut the path needs the returned read.
    ReadId readManagementPath(std::function<void()> then);
    const commands::ManagementPath& managementPath() const { return m_path; }
    // Before a write that cuts the known path: "<what>" and the lock-out
    // question, Cancel the default. True when the write may go.
    static bool acceptPathCut(const commands::ManagementPath& path, const std::string& what);

    // Esc still asks to close while the disabled dialog writes.
    bool event(QEvent* event) override;
    // Keeps a held control off when the dialog enables it.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void endWrite(const std::function<void()>& onEnd);
    void readStarted(ReadId read);
    void readEnded(ReadId read, bool whole);
    // Shows each held control as its wish and its reads allow.
    void applyReads();
    void watch(QWidget* control);

    // "==================DestroyWindow===============", then each session's
    // close and its line, off this thread. Runs once.
    void destroyPath();
    Poster poster();

    // Shared by every session: the change journal's source follows the title.
    std::shared_ptr<snmp::JournalContext> m_journal;
    std::vector<std::unique_ptr<CDialogSession>> m_sessions;
    bool m_destroyed = false;
    QPointer<QWidget> m_focusBeforeWrite;
    std::vector<DeclaredRead> m_reads;
    struct Held {
        QPointer<QWidget> control;
        std::vector<ReadId> whole;   // reads that must be whole
        std::vector<ReadId> settled; // reads that must not be under way
        bool wanted = true;
    };
    std::vector<Held> m_held;
    commands::ManagementPath m_path;
    bool m_applying = false;
    int m_readsOut = 0;
    QLabel* m_writeProgress = nullptr;
    bool m_closeAfterWrite = false;
    int m_closeResult = 0;
    // Last: its thread is joined first, before the sessions it uses close.
    CWriteRunner m_writer;
};

} // namespace dialogs
