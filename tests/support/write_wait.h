#pragma once

#include "dialogs/dialog_base.h"
#include "qt_wait.h"

// Processes events until the dialog's write sequence, if any, has ended.
inline bool waitForWrite(const dialogs::CDialogBase& dialog, int limitMs = 10000)
{
    return waitUntil([&] { return !dialog.writing(); }, limitMs);
}

// Processes events until the dialog's gets, if any, have ended.
inline bool waitForReads(const dialogs::CDialogBase& dialog, int limitMs = 10000)
{
    return waitUntil([&] { return !dialog.reading(); }, limitMs);
}
