#include "dialogs/management/snmp_engine_id_dialog.h"

#include "dialogs/management/snmp_agent_rules.h"
#include "dialogs/widgets.h"
#include "platform/prompter.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace dialogs::management {

CSnmpEngineIdDialog::CSnmpEngineIdDialog(QWidget* parent) : CAgentDialog(parent)
{
    setWindowTitle(QStringLiteral("SNMP Engine ID"));
    m_engineId = new QLineEdit(this);
    m_engineId->setObjectName(QStringLiteral("engineId"));
    QPushButton* applyButton = pushButton(QStringLiteral("&Apply"), "apply", this);
    QPushButton* defaultButton = pushButton(QStringLiteral("&Default"), "default", this);
    QPushButton* closeButton = pushButton(QStringLiteral("&Close"), "close", this);
    connect(applyButton, &QPushButton::clicked, this, &CSnmpEngineIdDialog::apply);
    connect(defaultButton, &QPushButton::clicked, this, &CSnmpEngineIdDialog::restoreDefault);
    connect(closeButton, &QPushButton::clicked, this, &QDialog::reject);

    auto* field = new QHBoxLayout;
    field->addWidget(captionFor(m_engineId, QStringLiteral("SNMP Engine ID")));
    field->addWidget(m_engineId, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton* button : {applyButton, defaultButton, closeButton})
        buttons->addWidget(button);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(field);
    layout->addWidget(
        new QLabel(QStringLiteral("Note: Engine ID length is 10-64, the accepted character is from 0 to F."), this));
    layout->addLayout(buttons);
    resize(480, sizeHint().height());
    // Like every write here, both act once the switch's ID was read.
    m_read = declareRead("SNMP engine ID", CSnmpAgentConfig::engineIdRead());
    needs(applyButton, {m_read});
    needs(defaultButton, {m_read});
    read();
}

void CSnmpEngineIdDialog::read()
{
    m_agent.readEngineId([this](const std::string& hex) { m_engineId->setText(QString::fromStdString(hex)); }, m_read);
}

void CSnmpEngineIdDialog::apply()
{
    if (!readsWhole({m_read}))
        return;
    const std::string text = textOf(m_engineId->text());
    if (const std::string message = checkEngineId(text); !message.empty()) {
        platform::prompter().warn(message, {});
        return;
    }
    write(text, false);
}

void CSnmpEngineIdDialog::restoreDefault()
{
    write({}, true);
}

void CSnmpEngineIdDialog::write(const std::string& hex, bool useDefault)
{
    if (!readsWhole({m_read}))
        return;
    // The edit shows what the switch holds afterwards, whatever the set's result.
    runWrite(m_agent.writeEngineId(hex, useDefault), [this] { read(); });
}

} // namespace dialogs::management
