#include "dialogs/management/snmp_host_table_dialog.h"

#include "dialogs/ip_address_edit.h"
#include "dialogs/widgets.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

namespace dialogs::management {

CSnmpHostTableDialog::CSnmpHostTableDialog(QWidget* parent)
    : CAgentRowsDialog("SNMP Host Table", hostHeaders(), kSelectItemToDelete,
                       {&CSnmpAgentConfig::walkHosts, &CSnmpAgentConfig::hostWalk, decodeHostRow, hostDeletion}, parent)
{
    m_address = new CIpAddressEdit(this);
    m_address->setObjectName(QStringLiteral("address"));
    m_version = new QComboBox(this);
    m_version->setObjectName(QStringLiteral("version"));
    m_version->addItems(qTexts(hostVersions()));
    m_name = new QLineEdit(this);
    m_name->setObjectName(QStringLiteral("name"));
    m_name->setMaxLength(32);
    auto* inputs = new QGridLayout;
    inputs->addWidget(captionFor(m_address, QStringLiteral("Host IP Adress")), 0, 0);
    inputs->addWidget(m_address, 0, 1);
    inputs->addWidget(captionFor(m_version, QStringLiteral("SNMP Version")), 1, 0);
    inputs->addWidget(m_version, 1, 1);
    inputs->addWidget(captionFor(m_name, QStringLiteral("Community String/SNMPv3 User Name")), 2, 0);
    inputs->addWidget(m_name, 2, 1);
    finishLayout(inputs);
}

void CSnmpHostTableDialog::apply()
{
    const HostInput in{m_address->hasBlankField(), textOf(m_address->text()), m_version->currentIndex(),
                       textOf(m_name->text())};
    if (passes(checkHost(in, m_rows)))
        create(m_agent.createHost(in, m_created));
}

void CSnmpHostTableDialog::resetInputs()
{
    m_address->clear();
    m_version->setCurrentIndex(0);
    m_name->clear();
}

} // namespace dialogs::management
