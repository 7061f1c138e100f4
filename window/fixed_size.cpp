// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/fixed_size.h"

#include <QEvent>
#include <QWidget>

namespace window {
namespace {

constexpr Qt::WindowStates kLarger = Qt::WindowMaximized | Qt::WindowFullScreen;

// A window manager may maximise or resize any window, whatever size limits and
// buttons the window states: Weston's shortcuts do, with or without telling the
// window that it is maximised. The window cannot refuse; it asks for its normal
// state and its size back.
class FixedSizeKeeper : public QObject {
public:
    explicit FixedSizeKeeper(QWidget& window) : QObject(&window), window_(window) {
        window.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != &window_)
            return false;
        if (event->type() == QEvent::WindowStateChange && (window_.windowState() & kLarger))
            window_.setWindowState(window_.windowState() & ~kLarger);
        else if (event->type() == QEvent::Resize && window_.size() != window_.maximumSize())
            window_.resize(window_.maximumSize());
        return false;
    }

private:
    QWidget& window_;
};

} // namespace

void KeepFixedSize(QWidget& window) {
    new FixedSizeKeeper(window);
}

} // namespace window
