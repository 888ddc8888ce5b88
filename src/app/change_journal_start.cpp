#include "app/change_journal_start.h"

#include "app/user_settings.h"
#include "journal/journal_schema.h"
#include "journal/journal_writer.h"
#include "platform/prompter.h"
#include "snmp/set_journal.h"

#include <QCoreApplication>
#include <QMetaObject>

#include <chrono>
#include <cstdio>

namespace app {
namespace {

constexpr std::chrono::milliseconds kFlushWait{3000};
constexpr char kCaption[] = "qmx-module";
// The running start, UI thread only.
ChangeJournalStart* g_running = nullptr;

} // namespace

bool takeNoChangeLogOption(QStringList& arguments)
{
    return arguments.removeAll(QLatin1String(kNoChangeLogOption)) > 0;
}

ChangeJournalStart::ChangeJournalStart()
{
    g_running = this;
}

ChangeJournalStart::~ChangeJournalStart()
{
    if (g_running == this)
        g_running = nullptr;
    if (!m_writer)
        return;
    snmp::setSetObserver(nullptr);
    m_writer.reset(); // flushes, bounded
}

void ChangeJournalStart::start(const std::string& model, bool refused)
{
    m_model = model;
    m_refused = refused;
    applySettings();
}

void ChangeJournalStart::settingsChanged()
{
    if (g_running)
        g_running->applySettings();
}

void ChangeJournalStart::applySettings()
{
    const std::unique_ptr<QSettings> settings = moduleSettings();
    const int maxRequests =
        settings->value(QLatin1String(journal::kMaxRequestsKey), journal::kDefaultMaxRequests).toInt();
    if (m_refused || !settings->value(QLatin1String(journal::kEnabledKey), true).toBool()) {
        snmp::setSetObserver(nullptr);
        return;
    }
    if (m_writer) {
        m_writer->setMaxRequests(maxRequests);
        snmp::setSetObserver(m_writer);
        return;
    }
    journal::WriterOptions options;
    options.path = journal::databasePath();
    options.model = m_model;
    options.maxRequests = maxRequests;
    options.notice = [notices = m_notices](const std::string& text) { notice(*notices, text); };
    // Opens on its own thread: a slow disk delays the first rows, never the start or a set.
    m_writer = std::make_shared<journal::JournalWriter>(std::move(options));
    snmp::setSetObserver(m_writer);
}

void ChangeJournalStart::notice(Notices& notices, const std::string& text)
{
    // On the writer's thread: the line at once, the box on the UI thread.
    std::fprintf(stderr, "%s: %s\n", kCaption, text.c_str());
    std::lock_guard lock(notices.mutex);
    if (!notices.shown) {
        notices.pending.push_back(text);
        return;
    }
    if (QCoreApplication* application = QCoreApplication::instance())
        QMetaObject::invokeMethod(application, [text] { platform::prompter().warn(text, kCaption); }, Qt::QueuedConnection);
}

void ChangeJournalStart::windowShown()
{
    std::vector<std::string> pending;
    {
        std::lock_guard lock(m_notices->mutex);
        m_notices->shown = true;
        pending.swap(m_notices->pending);
    }
    for (const std::string& text : pending)
        platform::prompter().warn(text, kCaption);
}

void ChangeJournalStart::flush()
{
    if (m_writer)
        m_writer->flush(kFlushWait);
}

} // namespace app
