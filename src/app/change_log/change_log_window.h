#pragma once

#include "journal/journal_reader.h"

#include <QSettings>
#include <QWidget>

#include <functional>
#include <memory>
#include <vector>

class QCheckBox;
class QComboBox;
class QDateTimeEdit;
class QLabel;
class QSpinBox;
class QTreeWidget;
class QTreeWidgetItem;

namespace app {

struct ChangeLogWindowSetup {
    QString databasePath;                              // journal::databasePath() when empty
    std::function<std::unique_ptr<QSettings>()> settings; // app::moduleSettings when empty
    // The file "Export CSV..." writes; "" cancels. QFileDialog when empty.
    std::function<QString(QWidget* parent)> askExportFile;
};

// The change journal, newest first, filtered by switch and time; the current
// request's bindings and outcome; CSV export; the journal's settings.
class ChangeLogWindow final : public QWidget {
    Q_OBJECT
public:
    // The newest requests the list shows; the export writes them all.
    static constexpr int kShownLimit = 10000;

    explicit ChangeLogWindow(ChangeLogWindowSetup setup = {}, QWidget* parent = nullptr);
    ~ChangeLogWindow() override;

    // Reads the journal again with the current filter.
    void refresh();
    journal::Filter filter(int limit) const;

signals:
    void shown();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildControls();
    void fillSwitches(const std::vector<journal::SwitchEntry>& switches);
    void showRequest(QTreeWidgetItem* item);
    void exportCsv();
    std::unique_ptr<QSettings> settings() const;

    ChangeLogWindowSetup m_setup;
    std::vector<journal::Request> m_requests;
    QComboBox* m_switch = nullptr;
    QDateTimeEdit* m_since = nullptr;
    QCheckBox* m_allTime = nullptr;
    QTreeWidget* m_requestList = nullptr;
    QLabel* m_outcome = nullptr;
    QTreeWidget* m_bindingList = nullptr;
    QLabel* m_status = nullptr;
    QCheckBox* m_enabled = nullptr;
    QSpinBox* m_maxRequests = nullptr;
    bool m_sinceChosen = false; // the user set "Since": refreshes keep it
};

// The one Change Log window of the process: shown and raised, built the first time.
ChangeLogWindow* showChangeLogWindow();
// Returns once that window is closed (at once when none is open).
void waitForChangeLogWindow();

} // namespace app
