// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/application_setup.h"

#include "window/frame_style.h"

#include <QAccessible>
#include <QApplication>
#include <QStyleFactory>

namespace window {

void SetUpApplication(QApplication& app) {
    QApplication::setApplicationName(QStringLiteral("chislova-redica"));
    QGuiApplication::setDesktopFileName(QStringLiteral("org.example.ChislovaRedica"));
    // Qt's accessibility bridge connects to the session bus when first asked. Where
    // none runs, D-Bus forks the process to start one, and after a fork the first
    // write to each page the process already had faults. Asked here, before the
    // fonts are loaded and the window is built, that is some 80 page faults fewer.
    QAccessible::isActive();
    // A desktop theme may paint text boxes in its own colours; Fusion keeps ours.
    app.setStyle(new FrameStyle(QStyleFactory::create(QStringLiteral("fusion"))));
}

} // namespace window
