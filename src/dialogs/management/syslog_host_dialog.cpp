#include "dialogs/management/syslog_host_dialog.h"

#include "dialogs/ip_address_edit.h"
#include "dialogs/management/syslog_rules.h"
#include "dialogs/text_number.h"
#include "dialogs/widgets.h"
#include "platform/prompter.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <chrono>

namespace dialogs::management {

CSyslogHostDialog::CSyslogHostDialog(QWidget* parent)
    : CDialogBase(parent), m_cCommonSNMP(addSession("m_cCommonSNMP")), m_cCommonSNMPSet(addSession("m_cCommonSNMPSet")),
      m_read(declareRead("syslog settings", syslogRead()))
{
    m_enable = new QCheckBox(QStringLiteral("SysLogEnable"), this);
    m_enable->setObjectName(QStringLiteral("enable"));
    m_address = new CIpAddressEdit(this);
    m_address->setObjectName(QStringLiteral("address"));
    m_port = new QLineEdit(this);
    m_port->setObjectName(QStringLiteral("port"));
    m_port->setMaxLength(5);
    m_port->setValidator(digitsOnly(m_port));
    m_facility = new QComboBox(this);
    m_facility->setObjectName(QStringLiteral("facility"));
    m_facility->addItems(qTexts(facilityItems()));
    m_severity = new QComboBox(this);
    m_severity->setObjectName(QStringLiteral("severity"));
    m_severity->addItems(qTexts(severityItems()));
    m_refresh = pushButton(QStringLiteral("&Refresh"), "refresh", this);
    m_apply = pushButton(QStringLiteral("&Apply"), "apply", this);
    QPushButton* close = pushButton(QStringLiteral("&Close"), "close", this);

    auto* syslog = new QGroupBox(QStringLiteral("Syslog"), this);
    (new QVBoxLayout(syslog))->addWidget(m_enable);
    auto* configuration = new QGroupBox(QStringLiteral("Configuratiom"), this);
    auto* grid = new QGridLayout(configuration);
    int row = 0;
    for (auto [control, caption] : {std::pair<QWidget*, const char*>{m_address, "Host IP:"},
                                    {m_port, "UDP Port(1-65535):"},
                                    {m_facility, "Facility:"},
                                    {m_severity, "Severity:"}}) {
        grid->addWidget(captionFor(control, QString::fromLatin1(caption)), row, 0);
        grid->addWidget(control, row++, 1);
    }
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_refresh);
    buttons->addStretch();
    buttons->addWidget(m_apply);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(syslog);
    layout->addWidget(configuration);
    layout->addLayout(buttons);

    connect(m_enable, &QCheckBox::toggled, this, &CSyslogHostDialog::enableServer);
    connect(m_refresh, &QPushButton::clicked, this, &CSyslogHostDialog::read);
    connect(m_apply, &QPushButton::clicked, this, &CSyslogHostDialog::apply);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);

    setWindowTitle(QStringLiteral("Syslog Host Configuration"));
    enableServer(false);
    m_port->setText(QStringLiteral("514"));
    // Until the switch's values are shown, Apply would write the defaults over them.
    needs(m_apply, {m_read});
    waitsFor(m_refresh, {m_read});
    read();
}

void CSyslogHostDialog::enableServer(bool enabled)
{
    for (QWidget* control : {static_cast<QWidget*>(m_address), static_cast<QWidget*>(m_port),
                             static_cast<QWidget*>(m_facility), static_cast<QWidget*>(m_severity)})
        control->setEnabled(enabled);
}

void CSyslogHostDialog::read()
{
    startWalk(
        m_cCommonSNMP, syslogRead(),
        [this](const WalkRow& row) {
            const SyslogTexts texts = decodeSyslog(row);
            if (texts.address)
                m_address->setText(QString::fromStdString(*texts.address));
            if (texts.port)
                m_port->setText(QString::fromStdString(*texts.port));
            m_facility->setCurrentIndex(texts.facilityIndex);
            if (texts.severityIndex)
                m_severity->setCurrentIndex(*texts.severityIndex);
            m_enable->setChecked(texts.enabled);
            enableServer(texts.enabled);
        },
        {}, m_read);
}

void CSyslogHostDialog::apply()
{
    if (!readsWhole({m_read}))
        return;
    const bool enabled = m_enable->isChecked();
    Bindings server;
    if (enabled) {
        const std::string address = textOf(m_address->text());
        const std::int64_t port = typedNumber(textOf(m_port->text()));
        if (const std::string message = checkSyslogServer(address, m_address->hasBlankField(), port);
            !message.empty()) {
            platform::prompter().warn(message, {});
            return;
        }
        server = syslogServerSet(address, port, m_severity->currentIndex(), m_facility->currentIndex());
    }
    runWrite(
        [&session = m_cCommonSNMPSet, server, state = syslogStateSet(enabled)](WriteContext& write) {
            if (!server.empty())
                write.setByGetNext(session, server);
            write.pause(std::chrono::milliseconds(30));
            write.setByGetNext(session, state);
        },
        [this] { read(); });
}

} // namespace dialogs::management
