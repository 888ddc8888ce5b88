#include "platform/prompter.h"

#include <atomic>
#include <cstdio>

namespace platform {
namespace {

// Used before the program installs its own: writes the texts to stderr and
// answers Cancel, the safe default of every question.
class StderrPrompter final : public Prompter {
public:
    void inform(const std::string& text, const std::string&) override { std::fprintf(stderr, "%s\n", text.c_str()); }
    void warn(const std::string& text, const std::string&) override { std::fprintf(stderr, "%s\n", text.c_str()); }
    bool askOkCancel(const std::string& text, const std::string&) override
    {
        std::fprintf(stderr, "%s\n", text.c_str());
        return false;
    }
};

StderrPrompter g_fallback;
std::atomic<Prompter*> g_prompter{nullptr};

} // namespace

Prompter& prompter()
{
    Prompter* p = g_prompter.load(std::memory_order_acquire);
    return p ? *p : g_fallback;
}

void setPrompter(Prompter* p)
{
    g_prompter.store(p, std::memory_order_release);
}

} // namespace platform
