#include "dialogs/management/snmp_global_state_dialog.h"

#include "dialogs/management/snmp_agent_rules.h"
#include "dialogs/widgets.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace dialogs::management {

CSnmpGlobalStateDialog::CSnmpGlobalStateDialog(QWidget* parent) : CAgentDialog(parent)
{
    setWindowTitle(QStringLiteral("SNMP Global State Settings"));
    m_enable = new QCheckBox(QStringLiteral("Enable SNMP Global "), this);
    m_enable->setObjectName(QStringLiteral("enable"));
    m_apply = pushButton(QStringLiteral("&Apply"), "apply", this);
    QPushButton* cancel = pushButton(QStringLiteral("&Cancel"), "cancel", this);
    connect(m_apply, &QPushButton::clicked, this, &CSnmpGlobalStateDialog::apply);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_apply);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_enable);
    layout->addLayout(buttons);
    // Nothing is written before the switch's state is known.
    m_read = declareRead("SNMP global state", CSnmpAgentConfig::globalStateRead());
    needs(m_apply, {m_read});
    m_apply->setEnabled(false);
    read();
}

void CSnmpGlobalStateDialog::read()
{
    m_agent.readGlobalState([this](const std::string& value) {
        if (const auto enabled = decodeGlobalState(value)) {
            m_enable->setChecked(*enabled);
            m_apply->setEnabled(true);
        }
    }, m_read);
}

void CSnmpGlobalStateDialog::apply()
{
    // Held off until a read state was shown.
    if (!m_apply->isEnabled())
        return;
    auto succeeded = std::make_shared<bool>(false);
    runWrite(m_agent.writeGlobalState(m_enable->isChecked() ? "1" : "2", succeeded), [this, succeeded] {
        if (*succeeded)
            read();
    });
}

} // namespace dialogs::management
