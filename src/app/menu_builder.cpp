#include "app/menu_builder.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>

namespace app {
namespace {

void addItems(QMenu& menu, const std::vector<commands::MenuItem>& items, const commands::CommandTable& commands,
              const std::function<void(int)>& trigger, QHash<int, QAction*>& actions)
{
    for (const commands::MenuItem& item : items) {
        switch (item.kind) {
        case commands::MenuItem::Kind::Separator:
            menu.addSeparator();
            break;
        case commands::MenuItem::Kind::Submenu:
            addItems(*menu.addMenu(QString::fromStdString(item.caption)), item.items, commands, trigger, actions);
            break;
        case commands::MenuItem::Kind::Command: {
            QAction* action = menu.addAction(QString::fromStdString(item.caption));
            const int id = item.id;
            action->setData(id);
            if (!item.shortcut.empty())
                action->setShortcut(QKeySequence(QString::fromStdString(item.shortcut)));
            action->setEnabled(commands.isEnabled(id));
            QObject::connect(action, &QAction::triggered, action, [trigger, id] { trigger(id); });
            actions.insert(id, action);
            break;
        }
        }
    }
}

} // namespace

QHash<int, QAction*> buildMenuBar(QMenuBar& bar, const std::vector<commands::MenuItem>& menu, const commands::CommandTable& commands,
                                  const std::function<void(int)>& trigger)
{
    QHash<int, QAction*> actions;
    for (const commands::MenuItem& popup : menu) {
        QMenu* top = bar.addMenu(QString::fromStdString(popup.caption));
        addItems(*top, popup.items, commands, trigger, actions);
    }
    return actions;
}

} // namespace app
