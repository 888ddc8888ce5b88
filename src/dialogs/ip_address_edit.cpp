#include "dialogs/ip_address_edit.h"

#include <QHBoxLayout>
#include <QRegularExpressionValidator>
#include <QLabel>
#include <QLineEdit>

namespace dialogs {
namespace {

const QRegularExpression kOctet(QStringLiteral("25[0-5]|2[0-4][0-9]|1[0-9][0-9]|[0-9]{1,2}"));

} // namespace

CIpAddressEdit::CIpAddressEdit(QWidget* parent) : QWidget(parent)
{
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    for (std::size_t i = 0; i < m_fields.size(); ++i) {
        if (i > 0)
            layout->addWidget(new QLabel(QStringLiteral("."), this));
        auto* field = new QLineEdit(this);
        field->setMaxLength(3);
        // An integer validator lets "256" stand as intermediate input.
        field->setValidator(new QRegularExpressionValidator(kOctet, field));
        field->setAlignment(Qt::AlignCenter);
        field->setObjectName(QStringLiteral("octet%1").arg(i));
        layout->addWidget(field);
        m_fields[i] = field;
        connect(field, &QLineEdit::textChanged, this, &CIpAddressEdit::textChanged);
        // Three digits complete an octet: go on to the next field.
        if (i > 0) {
            QLineEdit* previous = m_fields[i - 1];
            connect(previous, &QLineEdit::textEdited, field, [previous, field](const QString& text) {
                if (text.size() == 3 && previous->hasFocus())
                    field->setFocus();
            });
        }
    }
    setFocusProxy(m_fields[0]);
}

void CIpAddressEdit::setCaption(const QString& caption)
{
    QString name = caption.trimmed();
    if (name.endsWith(QLatin1Char(':')))
        name = name.chopped(1).trimmed();
    for (std::size_t i = 0; i < m_fields.size(); ++i)
        m_fields[i]->setAccessibleName(QStringLiteral("%1 octet %2").arg(name).arg(i + 1));
}

QString CIpAddressEdit::text() const
{
    QStringList parts;
    for (const QLineEdit* field : m_fields)
        parts << (field->text().isEmpty() ? QString() : QString::number(field->text().toInt()));
    return parts.join(QLatin1Char('.'));
}

void CIpAddressEdit::setText(const QString& dotted)
{
    const QStringList parts = dotted.split(QLatin1Char('.'));
    for (std::size_t i = 0; i < m_fields.size(); ++i) {
        const QString part = i < static_cast<std::size_t>(parts.size()) ? parts[static_cast<int>(i)].trimmed() : QString();
        bool ok = false;
        const int value = part.toInt(&ok);
        m_fields[i]->setText(ok && value >= 0 && value <= 255 ? QString::number(value) : QString());
    }
}

void CIpAddressEdit::clear()
{
    for (QLineEdit* field : m_fields)
        field->clear();
}

bool CIpAddressEdit::hasBlankField() const
{
    for (const QLineEdit* field : m_fields)
        if (field->text().isEmpty())
            return true;
    return false;
}

bool CIpAddressEdit::isBlank() const
{
    for (const QLineEdit* field : m_fields)
        if (!field->text().isEmpty())
            return false;
    return true;
}

} // namespace dialogs
