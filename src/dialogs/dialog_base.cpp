#include "dialogs/dialog_base.h"

#include "platform/debug_output.h"

#include <QApplication>
#include <QPointer>

namespace dialogs {

CDialogBase::CDialogBase(QWidget* parent) : QDialog(parent)
{
    setModal(true);
    setWindowFlag(Qt::WindowStaysOnTopHint);
    setWindowIcon(QApplication::windowIcon());
}

CDialogBase::~CDialogBase()
{
    // Before the child widgets go: no walk may deliver into them afterwards.
    destroyPath();
}

void CDialogBase::done(int result)
{
    destroyPath();
    QDialog::done(result);
}

CDialogSession& CDialogBase::addSession(std::string memberName)
{
    m_sessions.push_back(std::make_unique<CDialogSession>(std::move(memberName)));
    return *m_sessions.back();
}

void CDialogBase::destroyPath()
{
    if (m_destroyed)
        return;
    m_destroyed = true;
    if (m_sessions.empty())
        return;
    platform::debugOutput("==================DestroyWindow===============");
    for (const auto& session : m_sessions)
        session->close();
}

Poster CDialogBase::poster()
{
    // Called on the session's thread while this dialog is alive (sessions stop
    // posting before it goes); the guard drops a task that arrives later.
    return [self = QPointer<CDialogBase>(this)](std::function<void()> task) {
        QMetaObject::invokeMethod(
            self.data(),
            [self, task = std::move(task)] {
                if (self)
                    task();
            },
            Qt::QueuedConnection);
    };
}

void CDialogBase::startWalk(CDialogSession& session, const WalkRequest& request,
                            std::function<void(const WalkRow&)> onRow, std::function<void()> onEnd,
                            std::vector<QWidget*> busy)
{
    for (QWidget* widget : busy)
        widget->setEnabled(false);
    WalkSinks sinks;
    sinks.row = std::move(onRow);
    sinks.end = [this, busy = std::move(busy), onEnd = std::move(onEnd)] {
        for (QWidget* widget : busy)
            widget->setEnabled(true);
        if (onEnd)
            onEnd();
        emit walkEnded();
    };
    session.startWalk(request, poster(), std::move(sinks));
}

} // namespace dialogs
