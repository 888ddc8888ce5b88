#pragma once

#include "dialogs/dialog_base.h"

#include <string>

namespace dialogs {

// The module's About box.
class CAboutDialog : public CDialogBase {
    Q_OBJECT
public:
    explicit CAboutDialog(const std::string& deviceName, QWidget* parent = nullptr);
};

} // namespace dialogs
