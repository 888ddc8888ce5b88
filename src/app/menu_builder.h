#pragma once

#include "commands/command_table.h"

#include <QHash>

#include <functional>
#include <vector>

class QAction;
class QMenuBar;

namespace app {

// Fills the menu bar from the menu model: every caption, separator and
// submenu in order, each action carrying its command id as data. Commands the
// table cannot run are shown disabled. `trigger` receives the id.
QHash<int, QAction*> buildMenuBar(QMenuBar& bar, const std::vector<commands::MenuItem>& menu, const commands::CommandTable& commands,
                                  const std::function<void(int)>& trigger);

} // namespace app
