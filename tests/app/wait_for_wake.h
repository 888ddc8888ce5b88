#pragma once

#include "app/instance_guard.h"

#include <QEventLoop>
#include <QTimer>

// Runs the event loop until the guard reports a wake-up or five seconds pass.
inline bool waitForWake(app::InstanceGuard& guard)
{
    QEventLoop loop;
    bool woken = false;
    QObject::connect(&guard, &app::InstanceGuard::wakeRequested, &loop, [&] {
        woken = true;
        loop.quit();
    });
    QTimer::singleShot(5000, &loop, &QEventLoop::quit);
    loop.exec();
    return woken;
}
