#include "dialogs/management/time_range_dialog.h"

#include "dialogs/management/time_range_editor_dialog.h"
#include "dialogs/widgets.h"
#include "platform/prompter.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace dialogs::management {

CTimeRangeListDialog::CTimeRangeListDialog(QWidget* parent)
    : CDialogBase(parent), m_cCommonSNMP(addSession("m_cCommonSNMP")), m_cCommonSNMPSet(addSession("m_cCommonSNMPSet")),
      m_read(declareRead("time ranges", timeRangeTableRead()))
{
    m_list = newListView(timeRangeHeaders(), this);
    auto* buttons = new QHBoxLayout;
    const std::pair<const char*, void (CTimeRangeListDialog::*)()> actions[] = {
        {"&Add", &CTimeRangeListDialog::add},
        {"&Edit", &CTimeRangeListDialog::edit},
        {"&Delete", &CTimeRangeListDialog::remove},
        {"&Refresh", &CTimeRangeListDialog::refresh}};
    for (const auto& [caption, action] : actions) {
        QString name = QString::fromLatin1(caption).remove(QLatin1Char('&')).toLower();
        auto* button = pushButton(QString::fromLatin1(caption), name.toLatin1().constData(), this);
        connect(button, &QPushButton::clicked, this, action);
        buttons->addWidget(button);
        m_buttons.push_back(button);
    }
    QPushButton* close = pushButton(QStringLiteral("&Close"), "close", this);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    buttons->addStretch();
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
    layout->addLayout(buttons);
    setWindowTitle(QStringLiteral("Time Range Information"));
    // Add picks a free index and checks names against the rows read; Edit and Delete act on a listed one.
    for (QPushButton* button : m_buttons) {
        if (button->objectName() == QLatin1String("refresh"))
            waitsFor(button, {m_read});
        else
            needs(button, {m_read});
    }
    refresh();
}

void CTimeRangeListDialog::refresh()
{
    m_rows.clear();
    m_listed.clear();
    m_list->clear();
    startWalk(
        m_cCommonSNMP, timeRangeTableRead(),
        [this](const WalkRow& row) {
            m_rows.push_back(rememberRange(row));
            if (const auto texts = timeRangeListTexts(m_rows.back(), row.values)) {
                appendRow(m_list, *texts);
                m_listed.push_back(m_rows.back().index);
            }
        },
        {}, m_read);
}

std::optional<int> CTimeRangeListDialog::selectedIndex(const char* message)
{
    if (!readsWhole({m_read}))
        return std::nullopt;
    if (m_list->topLevelItemCount() == 0) {
        platform::prompter().warn(message, {});
        return std::nullopt;
    }
    const int line = m_list->indexOfTopLevelItem(m_list->currentItem());
    if (line < 0 || !m_list->currentItem()->isSelected() || line >= static_cast<int>(m_listed.size())) {
        platform::prompter().inform(message, {});
        return std::nullopt;
    }
    return m_listed[static_cast<std::size_t>(line)];
}

void CTimeRangeListDialog::add()
{
    if (!readsWhole({m_read}))
        return;
    openEditor(std::nullopt);
}

void CTimeRangeListDialog::edit()
{
    if (const auto index = selectedIndex("Please select the Time Range to be edit!"))
        openEditor(index);
}

void CTimeRangeListDialog::remove()
{
    const auto index = selectedIndex("Please select the Time Range to be deleted!");
    if (!index)
        return;
    runWrite([&session = m_cCommonSNMPSet, bindings = timeRangeStatusSet(*index, 6)](
                 WriteContext& write) { write.set(session, bindings); },
             [this] { refresh(); });
}

void CTimeRangeListDialog::openEditor(std::optional<int> index)
{
    {
        CTimeBasedPoeConfigDialog editor(m_rows, index, this);
        editor.exec();
    }
    refresh();
}

} // namespace dialogs::management
