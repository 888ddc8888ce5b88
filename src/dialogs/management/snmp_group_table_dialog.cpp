#include "dialogs/management/snmp_group_table_dialog.h"

#include "dialogs/widgets.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

namespace dialogs::management {

CSnmpGroupTableDialog::CSnmpGroupTableDialog(QWidget* parent)
    : CAgentRowsDialog("SNMP Group Table Info", groupHeaders(), kSelectToDelete,
                       {&CSnmpAgentConfig::walkGroups, &CSnmpAgentConfig::groupWalk, decodeGroupRow, groupDeletion}, parent)
{
    auto* inputs = new QGridLayout;
    int row = 0;
    const auto edit = [&](const char* name, const char* caption) {
        auto* line = new QLineEdit(this);
        line->setObjectName(QString::fromLatin1(name));
        line->setMaxLength(32);
        inputs->addWidget(captionFor(line, QString::fromLatin1(caption)), row / 2, (row % 2) * 2);
        inputs->addWidget(line, row / 2, (row % 2) * 2 + 1);
        ++row;
        return line;
    };
    m_name = edit("groupName", "Group Name");
    m_readView = edit("readView", "Read View");
    m_writeView = edit("writeView", "Write View");
    m_notifyView = edit("notifyView", "Notify View");
    m_model = new QComboBox(this);
    m_model->setObjectName(QStringLiteral("model"));
    m_model->addItems(qTexts(securityModels()));
    m_level = new QComboBox(this);
    m_level->setObjectName(QStringLiteral("level"));
    m_level->addItems(qTexts(securityLevels()));
    inputs->addWidget(captionFor(m_model, QStringLiteral("Security Model")), 2, 0);
    inputs->addWidget(m_model, 2, 1);
    inputs->addWidget(captionFor(m_level, QStringLiteral("Security Level")), 2, 2);
    inputs->addWidget(m_level, 2, 3);
    connect(m_model, &QComboBox::currentTextChanged, this,
            [this](const QString& model) { m_level->setEnabled(model == QStringLiteral("v3")); });
    m_level->setEnabled(false);
    finishLayout(inputs);
}

void CSnmpGroupTableDialog::apply()
{
    const GroupInput in{textOf(m_name->text()),      textOf(m_readView->text()),     textOf(m_writeView->text()),
                        textOf(m_notifyView->text()), textOf(m_model->currentText()), textOf(m_level->currentText())};
    if (passes(checkGroup(in, m_rows)))
        create(m_agent.createGroup(in, m_created));
}

void CSnmpGroupTableDialog::clearAfterCreation()
{
    for (QLineEdit* line : {m_name, m_readView, m_writeView, m_notifyView})
        line->clear();
}

void CSnmpGroupTableDialog::resetInputs()
{
    clearAfterCreation();
    m_model->setCurrentIndex(0);
    m_level->setCurrentIndex(0);
}

} // namespace dialogs::management
