#include "app/change_log/change_log_window.h"

#include "app/user_settings.h"
#include "app/change_journal_start.h"
#include "journal/journal_schema.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QDialogButtonBox>
#include <QEventLoop>
#include <QFileDialog>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QSaveFile>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QSplitter>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace app {
namespace {

constexpr int kMaxRequestsLimit = 10000000;

QLabel* buddyLabel(const QString& caption, QWidget* control, QWidget* parent)
{
    auto* label = new QLabel(caption, parent);
    label->setBuddy(control);
    return label;
}

QTreeWidget* makeList(const QStringList& headers, QWidget* parent)
{
    auto* list = new QTreeWidget(parent);
    list->setHeaderLabels(headers);
    list->setRootIsDecorated(false);
    list->setUniformRowHeights(true);
    list->setAllColumnsShowFocus(true);
    return list;
}

QString askWithFileDialog(QWidget* parent)
{
    return QFileDialog::getSaveFileName(parent, QStringLiteral("Export CSV"), QStringLiteral("change-log.csv"),
                                        QStringLiteral("CSV files (*.csv);;All files (*)"));
}

} // namespace

ChangeLogWindow::ChangeLogWindow(ChangeLogWindowSetup setup, QWidget* parent) : QWidget(parent, Qt::Window), m_setup(std::move(setup))
{
    if (m_setup.databasePath.isEmpty())
        m_setup.databasePath = journal::databasePath();
    if (!m_setup.settings)
        m_setup.settings = moduleSettings;
    if (!m_setup.askExportFile)
        m_setup.askExportFile = askWithFileDialog;
    setWindowTitle(QStringLiteral("Change Log"));
    buildControls();
    refresh();
}

ChangeLogWindow::~ChangeLogWindow() = default;

std::unique_ptr<QSettings> ChangeLogWindow::settings() const
{
    return m_setup.settings();
}

void ChangeLogWindow::buildControls()
{
    auto* layout = new QVBoxLayout(this);

    auto* filters = new QHBoxLayout;
    m_switch = new QComboBox(this);
    m_switch->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    m_since = new QDateTimeEdit(QDateTime(QDate::currentDate().addDays(-7), QTime(0, 0)), this);
    m_since->setDisplayFormat(QStringLiteral("yyyy-MM-dd HH:mm"));
    m_since->setCalendarPopup(true);
    m_since->setKeyboardTracking(false); // one read when the typing ends, not per digit
    m_allTime = new QCheckBox(QStringLiteral("&All time"), this);
    m_allTime->setChecked(true);
    m_since->setEnabled(false);
    auto* refreshButton = new QPushButton(QStringLiteral("&Refresh"), this);
    filters->addWidget(buddyLabel(QStringLiteral("&Switch:"), m_switch, this));
    filters->addWidget(m_switch, 1);
    filters->addSpacing(12);
    filters->addWidget(buddyLabel(QStringLiteral("S&ince:"), m_since, this));
    filters->addWidget(m_since);
    filters->addWidget(m_allTime);
    filters->addStretch();
    filters->addWidget(refreshButton);
    layout->addLayout(filters);

    auto* splitter = new QSplitter(Qt::Vertical, this);
    auto* upper = new QWidget(splitter);
    auto* upperLayout = new QVBoxLayout(upper);
    upperLayout->setContentsMargins(0, 0, 0, 0);
    m_requestList = makeList({QStringLiteral("Time"), QStringLiteral("Switch"), QStringLiteral("Source"), QStringLiteral("Outcome")}, upper);
    upperLayout->addWidget(buddyLabel(QStringLiteral("Re&quests (newest first):"), m_requestList, upper));
    upperLayout->addWidget(m_requestList);
    auto* lower = new QWidget(splitter);
    auto* lowerLayout = new QVBoxLayout(lower);
    lowerLayout->setContentsMargins(0, 0, 0, 0);
    m_outcome = new QLabel(lower);
    m_outcome->setTextFormat(Qt::PlainText);
    m_outcome->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_bindingList = makeList({QStringLiteral("OID"), QStringLiteral("Name"), QStringLiteral("Value sent"), QStringLiteral("Value before")}, lower);
    lowerLayout->addWidget(m_outcome);
    lowerLayout->addWidget(buddyLabel(QStringLiteral("&Bindings of the selected request:"), m_bindingList, lower));
    lowerLayout->addWidget(m_bindingList);
    splitter->addWidget(upper);
    splitter->addWidget(lower);
    splitter->setStretchFactor(0, 3);
    splitter->setStretchFactor(1, 2);
    layout->addWidget(splitter, 1);

    m_status = new QLabel(this);
    m_status->setTextFormat(Qt::PlainText);
    m_status->setWordWrap(true);
    layout->addWidget(m_status);

    auto* journalBox = new QGroupBox(QStringLiteral("Journal"), this);
    auto* journalLayout = new QHBoxLayout(journalBox);
    const std::unique_ptr<QSettings> stored = settings();
    m_enabled = new QCheckBox(QStringLiteral("&Keep a journal of changes"), journalBox);
    m_enabled->setChecked(stored->value(QLatin1String(journal::kEnabledKey), true).toBool());
    m_maxRequests = new QSpinBox(journalBox);
    m_maxRequests->setLocale(QLocale::c());
    m_maxRequests->setRange(1, kMaxRequestsLimit);
    m_maxRequests->setKeyboardTracking(false); // a half-typed number is never kept
    m_maxRequests->setObjectName("maxRequests");
    m_maxRequests->setValue(std::clamp(stored->value(QLatin1String(journal::kMaxRequestsKey), journal::kDefaultMaxRequests).toInt(), 1,
                                       kMaxRequestsLimit));
    journalLayout->addWidget(m_enabled);
    journalLayout->addSpacing(12);
    journalLayout->addWidget(buddyLabel(QStringLiteral("Keep at &most"), m_maxRequests, journalBox));
    journalLayout->addWidget(m_maxRequests);
    journalLayout->addWidget(new QLabel(QStringLiteral("requests (the oldest are dropped)"), journalBox));
    journalLayout->addStretch();
    layout->addWidget(journalBox);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    QPushButton* exportButton = buttons->addButton(QStringLiteral("&Export CSV..."), QDialogButtonBox::ActionRole);
    exportButton->setObjectName("export");
    m_switch->setObjectName("switch");
    m_since->setObjectName("since");
    m_allTime->setObjectName("allTime");
    m_requestList->setObjectName("requests");
    m_outcome->setObjectName("outcome");
    m_bindingList->setObjectName("bindings");
    m_status->setObjectName("status");
    m_enabled->setObjectName("journalEnabled");
    layout->addWidget(buttons);

    connect(m_switch, &QComboBox::currentIndexChanged, this, &ChangeLogWindow::refresh);
    connect(m_since, &QDateTimeEdit::dateTimeChanged, this, [this] {
        m_sinceChosen = true;
        refresh();
    });
    connect(m_allTime, &QCheckBox::toggled, this, [this](bool on) {
        m_since->setEnabled(!on);
        refresh();
    });
    connect(refreshButton, &QPushButton::clicked, this, &ChangeLogWindow::refresh);
    connect(m_requestList, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* current) { showRequest(current); });
    connect(m_enabled, &QCheckBox::toggled, this, [this](bool on) {
        settings()->setValue(QLatin1String(journal::kEnabledKey), on);
        ChangeJournalStart::settingsChanged();
    });
    connect(m_maxRequests, &QSpinBox::valueChanged, this, [this](int value) {
        settings()->setValue(QLatin1String(journal::kMaxRequestsKey), value);
        ChangeJournalStart::settingsChanged();
    });
    connect(exportButton, &QPushButton::clicked, this, &ChangeLogWindow::exportCsv);
    connect(buttons, &QDialogButtonBox::rejected, this, &QWidget::close);
    resize(900, 640);
}

journal::Filter ChangeLogWindow::filter(int limit) const
{
    journal::Filter filter;
    filter.address = m_switch->currentData().toString();
    if (!m_allTime->isChecked())
        filter.since = m_since->dateTime();
    filter.limit = limit;
    return filter;
}

void ChangeLogWindow::refresh()
{
    journal::Reader reader(m_setup.databasePath);
    fillSwitches(reader.switches());
    const journal::Filter shownFilter = filter(kShownLimit);
    const qint64 previousId = m_requestList->currentItem() ? m_requestList->currentItem()->data(0, Qt::UserRole).toLongLong() : -1;
    m_requests = reader.requests(shownFilter);
    const qint64 total = reader.count(shownFilter);

    if (!m_sinceChosen && m_allTime->isChecked() && !m_requests.empty()) {
        // Unticking "All time" starts at the journal's oldest shown request.
        const QDateTime oldest = QDateTime::fromString(m_requests.back().time, Qt::ISODateWithMs).toLocalTime();
        const QSignalBlocker sinceBlocker(m_since);
        m_since->setDateTime(QDateTime(oldest.date(), QTime(oldest.time().hour(), oldest.time().minute())));
    }
    const QSignalBlocker blocker(m_requestList);
    m_requestList->clear();
    QTreeWidgetItem* current = nullptr;
    for (const journal::Request& request : m_requests) {
        const journal::SwitchEntry entry{journal::addressWithPort(request), request.model, request.sysName};
        auto* item = new QTreeWidgetItem(m_requestList, {journal::localTime(request.time), journal::switchText(entry), request.source,
                                                         journal::outcomeText(request)});
        item->setData(0, Qt::UserRole, request.id);
        if (request.id == previousId || !current)
            current = item;
    }
    for (int column = 0; column < m_requestList->columnCount(); ++column)
        m_requestList->resizeColumnToContents(column);
    m_requestList->setCurrentItem(current);
    showRequest(current);

    if (!reader.error().isEmpty())
        m_status->setText(reader.error());
    else if (!reader.exists())
        m_status->setText(QStringLiteral("No change has been recorded yet."));
    else if (total > static_cast<qint64>(m_requests.size()))
        m_status->setText(QStringLiteral("The newest %1 of %2 requests are shown; Export CSV writes them all.").arg(m_requests.size()).arg(total));
    else
        m_status->setText(m_requests.size() == 1 ? QStringLiteral("1 request") : QStringLiteral("%1 requests").arg(m_requests.size()));
    m_status->setToolTip(m_setup.databasePath);
}

void ChangeLogWindow::fillSwitches(const std::vector<journal::SwitchEntry>& switches)
{
    const QSignalBlocker blocker(m_switch);
    const QString chosen = m_switch->currentData().toString();
    m_switch->clear();
    m_switch->addItem(QStringLiteral("All switches"), QString());
    for (const journal::SwitchEntry& entry : switches)
        m_switch->addItem(journal::switchText(entry), entry.address);
    const int index = m_switch->findData(chosen);
    if (index < 0 && !chosen.isEmpty()) // no longer recorded: kept, so the filter does not widen unseen
        m_switch->addItem(chosen, chosen);
    m_switch->setCurrentIndex(std::max(m_switch->findData(chosen), 0));
}

void ChangeLogWindow::showRequest(QTreeWidgetItem* item)
{
    m_bindingList->clear();
    m_outcome->clear();
    if (!item)
        return;
    const int row = m_requestList->indexOfTopLevelItem(item);
    if (row < 0 || row >= static_cast<int>(m_requests.size()))
        return;
    const journal::Request& request = m_requests[static_cast<std::size_t>(row)];
    m_outcome->setText(QStringLiteral("Outcome: %1    SNMP version %2%3")
                           .arg(journal::outcomeText(request), request.version,
                                request.user ? QStringLiteral(", user ") + *request.user : QString()));
    for (const journal::Binding& binding : request.bindings)
        new QTreeWidgetItem(m_bindingList, {binding.oid, binding.name, binding.value, binding.previous.value_or(QString())});
    for (int column = 0; column < m_bindingList->columnCount(); ++column)
        m_bindingList->resizeColumnToContents(column);
}

void ChangeLogWindow::exportCsv()
{
    const QString file = m_setup.askExportFile(this);
    if (file.isEmpty())
        return;
    journal::Reader reader(m_setup.databasePath);
    const std::vector<journal::Request> requests = reader.requests(filter(0));
    QSaveFile out(file);
    QString problem = reader.error();
    if (problem.isEmpty()) {
        const QByteArray bytes = journal::csvOf(requests).toUtf8();
        if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size() || !out.commit())
            problem = QStringLiteral("%1 could not be written: %2").arg(file, out.errorString());
    }
    m_status->setText(problem.isEmpty() ? QStringLiteral("%1 requests written to %2").arg(requests.size()).arg(file) : problem);
}

void ChangeLogWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    emit shown();
}

namespace {
QPointer<ChangeLogWindow>& theWindow()
{
    static QPointer<ChangeLogWindow> window;
    return window;
}
} // namespace

ChangeLogWindow* showChangeLogWindow()
{
    QPointer<ChangeLogWindow>& window = theWindow();
    if (!window) {
        window = new ChangeLogWindow;
        window->setAttribute(Qt::WA_DeleteOnClose);
    }
    window->show();
    window->raise();
    window->activateWindow();
    return window;
}

void waitForChangeLogWindow()
{
    QPointer<ChangeLogWindow>& window = theWindow();
    if (!window || !window->isVisible())
        return;
    QEventLoop loop;
    QObject::connect(window.data(), &QObject::destroyed, &loop, &QEventLoop::quit);
    loop.exec();
}

} // namespace app
