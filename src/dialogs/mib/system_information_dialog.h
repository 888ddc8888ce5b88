#pragma once

#include "dialogs/dialog_base.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace dialogs::mib {

// "System Information": the system group, with name and location writable.
class CSystemInformationDialog : public CDialogBase {
    Q_OBJECT
public:
    explicit CSystemInformationDialog(QWidget* parent = nullptr);

    void refresh();
    void apply();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void showAnswer(const WalkRow& row);

    CDialogSession& m_cCommonSNMP;
    CDialogSession& m_cCommonSNMPSet;
    ReadId m_read;
    QLabel* m_description;
    QLabel* m_objectId;
    QLabel* m_runtime;
    QLineEdit* m_contact;
    QLineEdit* m_name;
    QLineEdit* m_location;
    QPushButton* m_apply;
    // Apply waits for a first read: blank fields are no name to write.
};

} // namespace dialogs::mib
