#include "dialogs/mib/forwarding_table_dialog.h"

#include "dialogs/widgets.h"
#include "snmp/common_snmp.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>

namespace dialogs::mib {

CForwardingTableDialog::CForwardingTableDialog(QWidget* parent)
    : CTableViewDialog(forwardingTableView(), parent), m_cCommonSNMPGetTime(addSession("m_cCommonSNMPGetTime")),
      m_ageRead(declareRead("aging time", nullBindings({kAgingTimeOid})))
{
    auto* filter = new QGroupBox(QStringLiteral("Filter"), this);
    m_portFilter = new QLineEdit(filter);
    m_portFilter->setObjectName(QStringLiteral("portFilter"));
    auto* filterLayout = new QHBoxLayout(filter);
    filterLayout->addWidget(captionFor(m_portFilter, QStringLiteral("Destination Port")));
    filterLayout->addWidget(m_portFilter);

    auto* age = new QGroupBox(QStringLiteral("Age Time"), this);
    m_agingTime = switchTextLabel("agingTime", age);
    auto* ageLayout = new QHBoxLayout(age);
    ageLayout->addWidget(m_agingTime);
    ageLayout->addWidget(new QLabel(QStringLiteral("Seconds"), age));

    sideArea()->addWidget(filter, 0, 0);
    sideArea()->addWidget(age, 0, 1);
    if (QWidget* refreshButton = findChild<QWidget*>(QStringLiteral("refresh"))) {
        refreshButton->setFocus();
        waitsFor(refreshButton, {m_ageRead});
    }
}

void CForwardingTableDialog::refresh()
{
    CTableViewDialog::refresh();
    readAgingTime();
}

bool CForwardingTableDialog::listsRow(const WalkRow& row) const
{
    return fdbRowPasses(row, textOf(m_portFilter->text()));
}

void CForwardingTableDialog::readAgingTime()
{
    startGet(m_cCommonSNMPGetTime, nullBindings({kAgingTimeOid}), [this](int status, const std::vector<std::string>& values) {
        if (status == snmp::kStatusOk && !values.empty())
            m_agingTime->setText(QString::fromStdString(values[0]));
    }, m_ageRead);
}

} // namespace dialogs::mib
