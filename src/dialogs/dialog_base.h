#pragma once

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

namespace dialogs {

// What every dialog of the module shares: modal, on top of other windows
// (placed where it is, at its own size), the program's icon, and sessions
// closed by the destroy path in the order they were added.
class CDialogBase : public QDialog {
    Q_OBJECT
public:
    ~CDialogBase() override;

    // Ends the dialog; the first end runs the destroy path. While a write
    // sequence runs, the dialog ends when the sequence has ended.
    void done(int result) override;

    // True while a write sequence runs.
    bool writing() const { return m_writer.running(); }
    // True while a get started by startGet has not ended.
    bool reading() const { return !m_gets.empty(); }

signals:
    // After each walk's end has reached the dialog (tests wait for it).
    void walkEnded();
    // After a write sequence's end has reached the dialog.
    void writeEnded();

protected:
    explicit CDialogBase(QWidget* parent = nullptr);

    // A session of this dialog; memberName is what the destroy path prints.
    CDialogSession& addSession(std::string memberName);

    // Starts a walk on `session`. Rows and the end arrive on this dialog's
    // thread; `busy` widgets stay disabled until the end.
    void startWalk(CDialogSession& session, const WalkRequest& request, std::function<void(const WalkRow&)> onRow,
                   std::function<void()> onEnd = {}, std::vector<QWidget*> busy = {});

    // One get on `session` that leaves this thread free: `onEnd` gets, on this
    // dialog's thread, the status a synchronous get would have given and the
    // values (none unless kStatusOk). `busy` widgets stay disabled until then.
    // A get asked for while the session's previous one runs follows it.
    using GetEnd = std::function<void(int status, const std::vector<std::string>& values)>;
    void startGet(CDialogSession& session, const Bindings& bindings, GetEnd onEnd, std::vector<QWidget*> busy = {});

    // Reads the aggregated link membership into `links` (cleared first);
    // `links.known()` once the walk has reached its end (a time-out shows
    // kSwitchUnread instead), then `onEnd`.
    void readAggregatedLinks(CDialogSession& session, AggregatedLinks& links, std::function<void()> onEnd = {},
                             std::vector<QWidget*> busy = {});

    // Runs a write sequence off this dialog's thread: a busy cursor shows,
    // every control is disabled until the end, progress shows in the dialog,
    // and closing waits for the end. Controls enabled or disabled meanwhile
    // (a walk's end) take that state at the end. `onEnd` runs on this
    // dialog's thread after the controls are back, also when a close is
    // waiting: the close follows unless `onEnd` closed the dialog itself. False
    // when a sequence is running already (nothing is started).
    bool runWrite(WriteSequence sequence, std::function<void()> onEnd = {});

    // Esc still asks to close while the disabled dialog writes.
    bool event(QEvent* event) override;

private:
    void endWrite(const std::function<void()>& onEnd);

    // "==================DestroyWindow===============", then each session's
    // close and its line. Runs once.
    void destroyPath();
    Poster poster();

    std::vector<std::unique_ptr<CDialogSession>> m_sessions;
    bool m_destroyed = false;
    QPointer<QWidget> m_focusBeforeWrite;
    // Sessions with a get under way, each with the gets that wait for it.
    struct SessionGets {
        CDialogSession* session;
        std::deque<std::function<void()>> waiting;
    };
    std::vector<SessionGets> m_gets;
    std::vector<SessionGets>::iterator getsOf(const CDialogSession& session);
    QLabel* m_writeProgress = nullptr;
    bool m_closeAfterWrite = false;
    int m_closeResult = 0;
    // Last: its thread is joined first, before the sessions it uses close.
    CWriteRunner m_writer;
};

} // namespace dialogs
