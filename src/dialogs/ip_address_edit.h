#pragma once

#include <QWidget>

#include <array>

class QLineEdit;

namespace dialogs {

// The IP address control: four octet fields of 0..255 each.
class CIpAddressEdit : public QWidget {
    Q_OBJECT
public:
    explicit CIpAddressEdit(QWidget* parent = nullptr);

    // Dotted text of the four fields; a blank field stays blank ("10.1..1"):
    // a half-typed address is never completed with zeros.
    QString text() const;
    // Fills the fields from dotted text; a part that is no octet leaves its field blank.
    void setText(const QString& dotted);
    void clear();
    // True when at least one field is empty (the address is incomplete).
    bool hasBlankField() const;
    // True when every field is empty.
    bool isBlank() const;

    QLineEdit* field(int index) const { return m_fields[static_cast<std::size_t>(index)]; }
    // Names the octet fields after the control's caption ("Host IP octet 1"),
    // as a screen reader would otherwise read four unnamed edits.
    void setCaption(const QString& caption);

signals:
    void textChanged();

private:
    std::array<QLineEdit*, 4> m_fields{};
};

} // namespace dialogs
