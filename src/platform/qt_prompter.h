#pragma once

#include "platform/prompter.h"

namespace platform {

// The program's message boxes: QMessageBox on the calling (UI) thread.
class QtPrompter final : public Prompter {
public:
    void inform(const std::string& text, const std::string& caption) override;
    void warn(const std::string& text, const std::string& caption) override;
    bool askOkCancel(const std::string& text, const std::string& caption) override;
};

} // namespace platform
