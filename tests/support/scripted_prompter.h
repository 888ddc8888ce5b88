#pragma once

#include "platform/prompter.h"

#include <deque>
#include <string>
#include <vector>

// Records every message box and answers questions from a script (Cancel
// when the script is empty). Installs itself for its lifetime.
class ScriptedPrompter final : public platform::Prompter {
public:
    enum class Kind { Inform, Warn, Ask };
    struct Shown {
        Kind kind;
        std::string text;
        std::string caption;
    };

    ScriptedPrompter() { platform::setPrompter(this); }
    ~ScriptedPrompter() override { platform::setPrompter(nullptr); }

    void answer(bool ok) { m_answers.push_back(ok); }

    void inform(const std::string& text, const std::string& caption) override { m_shown.push_back({Kind::Inform, text, caption}); }
    void warn(const std::string& text, const std::string& caption) override { m_shown.push_back({Kind::Warn, text, caption}); }
    bool askOkCancel(const std::string& text, const std::string& caption) override
    {
        m_shown.push_back({Kind::Ask, text, caption});
        if (m_answers.empty())
            return false;
        bool ok = m_answers.front();
        m_answers.pop_front();
        return ok;
    }

    const std::vector<Shown>& shown() const { return m_shown; }
    std::vector<std::string> texts() const
    {
        std::vector<std::string> out;
        for (const auto& s : m_shown)
            out.push_back(s.text);
        return out;
    }
    void clear() { m_shown.clear(); }

private:
    std::deque<bool> m_answers;
    std::vector<Shown> m_shown;
};
