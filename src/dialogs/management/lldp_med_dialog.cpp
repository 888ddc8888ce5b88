#include "dialogs/management/lldp_med_dialog.h"

#include "dialogs/port_range_control.h"
#include "dialogs/widgets.h"
#include "platform/prompter.h"
#include "snmp/common_snmp.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <chrono>

namespace dialogs::management {
namespace {

constexpr int kEnableItem = 0;
constexpr int kDisableItem = 1;

} // namespace

CLldpMedDialog::CLldpMedDialog(int portCount, QWidget* parent)
    : CDialogBase(parent),
      m_cCommonSNMP(addSession("m_cCommonSNMP")),
      m_cCommonSNMPSet(addSession("m_cCommonSNMPSet")),
      m_cCommonSNMPEnable(addSession("m_cCommonSNMPEnable")),
      m_stateRead(declareRead("LLDP state", lldpStateRead())),
      m_portRead(declareRead("Power PSE TLVs", pseTlvWalk()))
{
    m_range = new CPortRangeControl(QStringLiteral("From Port"), QStringLiteral("To Port"),
                                    std::min(kLldpMedPorts, portCount), this);
    m_pseTlv = new QComboBox(this);
    m_pseTlv->setObjectName(QStringLiteral("pseTlv"));
    m_pseTlv->addItems({QStringLiteral("Enable"), QStringLiteral("Disable")});
    m_pseTlv->setCurrentIndex(kDisableItem);
    m_list = newListView({"   Port ", "Power PSE TLV"}, this);
    m_list->setObjectName(QStringLiteral("list"));
    m_apply = pushButton(QStringLiteral("&Apply"), "apply", this);
    QPushButton* refreshButton = pushButton(QStringLiteral("&Refresh"), "refresh", this);
    QPushButton* closeButton = pushButton(QStringLiteral("&Close"), "close", this);
    connect(m_apply, &QPushButton::clicked, this, &CLldpMedDialog::apply);
    connect(refreshButton, &QPushButton::clicked, this, &CLldpMedDialog::refresh);
    connect(closeButton, &QPushButton::clicked, this, &QDialog::reject);

    auto* settings = new QHBoxLayout;
    settings->addWidget(m_range);
    settings->addWidget(captionFor(m_pseTlv, QStringLiteral("Power PSE TLV")));
    settings->addWidget(m_pseTlv);
    settings->addWidget(m_apply);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(refreshButton);
    buttons->addWidget(closeButton);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(settings);
    layout->addWidget(m_list);
    layout->addLayout(buttons);
    setWindowTitle(QStringLiteral("LLDP MED Settings"));
    // Apply is refused while LLDP is off: only a clean state read says it is on.
    needs(m_apply, {m_stateRead});
    waitsFor(refreshButton, {m_stateRead, m_portRead});
    refresh();
}

void CLldpMedDialog::enableEditing(bool enabled)
{
    for (QWidget* control : {static_cast<QWidget*>(m_range->fromCombo()), static_cast<QWidget*>(m_range->toCombo()),
                             static_cast<QWidget*>(m_pseTlv), static_cast<QWidget*>(m_apply)})
        control->setEnabled(enabled);
}

void CLldpMedDialog::refresh()
{
    startGet(
        m_cCommonSNMPEnable, lldpStateRead(),
        [this](int, const std::vector<std::string>& state) {
            const bool disabled = !state.empty() && state[0] == "2";
            if (disabled)
                platform::prompter().warn(kLldpDisabledMessage, {});
            enableEditing(!disabled);
            walkPorts();
        },
        m_stateRead);
}

void CLldpMedDialog::walkPorts()
{
    m_list->clear();
    startWalk(m_cCommonSNMP, pseTlvWalk(), [this](const WalkRow& row) {
        appendRow(m_list, {std::to_string(m_list->topLevelItemCount() + 1), pseTlvText(row.values[0])});
    }, {}, m_portRead);
}

void CLldpMedDialog::apply()
{
    if (!readsWhole({m_stateRead}))
        return;
    const bool enable = m_pseTlv->currentIndex() == kEnableItem;
    std::vector<Bindings> sets;
    for (int port : m_range->ports())
        sets.push_back(pseTlvSet(port, enable));
    runWrite(
        [&session = m_cCommonSNMPSet, sets = std::move(sets)](WriteContext& write) {
            const int total = static_cast<int>(sets.size());
            for (int i = 0; i < total; ++i) {
                write.progress(i + 1, total);
                write.setByGetNext(session, sets[static_cast<std::size_t>(i)]);
            }
            write.pause(std::chrono::milliseconds(kPseTlvSettleMs));
        },
        [this] { walkPorts(); });
}

} // namespace dialogs::management
