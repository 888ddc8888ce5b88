#pragma once

#include "dialogs/dialog_session.h"

#include <QDialog>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace dialogs {

// What every dialog of the module shares: modal, on top of other windows
// (placed where it is, at its own size), the program's icon, and sessions
// closed by the destroy path in the order they were added.
class CDialogBase : public QDialog {
    Q_OBJECT
public:
    ~CDialogBase() override;

    // Ends the dialog; the first end runs the destroy path.
    void done(int result) override;

signals:
    // After each walk's end has reached the dialog (tests wait for it).
    void walkEnded();

protected:
    explicit CDialogBase(QWidget* parent = nullptr);

    // A session of this dialog; memberName is what the destroy path prints.
    CDialogSession& addSession(std::string memberName);

    // Starts a walk on `session`. Rows and the end arrive on this dialog's
    // thread; `busy` widgets stay disabled until the end.
    void startWalk(CDialogSession& session, const WalkRequest& request, std::function<void(const WalkRow&)> onRow,
                   std::function<void()> onEnd = {}, std::vector<QWidget*> busy = {});

private:
    // "==================DestroyWindow===============", then each session's
    // close and its line. Runs once.
    void destroyPath();
    Poster poster();

    std::vector<std::unique_ptr<CDialogSession>> m_sessions;
    bool m_destroyed = false;
};

} // namespace dialogs
