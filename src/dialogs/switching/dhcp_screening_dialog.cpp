#include "dialogs/switching/dhcp_screening_dialog.h"

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

namespace dialogs::switching {

CDhcpScreeningDialog::CDhcpScreeningDialog(int portCount, QWidget* parent)
    : CDialogBase(parent),
      m_portCount(portCount),
      m_states(static_cast<std::size_t>(std::max(portCount, 0)), kScreeningDisabled),
      m_links(portCount),
      m_cCommonSNMP(addSession("m_cCommonSNMP")),
      m_cCommonSNMPTable(addSession("m_cCommonSNMPTable"))
{
    m_list = newListView({"Port", "State"}, this);
    m_list->setColumnWidth(0, 100);
    m_list->setColumnWidth(1, 400);
    m_range = new CPortRangeControl(QStringLiteral("From Port"), QStringLiteral("To Port"), portCount, this);
    m_state = new QComboBox(this);
    m_state->setObjectName(QStringLiteral("state"));
    m_state->addItems(qTexts(dhcpScreeningStateItems()));
    m_apply = pushButton(QStringLiteral("&Apply"), "apply", this);
    QPushButton* refreshButton = pushButton(QStringLiteral("&Refresh"), "refresh", this);
    QPushButton* close = pushButton(QStringLiteral("&Close"), "close", this);

    auto* settings = new QHBoxLayout;
    settings->addWidget(m_range);
    settings->addWidget(captionFor(m_state, QStringLiteral("State")));
    settings->addWidget(m_state);
    settings->addStretch();
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_apply);
    buttons->addWidget(refreshButton);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
    layout->addLayout(settings);
    layout->addLayout(buttons);

    connect(m_apply, &QPushButton::clicked, this, &CDhcpScreeningDialog::apply);
    connect(refreshButton, &QPushButton::clicked, this, &CDhcpScreeningDialog::refresh);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);

    setWindowTitle(QStringLiteral("DHCP Server Screening Port Settings"));
    resize(560, 420);
    m_range->setRange(1, portCount);
    m_state->setCurrentIndex(0);
    updateApply();
    readAggregatedLinks(m_cCommonSNMPTable, m_links, [this] {
        updateApply();
        refresh();
    });
}

void CDhcpScreeningDialog::refresh()
{
    startGet(
        m_cCommonSNMP, dhcpScreeningRead(),
        [this](int status, const std::vector<std::string>& values) {
            if (status == snmp::kStatusOk) {
                // A failed or garbled read leaves the states as they were.
                if (auto states = decodeDhcpScreening(values, m_portCount)) {
                    m_states = std::move(*states);
                    m_statesRead = true;
                }
            }
            showStates();
            updateApply();
        },
        {m_apply, findChild<QPushButton*>(QStringLiteral("refresh"))});
}

void CDhcpScreeningDialog::showStates()
{
    m_list->clear();
    for (std::size_t i = 0; i < m_states.size(); ++i)
        appendRow(m_list, {std::to_string(i + 1), dhcpScreeningStateText(m_states[i])});
}

void CDhcpScreeningDialog::updateApply()
{
    m_apply->setEnabled(m_links.known() && m_statesRead);
}

void CDhcpScreeningDialog::apply()
{
    if (!m_links.known() || !m_statesRead)
        return;
    const int state = m_state->currentIndex() == 1 ? kScreeningEnabled : kScreeningDisabled;
    DhcpScreeningChange change = changeDhcpScreening(m_states, m_range->from(), m_range->to(), state, m_links);
    if (!change.refusal.empty()) {
        platform::prompter().warn(change.refusal, {});
        return;
    }
    m_states = std::move(change.states);
    runWrite([&session = m_cCommonSNMP, bindings = dhcpScreeningSet(m_states, m_portCount)](
                 WriteContext& write) { write.set(session, bindings); },
             [this] { refresh(); });
}

} // namespace dialogs::switching
