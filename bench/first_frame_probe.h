// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QApplication>
#include <QEvent>
#include <QObject>
#include <QScreen>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <ctime>

// Watches a window for its first paint, lets the painted frame reach the
// screen, then prints the monotonic clock and the processor time the process has
// used, in nanoseconds, and ends the program. The benchmark compares that time
// with when it started the process.
class FirstFrameProbe : public QObject {
public:
    explicit FirstFrameProbe(QWidget& window) { window.installEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && !painted_) {
            painted_ = true;
            watched->removeEventFilter(this);
            QTimer::singleShot(0, [] {
                timespec now{};
                timespec used{};
                clock_gettime(CLOCK_MONOTONIC, &now);
                clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &used);
                std::printf("first-frame-ns %lld cpu-ns %lld\n", Nanoseconds(now),
                            Nanoseconds(used));
                std::fflush(stdout);
                QApplication::quit();
            });
        }
        return false;
    }

private:
    static long long Nanoseconds(const timespec& time) {
        return static_cast<long long>(time.tv_sec) * 1000000000LL + time.tv_nsec;
    }

    bool painted_ = false;
};

// Where the program opens its window: centred on the screen. A virtual display
// starts with the pointer in its middle, so a baseline window left in the corner
// would be spared what the program pays there, such as loading the text cursor
// of the box under the pointer from the cursor theme.
inline void CentreOnScreen(QWidget& window) {
    const QRect area = window.screen()->availableGeometry();
    window.move(area.x() + (area.width() - window.width()) / 2,
                area.y() + (area.height() - window.height()) / 2);
}
