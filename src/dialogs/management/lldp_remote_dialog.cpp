#include "dialogs/management/lldp_remote_dialog.h"

#include "dialogs/widgets.h"
#include "platform/prompter.h"
#include "snmp/common_snmp.h"
#include "snmp/session_parameters.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace dialogs::management {

CLldpRemoteDialog::CLldpRemoteDialog(QWidget* parent)
    : CDialogBase(parent),
      m_cCommonSNMPEnabled(addSession("m_cCommonSNMPEnabled")),
      m_cCommonSNMP(addSession("m_cCommonSNMP")),
      m_stateRead(declareRead("LLDP state", lldpStateRead())),
      m_remoteRead(declareRead("LLDP remote ports", remotePortWalk()))
{
    m_count = new QLineEdit(this);
    m_count->setObjectName(QStringLiteral("count"));
    m_count->setReadOnly(true);
    m_list = newListView(remotePortHeaders(), this);
    m_list->setObjectName(QStringLiteral("list"));
    QPushButton* refreshButton = pushButton(QStringLiteral("&Refresh"), "refresh", this);
    QPushButton* closeButton = pushButton(QStringLiteral("&Close"), "close", this);
    connect(refreshButton, &QPushButton::clicked, this, &CLldpRemoteDialog::refresh);
    connect(closeButton, &QPushButton::clicked, this, &QDialog::reject);

    auto* count = new QHBoxLayout;
    count->addWidget(captionFor(m_count, QStringLiteral("Remote Entities Count: ")));
    count->addWidget(m_count);
    count->addStretch();
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(refreshButton);
    buttons->addWidget(closeButton);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(count);
    layout->addWidget(m_list);
    layout->addLayout(buttons);
    setWindowTitle(QStringLiteral("LLDP Remote Port Information"));
    waitsFor(refreshButton, {m_stateRead, m_remoteRead});
    refresh();
}

void CLldpRemoteDialog::refresh()
{
    m_count->setText(QStringLiteral("0"));
    m_list->clear();
    // The state check needs a community-based agent; a version 3 session walks straight away.
    const std::string version = snmp::sessionVersion(snmp::sessionParameters());
    if (version != "1" && version != "2c") {
        walkRemotePorts();
        return;
    }
    startGet(
        m_cCommonSNMPEnabled, lldpStateRead(),
        [this](int status, const std::vector<std::string>&) {
            if (status != snmp::kStatusOk) {
                platform::prompter().warn(kRemoteReadFailed, {});
                return;
            }
            walkRemotePorts();
        },
        m_stateRead);
}

void CLldpRemoteDialog::walkRemotePorts()
{
    startWalk(
        m_cCommonSNMP, remotePortWalk(),
        [this](const WalkRow& row) {
            if (const auto texts = remotePortRowTexts(row))
                appendRow(m_list, *texts);
        },
        [this] { showCount(m_cCommonSNMP.endStatus() == snmp::kStatusEnded); },
        m_remoteRead);
}

void CLldpRemoteDialog::showCount(bool whole)
{
    const int rows = m_list->topLevelItemCount();
    // A walk cut short does not say there are none.
    if (rows == 0 && whole)
        platform::prompter().inform(kNoRemotePort, {});
    m_count->setText(QString::number(rows));
}

} // namespace dialogs::management
