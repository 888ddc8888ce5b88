#include "dialogs/port_range_control.h"

#include "dialogs/widgets.h"
#include "platform/prompter.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>

#include <numeric>

namespace dialogs {
namespace {

int portAt(const QComboBox* combo, int index)
{
    return index < 0 ? 0 : combo->itemData(index).toInt();
}

void choosePort(QComboBox* combo, int port)
{
    const int index = combo->findData(port);
    if (index >= 0)
        combo->setCurrentIndex(index);
}

} // namespace

CPortRangeControl::CPortRangeControl(const QString& fromCaption, const QString& toCaption, int portCount,
                                     QWidget* parent)
    : QWidget(parent), m_from(new QComboBox(this)), m_to(new QComboBox(this))
{
    m_from->setObjectName(QStringLiteral("fromPort"));
    m_to->setObjectName(QStringLiteral("toPort"));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(captionFor(m_from, fromCaption));
    layout->addWidget(m_from);
    layout->addWidget(captionFor(m_to, toCaption));
    layout->addWidget(m_to);
    std::vector<int> ports(static_cast<std::size_t>(std::max(portCount, 0)));
    std::iota(ports.begin(), ports.end(), 1);
    setPorts(ports);
    connect(m_from, &QComboBox::activated, this, &CPortRangeControl::fromChosen);
    connect(m_to, &QComboBox::activated, this, &CPortRangeControl::toChosen);
}

void CPortRangeControl::setPorts(const std::vector<int>& ports)
{
    for (QComboBox* combo : {m_from, m_to}) {
        combo->clear();
        for (int port : ports)
            combo->addItem(QString::number(port), port);
    }
}

void CPortRangeControl::setRange(int from, int to)
{
    choosePort(m_from, from);
    choosePort(m_to, to);
    emit rangeChanged();
}

int CPortRangeControl::from() const
{
    return portAt(m_from, m_from->currentIndex());
}

int CPortRangeControl::to() const
{
    return portAt(m_to, m_to->currentIndex());
}

std::vector<int> CPortRangeControl::ports() const
{
    std::vector<int> ports;
    const int first = from();
    const int last = to();
    for (int index = 0; index < m_from->count(); ++index) {
        const int port = portAt(m_from, index);
        if (port >= first && port <= last)
            ports.push_back(port);
    }
    return ports;
}

void CPortRangeControl::fromChosen(int index)
{
    m_to->setCurrentIndex(index);
    emit rangeChanged();
}

void CPortRangeControl::toChosen(int)
{
    if (to() < from()) {
        platform::prompter().warn("'To Port' can not be smaller than 'From Port'", {});
        m_to->setCurrentIndex(m_from->currentIndex());
    }
    emit rangeChanged();
}

} // namespace dialogs
