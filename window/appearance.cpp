#include "window/appearance.h"

#include "window/qt_text.h"
#include "window/texts.h"

#include <QApplication>
#include <QIcon>
#include <QStyleFactory>

namespace window {

void ApplyAppearance(QApplication& app) {
    QApplication::setApplicationName(QStringLiteral("chislova-redica"));
    QGuiApplication::setDesktopFileName(QStringLiteral("org.example.ChislovaRedica"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/chislova-redica.png")));
    // A desktop theme may paint text boxes in its own colours; Fusion keeps ours.
    if (QStyle* fusion = QStyleFactory::create(QStringLiteral("Fusion")))
        app.setStyle(fusion);
}

} // namespace window
