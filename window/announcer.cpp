// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/announcer.h"

#include <QAccessible>

namespace window {

Announcer::Announcer(QWidget& form) : QWidget(&form) {
    setGeometry(0, form.height(), 0, 0);
    hide();
}

void Announcer::say(const QString& message) {
    if (!QAccessible::isActive())
        return;
    setAccessibleName(message);
    hide();
    show();
}

} // namespace window
