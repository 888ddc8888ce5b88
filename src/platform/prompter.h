#pragma once

#include <string>

// Every message box of the program goes through one Prompter, so tests can
// script the answers and record the texts.
namespace platform {

class Prompter {
public:
    virtual ~Prompter() = default;
    virtual void inform(const std::string& text, const std::string& caption) = 0;
    virtual void warn(const std::string& text, const std::string& caption) = 0;
    // OK/Cancel question with Cancel as the default; true for OK.
    virtual bool askOkCancel(const std::string& text, const std::string& caption) = 0;
};

// The program's prompter; installed once at start-up (or by a test).
Prompter& prompter();
void setPrompter(Prompter* prompter);

} // namespace platform
