#include "dialogs/dialog_base.h"

#include "platform/debug_output.h"
#include "platform/prompter.h"
#include "snmp/common_snmp.h"

#include <QApplication>
#include <QBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPointer>

#include <algorithm>

namespace dialogs {

CDialogBase::CDialogBase(QWidget* parent) : QDialog(parent)
{
    setModal(true);
    setWindowFlag(Qt::WindowStaysOnTopHint);
    setWindowIcon(QApplication::windowIcon());
}

CDialogBase::~CDialogBase()
{
    // A sequence still running ends its sets first; then, before the child
    // widgets go, no walk may deliver into them.
    if (m_writer.running()) {
        m_writer.abandon();
        QApplication::restoreOverrideCursor();
    }
    destroyPath();
}

void CDialogBase::done(int result)
{
    if (m_writer.running()) {
        m_closeAfterWrite = true;
        m_closeResult = result;
        return;
    }
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

void CDialogBase::readAggregatedLinks(CDialogSession& session, AggregatedLinks& links, std::function<void()> onEnd,
                                      std::vector<QWidget*> busy)
{
    links.clear();
    startWalk(
        session, aggregatedLinkRead(), [&links](const WalkRow& row) { links.add(row); },
        [&session, &links, onEnd = std::move(onEnd)] {
            // Ports a timed-out walk did not reach would count as in no link.
            if (session.endStatus() == snmp::kStatusEnded)
                links.setKnown();
            else
                platform::prompter().warn(kSwitchUnread, {});
            if (onEnd)
                onEnd();
        },
        std::move(busy));
}

bool CDialogBase::runWrite(WriteSequence sequence, std::function<void()> onEnd)
{
    if (m_writer.running() || m_destroyed)
        return false;
    if (!m_writeProgress) {
        m_writeProgress = new QLabel(this);
        m_writeProgress->setObjectName(QStringLiteral("writeProgress"));
        // It stands in the disabled dialog and must stay readable.
        QPalette palette = m_writeProgress->palette();
        palette.setColor(QPalette::Disabled, QPalette::WindowText, palette.color(QPalette::Active, QPalette::WindowText));
        m_writeProgress->setPalette(palette);
        m_writeProgress->hide();
        if (auto* box = qobject_cast<QBoxLayout*>(layout()))
            box->addWidget(m_writeProgress);
    }
    // Disabling the dialog rather than its controls lets each control keep
    // the state asked of it meanwhile (a walk's end) without showing it
    // before the sequence's end.
    m_focusBeforeWrite = focusWidget();
    setEnabled(false);
    QApplication::setOverrideCursor(Qt::BusyCursor);
    auto progress = [this](const std::string& text) {
        m_writeProgress->setText(QString::fromStdString(text));
        m_writeProgress->show();
    };
    // The user answers a question with the normal cursor.
    const auto asking = [](bool shown) {
        if (shown)
            QApplication::setOverrideCursor(Qt::ArrowCursor);
        else
            QApplication::restoreOverrideCursor();
    };
    return m_writer.start(std::move(sequence), poster(), [this, onEnd = std::move(onEnd)] { endWrite(onEnd); },
                          progress, asking);
}

void CDialogBase::endWrite(const std::function<void()>& onEnd)
{
    QApplication::restoreOverrideCursor();
    m_writeProgress->hide();
    setEnabled(true);
    if (m_focusBeforeWrite && m_focusBeforeWrite->isEnabled())
        m_focusBeforeWrite->setFocus();
    if (onEnd)
        onEnd();
    emit writeEnded();
    // The sequence's end decides the result when it closed the dialog itself.
    if (m_closeAfterWrite && !m_destroyed && !m_writer.running())
        done(m_closeResult);
}

bool CDialogBase::event(QEvent* event)
{
    if (m_writer.running() && event->type() == QEvent::KeyPress
        && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        reject();
        return true;
    }
    return QDialog::event(event);
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

std::vector<CDialogBase::SessionGets>::iterator CDialogBase::getsOf(const CDialogSession& session)
{
    return std::find_if(m_gets.begin(), m_gets.end(),
                        [&session](const SessionGets& entry) { return entry.session == &session; });
}

void CDialogBase::startGet(CDialogSession& session, const Bindings& bindings, GetEnd onEnd, std::vector<QWidget*> busy)
{
    for (QWidget* widget : busy)
        widget->setEnabled(false);
    WalkRequest request;
    request.mode = WalkRequest::Mode::Single;
    for (const Binding& binding : bindings)
        request.oids.push_back(binding.oid);
    auto send = [this, &session, request = std::move(request), busy = std::move(busy), onEnd = std::move(onEnd)] {
        for (QWidget* widget : busy)
            widget->setEnabled(false);
        auto values = std::make_shared<std::vector<std::string>>();
        WalkSinks sinks;
        sinks.row = [values](const WalkRow& row) { *values = row.values; };
        sinks.end = [this, &session, values, busy, onEnd] {
            for (QWidget* widget : busy)
                widget->setEnabled(true);
            const int status = session.endStatus();
            if (status != snmp::kStatusOk)
                values->clear();
            if (onEnd)
                onEnd(status, *values);
            if (m_destroyed) // closed meanwhile: nothing more goes out
                return;
            // Starting a walk on a session whose get still runs would wait on
            // its gate: the next get goes out only now.
            const auto gets = getsOf(session);
            if (gets == m_gets.end())
                return;
            if (gets->waiting.empty()) {
                m_gets.erase(gets);
                return;
            }
            const std::function<void()> next = std::move(gets->waiting.front());
            gets->waiting.pop_front();
            next();
        };
        session.startWalk(request, poster(), std::move(sinks));
    };
    const auto gets = getsOf(session);
    if (gets != m_gets.end()) {
        gets->waiting.push_back(std::move(send));
        return;
    }
    m_gets.push_back({&session, {}});
    send();
}

} // namespace dialogs
