#include "dialogs/management/snmp_view_table_dialog.h"

#include "dialogs/widgets.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

namespace dialogs::management {

CSnmpViewTableDialog::CSnmpViewTableDialog(QWidget* parent)
    : CAgentRowsDialog("SNMP View Table Configuration", viewHeaders(), kSelectItemToDelete,
                       {&CSnmpAgentConfig::walkViews, &CSnmpAgentConfig::viewWalk, decodeViewRow, viewDeletion}, parent)
{
    auto* inputs = new QGridLayout;
    int row = 0;
    const auto edit = [&](const char* name, const char* caption) {
        auto* line = new QLineEdit(this);
        line->setObjectName(QString::fromLatin1(name));
        inputs->addWidget(captionFor(line, QString::fromLatin1(caption)), row, 0);
        inputs->addWidget(line, row++, 1);
        return line;
    };
    m_name = edit("viewName", "View Name ");
    m_name->setMaxLength(32);
    m_subtree = edit("subtree", "Subtree OID ");
    m_mask = edit("mask", "OID Mask ");
    m_type = new QComboBox(this);
    m_type->setObjectName(QStringLiteral("type"));
    m_type->addItems(qTexts(viewTypes()));
    inputs->addWidget(captionFor(m_type, QStringLiteral("View Type")), row, 0);
    inputs->addWidget(m_type, row, 1);
    finishLayout(inputs);
}

void CSnmpViewTableDialog::apply()
{
    const ViewInput in{textOf(m_name->text()), textOf(m_subtree->text()), textOf(m_mask->text()),
                       textOf(m_type->currentText())};
    if (passes(checkView(in, m_rows)))
        create(m_agent.createView(in, m_created));
}

void CSnmpViewTableDialog::resetInputs()
{
    for (QLineEdit* line : {m_name, m_subtree, m_mask})
        line->clear();
    m_type->setCurrentIndex(0);
}

} // namespace dialogs::management
