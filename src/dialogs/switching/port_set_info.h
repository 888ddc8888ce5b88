#pragma once

#include "dialogs/dialog_base.h"
#include "dialogs/switching/port_config_rules.h"

#include <string>
#include <vector>

class QComboBox;
class QLineEdit;
class QPushButton;
class QTreeWidget;

namespace dialogs::switching {

// "Port Configuration": every port's speed, duplex, flow control and default
// priority; speed and flow control of one port at a time are changed.
class CPortSetInfo : public CDialogBase {
    Q_OBJECT
public:
    explicit CPortSetInfo(const PortLayout& layout, QWidget* parent = nullptr);

    // Both walks: aggregated links, then the port table.
    void refresh();
    // Makes list row `row` the current one, as a click does.
    void selectRow(int row);
    // False when nothing was sent.
    bool apply();

    QTreeWidget* list() const { return m_list; }

private:
    void readPortTable();
    void addRow(const WalkRow& row);
    // Fills the controls from list row `row`.
    void showRow(int row);
    bool selectedRowWritable() const;
    void updateApply();
    PortTableState tableState() const;

    PortLayout m_layout;
    AggregatedLinks m_links;
    std::vector<int> m_media;      // per port
    std::vector<PortRow> m_rows;   // as listed
    std::string m_selectedPort;
    CDialogSession& m_cCommonSNMP;
    CDialogSession& m_cCommonSNMPTable;
    CDialogSession& m_cCommonSNMPTrunk;
    ReadId m_linkRead;
    ReadId m_portRead;
    ReadId m_pathRead = kUndeclared;
    QTreeWidget* m_list;
    QLineEdit* m_portId;
    QComboBox* m_ctrlSpeed;
    QComboBox* m_flowControl;
    QPushButton* m_apply;
    QPushButton* m_refresh;
};

} // namespace dialogs::switching
