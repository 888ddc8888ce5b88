#include "app/connect/connect_window.h"

#include "app/change_log/change_log_window.h"

#include "snmp/agent_address.h"
#include "snmp/identity_read.h"
#include "snmp/transport.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <thread>
#include <utility>

namespace app {
namespace {

QString text(const std::string& value)
{
    return QString::fromStdString(value);
}

void fillCodes(QComboBox& box, const std::vector<NamedCode>& table)
{
    for (const NamedCode& entry : table)
        box.addItem(QString::fromLatin1(entry.name.data(), static_cast<qsizetype>(entry.name.size())),
                    QString::fromLatin1(entry.code.data(), static_cast<qsizetype>(entry.code.size())));
}

void selectData(QComboBox& box, const std::string& data)
{
    const int index = box.findData(text(data));
    if (index >= 0)
        box.setCurrentIndex(index);
}

std::string dataOf(const QComboBox& box)
{
    return box.currentData().toString().toStdString();
}

} // namespace

// The identity read answers on the transport's thread; it reaches the window
// only while the window lives.
struct ConnectWindow::Pending {
    std::mutex mutex;
    ConnectWindow* window = nullptr;
};

ConnectWindow::ConnectWindow(ConnectWindowSetup setup, QWidget* parent)
    : QDialog(parent), m_setup(std::move(setup)), m_pending(std::make_shared<Pending>())
{
    m_pending->window = this;
    setWindowTitle("Connect to a QMX-7720-ZA switch");
    buildControls();
    bool bulkReads = true;
    if (auto settings = m_setup.settings()) {
        m_recents = loadRecentSwitches(*settings);
        bulkReads = readTablesInBulk(*settings, true);
    }
    fillRecentList();

    QString why;
    m_keyringAvailable = Keyring::available(&why);
    m_remember->setEnabled(m_keyringAvailable);
    m_remember->setToolTip(m_keyringAvailable ? "Kept in the desktop's Secret Service keyring" : why);

    const RecentSwitch* recent = recentFor(m_recents, m_setup.options);
    ConnectForm form = recent ? formOf(*recent) : ConnectForm{};
    form.bulkReads = bulkReads;
    showForm(applyOptions(form, m_setup.options));
    m_remember->setChecked(m_keyringAvailable && recent && recent->secretsInKeyring);
}

ConnectWindow::~ConnectWindow()
{
    std::lock_guard lock(m_pending->mutex);
    m_pending->window = nullptr;
}

void ConnectWindow::buildControls()
{
    auto* layout = new QVBoxLayout(this);
    auto* recentLabel = new QLabel("Re&cent switches:", this);
    m_recentList = new QTreeWidget(this);
    m_recentList->setObjectName("recentList");
    m_recentList->setHeaderLabels({"Address", "Version", "User", "Model"});
    m_recentList->setRootIsDecorated(false);
    m_recentList->setAllColumnsShowFocus(true);
    m_recentList->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_recentList->header()->setStretchLastSection(false);
    recentLabel->setBuddy(m_recentList);
    m_removeRecent = new QPushButton("Re&move", this);
    m_removeRecent->setObjectName("removeRecent");
    m_removeRecent->setAccessibleName("Remove the chosen recent switch and its keyring entry");
    auto* recentRow = new QHBoxLayout;
    recentRow->addWidget(m_recentList, 1);
    recentRow->addWidget(m_removeRecent, 0, Qt::AlignTop);
    layout->addWidget(recentLabel);
    layout->addLayout(recentRow);

    m_form = new QFormLayout;
    auto field = [this](const char* caption, auto* widget, const char* name) {
        widget->setObjectName(name);
        auto* label = new QLabel(caption, this);
        label->setBuddy(widget);
        m_form->addRow(label, widget);
        return widget;
    };
    auto secret = [](QLineEdit* edit) {
        edit->setEchoMode(QLineEdit::Password);
        return edit;
    };
    m_address = field("&Address:", new QLineEdit(this), "address");
    m_address->setPlaceholderText("192.0.2.10, switch.example.org or 2001:db8::10");
    m_port = field("&Port:", new QLineEdit(this), "port");
    m_version = field("SNMP &version:", new QComboBox(this), "version");
    for (const char* version : {"1", "2c", "3"})
        m_version->addItem(version, version);
    m_readCommunity = field("&Read community:", secret(new QLineEdit(this)), "readCommunity");
    m_writeCommunity = field("&Write community:", secret(new QLineEdit(this)), "writeCommunity");
    m_user = field("&User:", new QLineEdit(this), "user");
    m_securityLevel = field("Security &level:", new QComboBox(this), "securityLevel");
    fillCodes(*m_securityLevel, securityLevels());
    m_authProtocol = field("Au&thentication protocol:", new QComboBox(this), "authProtocol");
    fillCodes(*m_authProtocol, authProtocols());
    m_authPassphrase = field("Authentication pass p&hrase:", secret(new QLineEdit(this)), "authPassphrase");
    m_privProtocol = field("Pri&vacy protocol:", new QComboBox(this), "privProtocol");
    fillCodes(*m_privProtocol, privProtocols());
    m_privPassphrase = field("Privac&y pass phrase:", secret(new QLineEdit(this)), "privPassphrase");
    m_model = field("M&odel:", new QComboBox(this), "model");
    for (const InstalledModel& model : m_setup.models)
        m_model->addItem(text(model.name));
    m_form->setRowVisible(m_model, false);
    layout->addLayout(m_form);

    m_vlanEdit = new QCheckBox("Allow VLAN &editing", this);
    m_vlanEdit->setObjectName("vlanEdit");
    m_remember = new QCheckBox("Remember pass phrases and communities in the &keyring", this);
    m_remember->setObjectName("rememberSecrets");
    m_bulkReads = new QCheckBox("Read tables in &bulk", this);
    m_bulkReads->setObjectName("bulkReads");
    layout->addWidget(m_vlanEdit);
    layout->addWidget(m_bulkReads);
    layout->addWidget(m_remember);

    m_status = new QLabel(this);
    m_status->setObjectName("status");
    m_status->setWordWrap(true);
    m_status->setTextFormat(Qt::PlainText); // it quotes what the switch sent
    m_status->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(m_status);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
    m_connect = buttons->addButton("&Connect", QDialogButtonBox::AcceptRole);
    m_connect->setObjectName("connect");
    m_connect->setDefault(true);
    QPushButton* changeLog = buttons->addButton("Change Lo&g...", QDialogButtonBox::ActionRole);
    changeLog->setObjectName("changeLog");
    changeLog->setAutoDefault(false);
    layout->addWidget(buttons);
    m_address->setFocus();

    connect(m_version, &QComboBox::currentIndexChanged, this, &ConnectWindow::updateEnabledFields);
    connect(m_securityLevel, &QComboBox::currentIndexChanged, this, &ConnectWindow::updateEnabledFields);
    // Selection, not the current row: the list makes its first row current
    // when it takes the focus, which must not replace what the options gave.
    connect(m_recentList, &QTreeWidget::itemSelectionChanged, this, [this] { recentChosen(chosenRecentRow()); });
    // The press before it chose the entry; Enter reaches Connect as the default button.
    connect(m_recentList, &QTreeWidget::itemDoubleClicked, this, &ConnectWindow::connectClicked);
    connect(m_removeRecent, &QPushButton::clicked, this, &ConnectWindow::removeRecent);
    connect(m_connect, &QPushButton::clicked, this, &ConnectWindow::connectClicked);
    connect(changeLog, &QPushButton::clicked, this, [] { showChangeLogWindow(); });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

void ConnectWindow::showForm(const ConnectForm& form)
{
    m_address->setText(text(form.address));
    m_port->setText(text(form.port));
    selectData(*m_version, form.version);
    m_readCommunity->setText(text(form.readCommunity));
    m_writeCommunity->setText(text(form.writeCommunity));
    m_user->setText(text(form.user));
    selectData(*m_securityLevel, form.securityLevel);
    selectData(*m_authProtocol, form.authProtocol);
    m_authPassphrase->setText(text(form.authPassphrase));
    selectData(*m_privProtocol, form.privProtocol);
    m_privPassphrase->setText(text(form.privPassphrase));
    m_vlanEdit->setChecked(form.vlanEdit);
    m_bulkReads->setChecked(form.bulkReads);
    updateEnabledFields();
}

ConnectForm ConnectWindow::formFromControls() const
{
    ConnectForm form;
    form.address = m_address->text().toStdString();
    form.port = m_port->text().trimmed().toStdString();
    form.version = dataOf(*m_version);
    form.vlanEdit = m_vlanEdit->isChecked();
    form.bulkReads = m_bulkReads->isChecked();
    form.readCommunity = m_readCommunity->text().toStdString();
    form.writeCommunity = m_writeCommunity->text().toStdString();
    form.user = m_user->text().toStdString();
    form.securityLevel = dataOf(*m_securityLevel);
    form.authProtocol = dataOf(*m_authProtocol);
    form.authPassphrase = m_authPassphrase->text().toStdString();
    form.privProtocol = dataOf(*m_privProtocol);
    form.privPassphrase = m_privPassphrase->text().toStdString();
    return form;
}

void ConnectWindow::updateEnabledFields()
{
    const std::string version = dataOf(*m_version);
    const bool communities = usesCommunities(version);
    const std::string level = dataOf(*m_securityLevel);
    for (QWidget* w : {static_cast<QWidget*>(m_readCommunity), static_cast<QWidget*>(m_writeCommunity)})
        m_form->setRowVisible(w, communities);
    for (QWidget* w : std::initializer_list<QWidget*>{m_user, m_securityLevel, m_authProtocol, m_authPassphrase,
                                                      m_privProtocol, m_privPassphrase})
        m_form->setRowVisible(w, !communities);
    const bool v1 = version == "1";
    m_bulkReads->setEnabled(!v1);
    m_bulkReads->setToolTip(v1 ? "Version 1 has no GETBULK: tables are read one row at a time."
                               : "Tables are read many rows per request (GETBULK).");
    m_authProtocol->setEnabled(level != "1");
    m_authPassphrase->setEnabled(level != "1");
    m_privProtocol->setEnabled(level == "3");
    m_privPassphrase->setEnabled(level == "3");
}

void ConnectWindow::fillRecentList()
{
    m_recentList->clear();
    for (const RecentSwitch& entry : m_recents) {
        QStringList columns;
        for (const std::string& column : recentColumns(entry))
            columns << text(column);
        m_recentList->addTopLevelItem(new QTreeWidgetItem(columns));
    }
    // Wide enough for every column: no entry hides behind a scroll bar.
    int width = 2 * m_recentList->frameWidth() + m_recentList->verticalScrollBar()->sizeHint().width();
    for (int column = 0; column < m_recentList->columnCount(); ++column) {
        m_recentList->resizeColumnToContents(column);
        width += m_recentList->columnWidth(column);
    }
    m_recentList->setMinimumWidth(width);
    m_removeRecent->setEnabled(!m_recents.empty());
}

int ConnectWindow::chosenRecentRow() const
{
    const QList<QTreeWidgetItem*> chosen = m_recentList->selectedItems();
    return chosen.isEmpty() ? -1 : m_recentList->indexOfTopLevelItem(chosen.front());
}

void ConnectWindow::recentChosen(int row)
{
    if (row < 0 || row >= static_cast<int>(m_recents.size()))
        return;
    const RecentSwitch entry = m_recents[static_cast<std::size_t>(row)];
    ConnectForm form = formOf(entry);
    form.bulkReads = m_bulkReads->isChecked(); // the user's choice, not the switch's
    showForm(form);
    m_remember->setChecked(m_keyringAvailable && entry.secretsInKeyring);
    readKeyringInto(entry, [] {});
}

void ConnectWindow::readKeyringInto(const RecentSwitch& entry, std::function<void()> then)
{
    if (!entry.secretsInKeyring || !m_keyringAvailable) {
        then();
        return;
    }
    ++m_keyringReads;
    Keyring::read(keyringKey(entry), this, [this, entry, then = std::move(then)](std::optional<SwitchSecrets> secrets) {
        --m_keyringReads;
        ConnectForm form = formFromControls();
        if (secrets && normalisedAddress(form.address) == entry.address) {
            fillMissingSecrets(form, *secrets);
            showForm(form);
        }
        emit keyringDone();
        then();
        if (m_keyringReads == 0 && std::exchange(m_connectAfterReads, false))
            connectClicked();
    });
}

void ConnectWindow::removeRecent()
{
    const int row = m_recentList->indexOfTopLevelItem(m_recentList->currentItem());
    if (row < 0 || row >= static_cast<int>(m_recents.size()))
        return;
    const RecentSwitch entry = m_recents[static_cast<std::size_t>(row)];
    m_recents.erase(m_recents.begin() + row);
    if (auto settings = m_setup.settings())
        saveRecentSwitches(*settings, m_recents);
    fillRecentList();
    if (entry.secretsInKeyring && m_keyringAvailable)
        Keyring::remove(keyringKey(entry), this, [this](bool) { emit keyringDone(); });
}

void ConnectWindow::start()
{
    const RecentSwitch* recent = recentFor(m_recents, m_setup.options);
    auto attempt = [this] {
        if (m_setup.options.address && checkConnectForm(formFromControls()).empty())
            connectClicked();
        else
            show();
    };
    if (recent)
        readKeyringInto(*recent, attempt);
    else
        attempt();
}

void ConnectWindow::connectClicked()
{
    if (m_attempting)
        return;
    if (m_keyringReads > 0) {
        // The chosen entry's secrets are still on their way.
        m_connectAfterReads = true;
        return;
    }
    const ConnectForm form = formFromControls();
    if (const std::string problem = checkConnectForm(form); !problem.empty()) {
        fail(problem);
        return;
    }
    setBusy(true);
    m_status->setText("Reading the switch's identity...");
    // The name is looked up once, off this thread: the identity read and the
    // session then talk to the same address.
    std::thread([pending = m_pending, attempt = ++m_attempt, form, parameters = sessionParametersOf(form)]() mutable {
        snmp::resolveAgentAddress(parameters);
        std::lock_guard lock(pending->mutex);
        if (ConnectWindow* window = pending->window)
            QMetaObject::invokeMethod(
                window, [window, attempt, form, parameters] { window->addressResolved(attempt, form, parameters); },
                Qt::QueuedConnection);
    }).detach();
}

void ConnectWindow::addressResolved(unsigned attempt, const ConnectForm& form, const snmp::SessionParameters& parameters)
{
    if (!m_attempting || attempt != m_attempt)
        return;
    m_resolvedAddress = parameters.resolvedAddress;
    if (m_resolvedAddress.empty()) {
        identityRead(form, {}); // as the request to a name nothing answers to: refused
        return;
    }
    snmp::readIdentity(*m_setup.transport, parameters,
                       [pending = m_pending, form](snmp::IdentityResult result) {
                           std::lock_guard lock(pending->mutex);
                           if (ConnectWindow* window = pending->window)
                               QMetaObject::invokeMethod(
                                   window, [window, form, result] { window->identityRead(form, result); },
                                   Qt::QueuedConnection);
                       });
}

void ConnectWindow::identityRead(const ConnectForm& form, const snmp::IdentityResult& result)
{
    if (!m_attempting)
        return;
    setBusy(false);
    if (result.failure != snmp::IdentityFailure::None) {
        fail(identityFailureMessage(result.failure, form));
        return;
    }
    if (m_setup.options.model) {
        const int forced = modelIndex(m_setup.models, *m_setup.options.model);
        if (forced < 0) {
            fail("No model " + *m_setup.options.model + " is installed.");
            return;
        }
        succeed(form, m_setup.models[static_cast<std::size_t>(forced)]);
        return;
    }
    const ModelMatchResult match = matchModel(m_setup.models, result.identity);
    if (match.index >= 0) {
        succeed(form, m_setup.models[static_cast<std::size_t>(match.index)]);
        return;
    }
    if (match.how == ModelMatch::Unknown && m_modelPicked && m_model->currentIndex() >= 0) {
        succeed(form, m_setup.models[static_cast<std::size_t>(m_model->currentIndex())]);
        return;
    }
    // The next Connect opens the model picked here.
    m_modelPicked = match.how == ModelMatch::Unknown && !m_setup.models.empty();
    m_form->setRowVisible(m_model, m_modelPicked);
    fail(unmatchedIdentityMessage(match.how, result.identity));
}

void ConnectWindow::succeed(const ConnectForm& form, const InstalledModel& model)
{
    m_outcome = {sessionParametersOf(form), model};
    m_outcome.parameters.resolvedAddress = m_resolvedAddress;
    if (m_setup.claim && !m_setup.claim(m_outcome)) {
        emit attemptEnded();
        reject();
        return;
    }
    const bool remember = m_remember->isEnabled() && m_remember->isChecked();
    if (!remember) {
        finishSuccess(form, model, false, {});
        return;
    }
    // The entry says the secrets are kept only once the keyring has them.
    setBusy(true);
    m_status->setText("Keeping the pass phrases and communities in the keyring...");
    Keyring::store(keyringKey(recentSwitchOf(form, model.name, true)), secretsOf(form), this,
                   [this, form, model](const QString& error) {
                       if (!m_attempting)
                           return; // cancelled meanwhile
                       setBusy(false);
                       finishSuccess(form, model, true, error);
                   });
}

void ConnectWindow::finishSuccess(const ConnectForm& form, const InstalledModel& model, bool remember,
                                  const QString& keyringError)
{
    const bool kept = remember && keyringError.isEmpty();
    const RecentSwitch entry = recentSwitchOf(form, model.name, kept);
    const auto previous = std::find_if(m_recents.begin(), m_recents.end(),
                                       [&](const RecentSwitch& old) { return sameSwitch(old, entry); });
    const bool hadSecrets = previous != m_recents.end() && previous->secretsInKeyring;
    m_recents = withConnected(std::move(m_recents), entry);
    if (auto settings = m_setup.settings()) {
        saveRecentSwitches(*settings, m_recents);
        if (form.version != "1")
            keepReadTablesInBulk(*settings, form.bulkReads);
    }
    // The job outlives this window: the application object is its context.
    if (!kept && hadSecrets && m_keyringAvailable)
        Keyring::remove(keyringKey(entry), QCoreApplication::instance(), [](bool) {});
    if (remember && !kept) {
        // Not modal: it stays beside the panel that opens now.
        auto* box = new QMessageBox(QMessageBox::Warning, windowTitle(),
                                    "The keyring did not keep the pass phrases and communities (" + keyringError +
                                        "). The switch is listed without them: enter them at the next connect.",
                                    QMessageBox::Ok);
        box->setObjectName("keyringNotKept");
        box->setTextFormat(Qt::PlainText);
        box->setAttribute(Qt::WA_DeleteOnClose);
        box->show();
    }
    m_status->setText("Connected to " + text(model.name) + ".");
    emit attemptEnded();
    accept();
}

void ConnectWindow::fail(const std::string& message)
{
    m_status->setText(text(message));
    if (!isVisible())
        show();
    emit attemptEnded();
}

void ConnectWindow::setBusy(bool busy)
{
    m_attempting = busy;
    // Cancel stays usable: the attempt ends by itself within the time-out.
    for (QWidget* widget : std::initializer_list<QWidget*>{m_recentList, m_address, m_port, m_version, m_readCommunity,
                                                          m_writeCommunity, m_user, m_securityLevel, m_model, m_vlanEdit,
                                                          m_connect})
        widget->setEnabled(!busy);
    m_removeRecent->setEnabled(!busy && !m_recents.empty());
    m_remember->setEnabled(!busy && m_keyringAvailable);
    if (busy) {
        for (QWidget* widget :
             std::initializer_list<QWidget*>{m_authProtocol, m_authPassphrase, m_privProtocol, m_privPassphrase, m_bulkReads})
            widget->setEnabled(false);
        setCursor(Qt::BusyCursor);
    } else {
        updateEnabledFields();
        unsetCursor();
    }
}

void ConnectWindow::reject()
{
    // An answer still on its way is not wanted any more.
    m_attempting = false;
    QDialog::reject();
}

void ConnectWindow::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    emit shown();
}

QString ConnectWindow::statusText() const
{
    return m_status->text();
}

} // namespace app
