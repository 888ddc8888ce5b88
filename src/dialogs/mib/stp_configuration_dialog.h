#pragma once

#include "dialogs/dialog_base.h"
#include "dialogs/mib/stp_rules.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace dialogs::mib {

// " STP Configuration ": the bridge's spanning tree values and settings.
class CStpConfigurationDialog : public CDialogBase {
    Q_OBJECT
public:
    explicit CStpConfigurationDialog(int portCount, QWidget* parent = nullptr);

    void read();
    void apply();
    void openPortSetting();

private:
    void showAnswer(const WalkRow& row);
    void enableEditing(bool enabled);
    StpBridgeSettings settings() const;

    int m_portCount;
    CDialogSession& m_cCommonSNMP;
    CDialogSession& m_cCommonSNMPSet;
    ReadId m_read;
    QCheckBox* m_enable;
    QComboBox* m_version;
    QComboBox* m_priority;
    QLineEdit* m_maxAge;
    QLineEdit* m_forwardDelay;
    QLineEdit* m_helloTime;
    QLabel* m_timeSinceChange;
    QLabel* m_topologyChanges;
    QLabel* m_designatedRoot;
    QLabel* m_rootPort;
    QLabel* m_currentHelloTime;
    QLabel* m_holdTime;
    QLabel* m_currentForwardDelay;
    QPushButton* m_portSetting;
    QPushButton* m_apply;
};

} // namespace dialogs::mib
