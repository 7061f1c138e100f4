// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/application_setup.h"

#include "window/frame_style.h"

#include <QApplication>
#include <QStyleFactory>

namespace window {

void SetUpApplication(QApplication& app) {
    QApplication::setApplicationName(QStringLiteral("chislova-redica"));
    QGuiApplication::setDesktopFileName(QStringLiteral("org.example.ChislovaRedica"));
    // A desktop theme may paint text boxes in its own colours; Fusion keeps ours.
    app.setStyle(new FrameStyle(QStyleFactory::create(QStringLiteral("fusion"))));
}

} // namespace window
