// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/fixed_size.h"

#include <QEvent>
#include <QGuiApplication>
#include <QLibraryInfo>
#include <QVersionNumber>
#include <QWidget>

namespace window {
namespace {

constexpr Qt::WindowStates kLarger = Qt::WindowMaximized | Qt::WindowFullScreen;

bool OnWayland() {
    return QGuiApplication::platformName() == QLatin1String("wayland");
}

// Until 6.7 Qt's Wayland plugin holds a window to its size limits even where the
// compositor has maximised it, and a maximised window that keeps another size is
// a protocol error for which Weston cuts the program off.
bool WaylandHoldsToSizeLimits() {
    return OnWayland() && QLibraryInfo::version() < QVersionNumber(6, 7);
}

// A window manager may maximise or resize any window, whatever size limits and
// buttons the window states: Weston's shortcuts do, and over Wayland so does the
// maximise button of the frame Qt draws itself. The window cannot refuse; it asks
// for its normal state and its size back.
//
// Over X11 it asks straight away. Over Wayland a maximised window must first take
// the size it was given and show it: the compositor knows it as maximised only from
// that frame on, and until then it ignores a request for the normal state.
class FixedSizeKeeper : public QObject {
public:
    explicit FixedSizeKeeper(QWidget& window)
        : QObject(&window), window_(window), size_(window.maximumSize()), wayland_(OnWayland()) {
        if (WaylandHoldsToSizeLimits()) {
            window.setMinimumSize(0, 0);
            window.setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        }
        window.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != &window_)
            return false;
        const bool larger = window_.windowState() & kLarger;
        switch (event->type()) {
        case QEvent::WindowStateChange:
            if (larger && wayland_)
                restoreAfterPaint_ = true;
            else if (larger)
                restore();
            break;
        case QEvent::Paint:
            // Once the frame at the size given is drawn, it is sent before anything
            // the window asks afterwards.
            if (restoreAfterPaint_ && larger && window_.size() != size_) {
                restoreAfterPaint_ = false;
                QMetaObject::invokeMethod(this, &FixedSizeKeeper::restore, Qt::QueuedConnection);
            }
            break;
        case QEvent::Resize:
            // Over Wayland a maximised window keeps the size it was given until the
            // compositor puts it back.
            if (!(larger && wayland_) && window_.size() != size_)
                window_.resize(size_);
            break;
        default:
            break;
        }
        return false;
    }

private:
    void restore() { window_.setWindowState(window_.windowState() & ~kLarger); }

    QWidget& window_;
    const QSize size_;
    const bool wayland_;
    bool restoreAfterPaint_ = false;
};

} // namespace

void KeepFixedSize(QWidget& window) {
    new FixedSizeKeeper(window);
}

} // namespace window
