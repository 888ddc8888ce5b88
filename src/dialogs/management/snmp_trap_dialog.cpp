#include "dialogs/management/snmp_trap_dialog.h"

#include "dialogs/management/snmp_agent_rules.h"
#include "dialogs/widgets.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace dialogs::management {

CSnmpTrapDialog::CSnmpTrapDialog(const std::string& deviceName, QWidget* parent)
    : CAgentDialog(parent), m_poe(isPoeModel(deviceName))
{
    setWindowTitle(QStringLiteral("SNMP Trap Configuration"));
    auto* group = new QGroupBox(QStringLiteral("Trap Settings"), this);
    auto* boxes = new QVBoxLayout(group);
    int number = 1;
    for (const TrapObject& object : trapObjects()) {
        auto* box = new QCheckBox(QString::fromLatin1(object.caption), group);
        box->setObjectName(QStringLiteral("trap%1").arg(number++));
        box->setVisible(m_poe || !object.poeOnly);
        boxes->addWidget(box);
        m_boxes.push_back(box);
    }
    m_apply = pushButton(QStringLiteral("&Apply"), "apply", this);
    QPushButton* closeButton = pushButton(QStringLiteral("&Close"), "close", this);
    connect(m_apply, &QPushButton::clicked, this, &CSnmpTrapDialog::apply);
    connect(closeButton, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_apply);
    buttons->addWidget(closeButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addLayout(buttons);

    // Nothing is written before the switch's settings are known.
    m_read = declareRead("SNMP traps", CSnmpAgentConfig::trapRead(m_poe));
    needs(m_apply, {m_read});
    m_apply->setEnabled(false);
    m_agent.readTraps(m_poe, [this](const std::vector<std::string>& values) {
        const auto checked = decodeTraps(values, m_poe);
        if (!checked)
            return;
        for (std::size_t i = 0; i < checked->size(); ++i)
            m_boxes[i]->setChecked((*checked)[i]);
        m_apply->setEnabled(true);
    }, m_read);
}

void CSnmpTrapDialog::apply()
{
    // Held off until the read settings were shown.
    if (!m_apply->isEnabled())
        return;
    std::vector<bool> checked;
    for (const QCheckBox* box : m_boxes)
        checked.push_back(box->isChecked());
    runWrite(m_agent.writeTraps(checked, m_poe));
}

} // namespace dialogs::management
