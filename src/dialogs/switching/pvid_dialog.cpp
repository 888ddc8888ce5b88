#include "dialogs/switching/pvid_dialog.h"

#include "dialogs/text_number.h"
#include "dialogs/widgets.h"
#include "platform/prompter.h"
#include "snmp/common_snmp.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <chrono>
#include <memory>

namespace dialogs::switching {
namespace {

constexpr int kColumns = 4;
constexpr int kPvidLength = 4; // typed; a PVID read from the switch is shown whole

} // namespace

CPvidDialog::CPvidDialog(int portCount, std::vector<VlanEntry> vlans, QWidget* parent)
    : CResizableDialog(parent),
      m_portCount(std::max(portCount, 0)),
      m_vlans(std::move(vlans)),
      m_links(portCount),
      m_cCommonSNMP(addSession("m_cCommonSNMP")),
      m_cCommonSNMPTable(addSession("m_cCommonSNMPTable")),
      m_cCommonSNMPTrunk(addSession("m_cCommonSNMPTrunk")),
      m_linkRead(declareRead("aggregated links", aggregatedLinkRead())),
      m_pvidRead(declareRead("PVIDs", pvidRead()))
{
    auto* grid = new QGridLayout;
    const int rows = (m_portCount + kColumns - 1) / kColumns;
    for (int port = 1; port <= m_portCount; ++port) {
        auto* edit = new QLineEdit(this);
        edit->setObjectName(QStringLiteral("pvid_%1").arg(port));
        edit->setAccessibleName(QStringLiteral("PVID port %1").arg(port));
        edit->setMaxLength(kPvidLength);
        edit->setValidator(digitsOnly(edit));
        const int row = (port - 1) % rows;
        const int column = (port - 1) / rows * 2;
        grid->addWidget(captionFor(edit, QString::number(port)), row, column);
        grid->addWidget(edit, row, column + 1);
        m_edits.push_back(edit);
    }
    m_refresh = pushButton(QStringLiteral("&Refresh"), "refresh", this);
    m_apply = pushButton(QStringLiteral("Apply"), "apply", this);
    QPushButton* cancel = pushButton(QStringLiteral("Cancel"), "cancel", this);
    connect(m_refresh, &QPushButton::clicked, this, &CPvidDialog::refresh);
    connect(m_apply, &QPushButton::clicked, this, &CPvidDialog::apply);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_refresh);
    buttons->addStretch();
    buttons->addWidget(m_apply);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);
    setWindowTitle(QStringLiteral("PVID Configuration"));

    m_pathRead = readManagementPath([this] {
        readAggregatedLinks(m_cCommonSNMPTrunk, m_links, {}, m_linkRead);
        refresh();
    });
    needs(m_apply, {m_linkRead, m_pvidRead, m_pathRead});
    waitsFor(m_refresh, {m_linkRead, m_pvidRead, m_pathRead});
}

QLineEdit* CPvidDialog::pvidEdit(int port) const
{
    return port >= 1 && port <= m_portCount ? m_edits[static_cast<std::size_t>(port - 1)] : nullptr;
}

void CPvidDialog::refresh()
{
    // Apply waits for every port's PVID: a port left empty by a failed or
    // garbled read would be written back as a value nobody saw.
    for (QLineEdit* edit : m_edits)
        edit->clear();
    m_rowsRead = 0;
    m_pvidsValid = 0;
    m_read.assign(m_edits.size(), 0);
    startWalk(
        m_cCommonSNMPTable, pvidRead(),
        [this](const WalkRow& row) {
            if (m_rowsRead >= m_portCount)
                return;
            if (const auto pvid = decodePvid(row)) {
                setLimitedText(m_edits[static_cast<std::size_t>(m_rowsRead)], std::to_string(*pvid), kPvidLength);
                m_read[static_cast<std::size_t>(m_rowsRead)] = *pvid;
                ++m_pvidsValid;
            }
            ++m_rowsRead;
        },
        [this] { m_apply->setEnabled(m_pvidsValid == m_portCount); }, m_pvidRead);
}

std::vector<std::int64_t> CPvidDialog::pvids() const
{
    std::vector<std::int64_t> values;
    for (const QLineEdit* edit : m_edits)
        values.push_back(typedNumber(textOf(edit->text())));
    return values;
}

void CPvidDialog::apply()
{
    if (!readsWhole({m_linkRead, m_pvidRead, m_pathRead}) || m_pvidsValid != m_portCount)
        return;
    const std::vector<std::int64_t> values = pvids();
    if (const std::string refusal = checkPvids(values, m_links, m_vlans); !refusal.empty()) {
        platform::prompter().warn(refusal, {});
        return;
    }
    const std::vector<Bindings> sets = pvidSets(values);
    if (const std::string cut = pvidPathCut(managementPath(), sets, m_read);
        !cut.empty() && !acceptPathCut(managementPath(), cut))
        return;
    auto allWritten = std::make_shared<bool>(false);
    runWrite(
        [&session = m_cCommonSNMP, sets, allWritten](WriteContext& write) {
            const int total = static_cast<int>(sets.size());
            for (int port = 1; port <= total; ++port) {
                write.progress(port, total);
                if (write.set(session, sets[static_cast<std::size_t>(port - 1)]) != snmp::kStatusOk)
                    return;
                if (pauseAfterPvid(port, total))
                    write.pause(std::chrono::milliseconds(kPvidPauseMs));
            }
            *allWritten = true;
        },
        [this, allWritten] {
            if (*allWritten)
                accept();
        });
}

} // namespace dialogs::switching
