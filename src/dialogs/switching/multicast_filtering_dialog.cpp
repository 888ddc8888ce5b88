#include "dialogs/switching/multicast_filtering_dialog.h"

#include "dialogs/switching/list_dialog_layout.h"
#include "dialogs/switching/multicast_filter_rules.h"
#include "dialogs/widgets.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>

namespace dialogs::switching {

CMulticastFilteringDialog::CMulticastFilteringDialog(QWidget* parent)
    : CDialogBase(parent), m_cCommonSNMP(addSession("m_cCommonSNMP")), m_cCommonSNMPTable(addSession("m_cCommonSNMPTable")),
      m_nameRead(declareRead("VLAN names", vlanNameRead())),
      m_filterRead(declareRead("multicast filtering modes", multicastFilterRead()))
{
    setWindowTitle(QStringLiteral("Multicast Filtering Mode Configuration"));
    m_list = newListView(multicastFilterHeaders(), this);
    m_list->setAccessibleName(QStringLiteral("VLANs"));
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    const std::vector<int>& widths = multicastFilterColumnWidths();
    for (std::size_t i = 0; i < widths.size(); ++i)
        m_list->setColumnWidth(static_cast<int>(i), widths[i]);
    m_vlanId = new QComboBox(this);
    m_vlanId->setObjectName(QStringLiteral("vlanId"));
    m_all = new QCheckBox(QStringLiteral("All"), this);
    m_all->setObjectName(QStringLiteral("all"));
    m_all->setAccessibleName(QStringLiteral("All VLANs"));
    m_mode = new QComboBox(this);
    m_mode->setObjectName(QStringLiteral("mode"));
    m_mode->addItems(qTexts(multicastModeItems()));
    m_mode->setCurrentIndex(0);

    m_apply = pushButton(QStringLiteral("&Apply"), "apply", this);
    m_refresh = pushButton(QStringLiteral("&Refresh"), "refresh", this);
    QPushButton* closeButton = pushButton(QStringLiteral("&Close"), "close", this);
    connect(m_apply, &QPushButton::clicked, this, &CMulticastFilteringDialog::apply);
    connect(m_refresh, &QPushButton::clicked, this, &CMulticastFilteringDialog::refresh);
    connect(closeButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_all, &QCheckBox::toggled, this, [this](bool all) { m_vlanId->setEnabled(!all); });

    auto* controls = new QGridLayout;
    controls->addWidget(captionFor(m_vlanId, QStringLiteral("VLAN ID")), 0, 0);
    controls->addWidget(m_vlanId, 0, 1);
    controls->addWidget(m_all, 0, 2);
    controls->addWidget(captionFor(m_mode, QStringLiteral("Multicast Filtering Mode")), 1, 0);
    controls->addWidget(m_mode, 1, 1, 1, 2);
    layOutListDialog(*this, m_list, controls, {m_apply, m_refresh, closeButton});
    resize(620, 400);

    needs(m_apply, {m_nameRead, m_filterRead});
    waitsFor(m_refresh, {m_nameRead, m_filterRead});
    refresh();
}

void CMulticastFilteringDialog::refresh()
{
    m_list->clear();
    m_vlanId->clear();
    m_names.clear();
    startWalk(m_cCommonSNMPTable, vlanNameRead(), [this](const WalkRow& row) { addVlanName(m_names, row); }, {},
              m_nameRead);
    readFilterRows();
}

void CMulticastFilteringDialog::readFilterRows()
{
    startWalk(
        m_cCommonSNMPTable, multicastFilterRead(),
        [this](const WalkRow& row) {
            const auto decoded = decodeMulticastRow(row, m_names);
            if (!decoded)
                return;
            m_vlanId->addItem(QString::fromStdString(decoded->vid));
            m_vlanId->setCurrentIndex(0);
            appendRow(m_list, {decoded->vid, decoded->name, decoded->mode});
        },
        {}, m_filterRead);
}

void CMulticastFilteringDialog::apply()
{
    if (!readsWhole({m_nameRead, m_filterRead}))
        return;
    std::vector<std::string> vids;
    if (m_all->isChecked()) {
        for (int row = 0; row < m_list->topLevelItemCount(); ++row)
            vids.push_back(textOf(m_list->topLevelItem(row)->text(0)));
    } else if (m_vlanId->currentIndex() >= 0) {
        vids.push_back(textOf(m_vlanId->currentText()));
    }
    runWrite([&session = m_cCommonSNMP, bindings = multicastFilterSet(vids, m_mode->currentIndex())](
                 WriteContext& write) { write.setByGetNext(session, bindings); },
             [this] { refresh(); });
}

} // namespace dialogs::switching
