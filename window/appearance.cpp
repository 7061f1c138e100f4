// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/appearance.h"

#include <QApplication>
#include <QStyle>
#include <QStyleFactory>

namespace window {

void ApplyAppearance(QApplication& app) {
    QApplication::setApplicationName(QStringLiteral("chislova-redica"));
    QGuiApplication::setDesktopFileName(QStringLiteral("org.example.ChislovaRedica"));
    // A desktop theme may paint text boxes in its own colours; Fusion keeps ours.
    // Most desktops without a theme of their own already use it.
    const QString fusion = QStringLiteral("fusion");
    if (app.style()->name().compare(fusion, Qt::CaseInsensitive) != 0)
        if (QStyle* style = QStyleFactory::create(fusion))
            app.setStyle(style);
}

} // namespace window
