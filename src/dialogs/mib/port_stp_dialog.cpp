#include "dialogs/mib/port_stp_dialog.h"

#include "dialogs/aggregated_links.h"
#include "dialogs/text_number.h"
#include "dialogs/widgets.h"
#include "platform/prompter.h"
#include "snmp/common_snmp.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

namespace dialogs::mib {
namespace {

QString qText(const std::string& text)
{
    return QString::fromStdString(text);
}

} // namespace

CPortStpDialog::CPortStpDialog(std::vector<std::vector<std::string>> rows, int row, int portCount, QWidget* parent)
    : CDialogBase(parent),
      m_rows(std::move(rows)),
      m_row(row >= 0 && row < static_cast<int>(m_rows.size()) ? row : 0),
      m_links(portCount),
      m_cCommonSNMP(addSession("m_cCommonSNMP")),
      m_cCommonSNMPSet(addSession("m_cCommonSNMPSet")),
      m_cCommonSNMPTable(addSession("m_cCommonSNMPTable")),
      m_linkRead(declareRead("aggregated links", aggregatedLinkRead())),
      m_portRead(declareRead("port STP settings",
                             stpPortRead(m_rows.empty() ? "1" : stpPortRow(m_rows[static_cast<std::size_t>(m_row)]).port)))
{
    m_port = switchTextLabel("port", this);
    m_priority = new QComboBox(this);
    m_priority->setObjectName(QStringLiteral("priority"));
    m_priority->setEditable(true);
    for (const std::string& item : portPriorityItems())
        m_priority->addItem(qText(item));
    m_priority->setValidator(digitsOnly(m_priority));
    m_pathCost = new QLineEdit(this);
    m_pathCost->setObjectName(QStringLiteral("pathCost"));
    m_pathCost->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("-?[0-9]{0,10}")), m_pathCost));
    m_enable = new QCheckBox(this);
    m_enable->setObjectName(QStringLiteral("enable"));
    m_status = switchTextLabel("status", this);

    auto* grid = new QGridLayout;
    int line = 0;
    grid->addWidget(new QLabel(QStringLiteral("Port"), this), line, 0);
    grid->addWidget(m_port, line++, 1);
    const auto addControl = [&](QWidget* control, const QString& caption) {
        grid->addWidget(captionFor(control, caption), line, 0);
        grid->addWidget(control, line++, 1);
    };
    addControl(m_priority, QStringLiteral("Priority:"));
    addControl(m_pathCost, QStringLiteral("Cost:(1-200000000,\n0=auto)"));
    addControl(m_enable, QStringLiteral("Enable:"));
    grid->addWidget(new QLabel(QStringLiteral("Status:"), this), line, 0);
    grid->addWidget(m_status, line++, 1);
    for (const char* caption : {"Desig Root:", "Desig Cost:", "Desig Bridge:", "Desig Port:", "Forward:"}) {
        auto* value = switchTextLabel(caption, this);
        m_designated.push_back(value);
        grid->addWidget(new QLabel(QString::fromLatin1(caption), this), line, 0);
        grid->addWidget(value, line++, 1);
    }

    m_previous = pushButton(QStringLiteral("<= Prev Port"), "previous", this);
    m_next = pushButton(QStringLiteral("Next Port =>"), "next", this);
    m_apply = pushButton(QStringLiteral("&Apply"), "apply", this);
    m_ok = pushButton(QStringLiteral("&OK"), "ok", this);
    QPushButton* cancelButton = pushButton(QStringLiteral("&Cancel"), "cancel", this);
    cancelButton->setDefault(true);
    connect(m_previous, &QPushButton::clicked, this, [this] { move(-1); });
    connect(m_next, &QPushButton::clicked, this, [this] { move(1); });
    connect(m_apply, &QPushButton::clicked, this, &CPortStpDialog::apply);
    connect(m_ok, &QPushButton::clicked, this, [this] {
        apply();
        accept();
    });
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);

    auto* navigation = new QHBoxLayout;
    navigation->addWidget(m_previous);
    navigation->addWidget(m_next);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_apply);
    buttons->addWidget(m_ok);
    buttons->addWidget(cancelButton);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(navigation);
    layout->addLayout(buttons);

    // The link check and the values written back need both reads; moving on
    // waits for the shown port's get, so no earlier get's end stands for it.
    for (QWidget* write : {m_apply, m_ok})
        needs(write, {m_linkRead, m_portRead});
    waitsFor(m_previous, {m_portRead});
    waitsFor(m_next, {m_portRead});
    showWritable(false);
    readAggregatedLinks(m_cCommonSNMPTable, m_links, {}, m_linkRead);
    showRow();
    setWindowTitle(QStringLiteral(" Port STP Configuration"));
}

void CPortStpDialog::showRow()
{
    const PortNavigation navigation = portNavigation(m_row, static_cast<int>(m_rows.size()));
    m_previous->setEnabled(navigation.previous);
    m_next->setEnabled(navigation.next);
    if (m_rows.empty())
        return;
    const StpPortRow shown = stpPortRow(m_rows[static_cast<std::size_t>(m_row)]);
    m_port->setText(qText(shown.port));
    m_status->setText(qText(shown.status));
    const std::string designated[] = {shown.designatedRoot, shown.designatedCost, shown.designatedBridge,
                                      shown.designatedPort, shown.forwardings};
    for (std::size_t i = 0; i < m_designated.size(); ++i)
        m_designated[i]->setText(qText(designated[i]));

    // Nothing may be written until this port's values are in the controls.
    showWritable(false);
    startGet(m_cCommonSNMP, stpPortRead(shown.port), [this, row = m_row](int status, const std::vector<std::string>& values) {
        if (row != m_row) // moved on meanwhile: the next port's get follows
            return;
        const auto port = status == snmp::kStatusOk ? decodeStpPort(values) : std::nullopt;
        if (port) {
            m_priority->setEditText(qText(port->priority));
            m_pathCost->setText(qText(port->pathCost));
            m_enable->setChecked(port->enabled);
        }
        showWritable(port.has_value());
    }, m_portRead);
}

void CPortStpDialog::showWritable(bool writable)
{
    m_apply->setEnabled(writable);
    m_ok->setEnabled(writable);
}

StpPortSettings CPortStpDialog::settings() const
{
    return {typedNumber(textOf(m_priority->currentText())), typedNumber(textOf(m_pathCost->text())),
            m_enable->isChecked()};
}

int CPortStpDialog::linkOfCurrentPort() const
{
    if (m_rows.empty())
        return 0;
    const std::int64_t port = leadingNumber(m_rows[static_cast<std::size_t>(m_row)][0]);
    return port < 1 || port > m_links.portCount() ? 0 : m_links.linkOf(static_cast<int>(port));
}

bool CPortStpDialog::apply()
{
    if (m_rows.empty() || !m_apply->isEnabled())
        return false;
    const StpPortSettings s = settings();
    const StpPortRow shown = stpPortRow(m_rows[static_cast<std::size_t>(m_row)]);
    if (const std::string message = checkStpPort(s, linkOfCurrentPort(), shown); !message.empty()) {
        platform::prompter().warn(message, {});
        return false;
    }
    return runWrite([&session = m_cCommonSNMPSet, bindings = stpPortSet(shown.port, s)](WriteContext& write) {
        write.set(session, bindings);
    });
}

void CPortStpDialog::move(int step)
{
    const int row = m_row + step;
    if (row < 0 || row >= static_cast<int>(m_rows.size()))
        return;
    m_row = row;
    showRow();
}

} // namespace dialogs::mib
