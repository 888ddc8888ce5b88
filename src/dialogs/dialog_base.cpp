#include "dialogs/dialog_base.h"

#include "dialogs/background_close.h"

#include "platform/debug_output.h"
#include "platform/prompter.h"
#include "snmp/common_snmp.h"
#include "snmp/set_journal.h"

#include <QApplication>
#include <QBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPointer>
#include <QTimer>

#include <algorithm>

namespace dialogs {

CDialogBase::CDialogBase(QWidget* parent) : QDialog(parent), m_journal(std::make_shared<snmp::JournalContext>())
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
    m_sessions.push_back(std::make_unique<CDialogSession>(std::move(memberName), m_journal));
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
    // Nothing more reaches this window; requests still out time out behind it.
    std::vector<std::function<void()>> closes;
    for (const auto& session : m_sessions)
        closes.push_back(session->abandon());
    closeInBackground([closes = std::move(closes)] {
        for (const auto& close : closes)
            close();
    });
}

void CDialogBase::readAggregatedLinks(CDialogSession& session, AggregatedLinks& links, std::function<void()> onEnd,
                                      ReadId read)
{
    links.clear();
    // Ports a walk did not reach count as in no link: `read` stays failed then.
    startWalk(session, aggregatedLinkRead(), [&links](const WalkRow& row) { links.add(row); }, std::move(onEnd), read);
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
    if (event->type() == QEvent::WindowTitleChange)
        m_journal->setSource(windowTitle().toStdString());
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

bool CDialogBase::reading() const
{
    return m_readsOut > 0
        || std::any_of(m_sessions.begin(), m_sessions.end(), [](const auto& session) { return session->busy(); });
}

ReadId CDialogBase::declareRead(std::string name, std::vector<std::string> oids)
{
    m_reads.push_back({std::move(name), std::move(oids), ReadState::NotStarted, {}});
    return m_reads.size() - 1;
}

ReadId CDialogBase::declareRead(std::string name, const Bindings& get)
{
    std::vector<std::string> oids;
    for (const Binding& binding : get)
        oids.push_back(binding.oid);
    return declareRead(std::move(name), std::move(oids));
}

void CDialogBase::watch(QWidget* control)
{
    const auto held = std::find_if(m_held.begin(), m_held.end(), [control](const Held& h) { return h.control == control; });
    if (held != m_held.end())
        return;
    m_held.push_back({control, {}, {}, !control->testAttribute(Qt::WA_ForceDisabled)});
    control->installEventFilter(this);
}

void CDialogBase::needs(QWidget* control, const std::vector<ReadId>& reads)
{
    watch(control);
    auto& held = *std::find_if(m_held.begin(), m_held.end(), [control](const Held& h) { return h.control == control; });
    for (const ReadId read : reads) {
        held.whole.push_back(read);
        m_reads.at(read).controls.emplace_back(control);
    }
    applyReads();
}

void CDialogBase::waitsFor(QWidget* control, const std::vector<ReadId>& reads)
{
    watch(control);
    auto& held = *std::find_if(m_held.begin(), m_held.end(), [control](const Held& h) { return h.control == control; });
    held.settled.insert(held.settled.end(), reads.begin(), reads.end());
    applyReads();
}

bool CDialogBase::readsWhole(const std::vector<ReadId>& reads) const
{
    return std::all_of(reads.begin(), reads.end(),
                       [this](ReadId read) { return m_reads.at(read).state == ReadState::Whole; });
}

void CDialogBase::applyReads()
{
    m_applying = true;
    for (Held& held : m_held) {
        if (!held.control)
            continue;
        // Qt sends no EnabledChange for a setEnabled that changes nothing
        // shown (off while held off): the wish is read from the attribute
        // that call sets, which is kept as the wish below.
        held.wanted = !held.control->testAttribute(Qt::WA_ForceDisabled);
        const bool settled = std::none_of(held.settled.begin(), held.settled.end(), [this](ReadId read) {
            return m_reads.at(read).state == ReadState::UnderWay;
        });
        held.control->setEnabled(held.wanted && settled && readsWhole(held.whole));
        held.control->setAttribute(Qt::WA_ForceDisabled, !held.wanted);
    }
    m_applying = false;
}

bool CDialogBase::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::EnabledChange && !m_applying) {
        const auto held = std::find_if(m_held.begin(), m_held.end(),
                                       [watched](const Held& h) { return h.control.data() == watched; });
        // The dialog's own setEnabled, or the dialog enabled again after a
        // write: the wish, shown as the reads allow.
        if (held != m_held.end())
            applyReads();
    }
    return QDialog::eventFilter(watched, event);
}

void CDialogBase::readStarted(ReadId read)
{
    ++m_readsOut;
    if (read == kUndeclared)
        return;
    m_reads.at(read).state = ReadState::UnderWay;
    applyReads();
}

void CDialogBase::readEnded(ReadId read, bool whole)
{
    --m_readsOut;
    if (read == kUndeclared || m_destroyed)
        return;
    const bool failedBefore = std::any_of(m_reads.begin(), m_reads.end(),
                                          [](const DeclaredRead& r) { return r.state == ReadState::Failed; });
    m_reads.at(read).state = whole ? ReadState::Whole : ReadState::Failed;
    applyReads();
    // Once for reads that fail together: a read still failed has said it.
    if (!whole && !failedBefore)
        platform::prompter().warn(kSwitchUnread, {});
}

void CDialogBase::startWalk(CDialogSession& session, const WalkRequest& request,
                            std::function<void(const WalkRow&)> onRow, std::function<void()> onEnd, ReadId read)
{
    if (m_destroyed)
        return;
    readStarted(read);
    const bool single = request.mode == WalkRequest::Mode::Single;
    WalkSinks sinks;
    sinks.row = std::move(onRow);
    sinks.end = [this, &session, single, read, onEnd = std::move(onEnd)] {
        const int status = session.endStatus();
        const bool whole = single ? status == snmp::kStatusOk : status == snmp::kStatusEnded;
        if (onEnd)
            onEnd();
        readEnded(read, whole);
        emit walkEnded();
    };
    session.startWalk(request, poster(), std::move(sinks));
}

void CDialogBase::startGet(CDialogSession& session, const Bindings& bindings, GetEnd onEnd, ReadId read)
{
    WalkRequest request;
    request.mode = WalkRequest::Mode::Single;
    for (const Binding& binding : bindings)
        request.oids.push_back(binding.oid);
    auto values = std::make_shared<std::vector<std::string>>();
    startWalk(
        session, request, [values](const WalkRow& row) { *values = row.values; },
        [&session, values, onEnd = std::move(onEnd)] {
            const int status = session.endStatus();
            if (status != snmp::kStatusOk)
                values->clear();
            if (onEnd)
                onEnd(status, *values);
        },
        read);
}

ReadId CDialogBase::readManagementPath(std::function<void()> then)
{
    const ReadId read = declareRead("management path", std::vector<std::string>{});
    readStarted(read);
    QPointer<CDialogBase> self(this);
    auto ended = [self, read, then = std::move(then)](const commands::ManagementPath& path) {
        if (!self || self->m_destroyed)
            return;
        self->m_path = path;
        self->readEnded(read, true);
        if (then)
            then();
    };
    const std::shared_ptr<commands::ManagementPathSource> source = commands::managementPathSource();
    if (source)
        source->read(std::move(ended));
    else
        QTimer::singleShot(0, this, [ended = std::move(ended)] { ended({}); });
    return read;
}

bool CDialogBase::acceptPathCut(const commands::ManagementPath& path, const std::string& what)
{
    if (!path.known)
        return true;
    const std::string question = "This change cuts the path from this computer to the switch (port " +
                                 std::to_string(path.port) + ", VLAN " + std::to_string(path.vlan) +
                                 "). Apply it anyway?";
    return platform::prompter().askOkCancel(what.empty() ? question : what + "\n\n" + question, {});
}

} // namespace dialogs
