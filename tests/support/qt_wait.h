#pragma once

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

// Processes events until `done` holds; false when `limitMs` passed first.
template <typename Done>
bool waitUntil(Done done, int limitMs = 10000)
{
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() > limitMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(1);
    }
    return true;
}

// Processes events for a while, so that anything still under way arrives.
inline void settle(int ms = 100)
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < ms) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(1);
    }
}
