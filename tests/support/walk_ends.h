#pragma once

#include "dialogs/dialog_base.h"
#include "qt_wait.h"

#include <gtest/gtest.h>

// Counts a dialog's walk ends from its construction on, so none is missed
// between two waits.
class WalkEnds {
public:
    explicit WalkEnds(dialogs::CDialogBase& dialog)
    {
        QObject::connect(&dialog, &dialogs::CDialogBase::walkEnded, &m_context, [this] { ++m_count; });
    }
    // Waits until `count` more walks have ended.
    void wait(int count)
    {
        m_taken += count;
        EXPECT_TRUE(waitUntil([&] { return m_count >= m_taken; }));
    }

private:
    QObject m_context;
    int m_count = 0;
    int m_taken = 0;
};
