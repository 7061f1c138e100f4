// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/palette_keeper.h"

#include <QEvent>
#include <QHash>
#include <QPalette>
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

void KeepPalettes(QWidget& window) {
    new PaletteKeeper(window);
}

} // namespace window
