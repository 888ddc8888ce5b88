#pragma once

#include <QWidget>

#include <vector>

class QComboBox;
class QLabel;

namespace dialogs {

// The "From Port" / "To Port" pair of combos. Choosing a From port moves To
// to it; choosing a To port below From says "'To Port' can not be smaller
// than 'From Port'" and, once the message is closed, sets To to From.
class CPortRangeControl : public QWidget {
    Q_OBJECT
public:
    // Ports 1..portCount; captions as the dialog shows them ("From Port:").
    CPortRangeControl(const QString& fromCaption, const QString& toCaption, int portCount, QWidget* parent = nullptr);

    // Offers exactly these ports, ascending.
    void setPorts(const std::vector<int>& ports);
    void setRange(int from, int to);
    int from() const;
    int to() const;
    // Every port from From to To.
    std::vector<int> ports() const;

    QComboBox* fromCombo() const { return m_from; }
    QComboBox* toCombo() const { return m_to; }

signals:
    void rangeChanged();

private:
    void fromChosen(int index);
    void toChosen(int index);

    QComboBox* m_from;
    QComboBox* m_to;
};

} // namespace dialogs
