// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/appearance.h"

#include "window/frame_style.h"

#include <QApplication>
#include <QEvent>
#include <QHash>
#include <QPalette>
#include <QStyle>
#include <QStyleFactory>
#include <QWidget>

namespace window {
namespace {

// The palette a widget was given, or none: then it inherits.
QPalette OwnPalette(const QWidget& widget) {
    QPalette own = widget.palette();
    if (!widget.testAttribute(Qt::WA_SetPalette))
        own.setResolveMask(0);
    return own;
}

// Whether `now` still has every colour `own` sets, and sets no other.
bool Keeps(const QPalette& now, const QPalette& own) {
    if (now.resolveMask() != own.resolveMask())
        return false;
    for (int group = 0; group < QPalette::NColorGroups; ++group)
        for (int role = 0; role < QPalette::NColorRoles; ++role) {
            const auto g = static_cast<QPalette::ColorGroup>(group);
            const auto r = static_cast<QPalette::ColorRole>(role);
            if (own.isBrushSet(g, r) && now.brush(g, r) != own.brush(g, r))
                return false;
        }
    return true;
}

class PaletteKeeper : public QObject {
public:
    explicit PaletteKeeper(QWidget& window) : QObject(&window) {
        QList<QWidget*> widgets = window.findChildren<QWidget*>();
        widgets.prepend(&window);
        for (QWidget* widget : widgets) {
            kept_.insert(widget, OwnPalette(*widget));
            widget->installEventFilter(this);
        }
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::PaletteChange)
            return false;
        auto* widget = static_cast<QWidget*>(watched);
        const auto kept = kept_.constFind(widget);
        // Setting it back raises one more PaletteChange, which then finds it kept.
        if (kept != kept_.cend() && !Keeps(OwnPalette(*widget), *kept))
            widget->setPalette(*kept);
        return false;
    }

private:
    QHash<const QWidget*, QPalette> kept_;
};

} // namespace

void ApplyAppearance(QApplication& app) {
    QApplication::setApplicationName(QStringLiteral("chislova-redica"));
    QGuiApplication::setDesktopFileName(QStringLiteral("org.example.ChislovaRedica"));
    // A desktop theme may paint text boxes in its own colours; Fusion keeps ours.
    app.setStyle(new FrameStyle(QStyleFactory::create(QStringLiteral("fusion"))));
}

QPalette FixedPalette() {
    struct Role {
        QPalette::ColorRole role;
        QColor enabled;
        QColor disabled;
    };
    // Black text on white and light grey: the default colours of the desktop the
    // window was laid out on.
    const Role roles[] = {
        {QPalette::WindowText, Qt::black, QColor(0x80, 0x80, 0x80)},
        {QPalette::Button, QColor(0xf0, 0xf0, 0xf0), QColor(0xf0, 0xf0, 0xf0)},
        {QPalette::Light, Qt::white, Qt::white},
        {QPalette::Midlight, QColor(0xe3, 0xe3, 0xe3), QColor(0xe3, 0xe3, 0xe3)},
        {QPalette::Dark, QColor(0xa0, 0xa0, 0xa0), QColor(0xa0, 0xa0, 0xa0)},
        {QPalette::Mid, QColor(0xb8, 0xb8, 0xb8), QColor(0xb8, 0xb8, 0xb8)},
        {QPalette::Text, Qt::black, QColor(0x80, 0x80, 0x80)},
        {QPalette::BrightText, Qt::white, Qt::white},
        {QPalette::ButtonText, Qt::black, QColor(0x80, 0x80, 0x80)},
        {QPalette::Base, Qt::white, QColor(0xf0, 0xf0, 0xf0)},
        {QPalette::Window, QColor(0xf0, 0xf0, 0xf0), QColor(0xf0, 0xf0, 0xf0)},
        {QPalette::Shadow, QColor(0x69, 0x69, 0x69), QColor(0x69, 0x69, 0x69)},
        {QPalette::Highlight, QColor(0x00, 0x78, 0xd7), QColor(0xcc, 0xcc, 0xcc)},
        {QPalette::HighlightedText, Qt::white, QColor(0x80, 0x80, 0x80)},
        {QPalette::Link, QColor(0x00, 0x00, 0xff), QColor(0x80, 0x80, 0xff)},
        {QPalette::LinkVisited, QColor(0x80, 0x00, 0x80), QColor(0xc0, 0x80, 0xc0)},
        {QPalette::AlternateBase, QColor(0xf7, 0xf7, 0xf7), QColor(0xf7, 0xf7, 0xf7)},
        {QPalette::ToolTipBase, QColor(0xff, 0xff, 0xe1), QColor(0xff, 0xff, 0xe1)},
        {QPalette::ToolTipText, Qt::black, Qt::black},
        {QPalette::PlaceholderText, QColor(0, 0, 0, 0x80), QColor(0, 0, 0, 0x80)},
    };
    // Built from a button colour, not from the application's palette.
    QPalette palette(QColor(0xf0, 0xf0, 0xf0));
    for (const Role& r : roles) {
        palette.setColor(QPalette::Active, r.role, r.enabled);
        palette.setColor(QPalette::Inactive, r.role, r.enabled);
        palette.setColor(QPalette::Disabled, r.role, r.disabled);
    }
    // Roles not listed (and those of newer Qt versions) keep the light colours Qt
    // derives from the button colour; marked as set, they are not inherited either.
    for (int group = 0; group < QPalette::NColorGroups; ++group)
        for (int role = 0; role < QPalette::NColorRoles; ++role) {
            const auto g = static_cast<QPalette::ColorGroup>(group);
            const auto r = static_cast<QPalette::ColorRole>(role);
            palette.setBrush(g, r, palette.brush(g, r));
        }
    return palette;
}

void KeepPalettes(QWidget& window) {
    new PaletteKeeper(window);
}

} // namespace window
