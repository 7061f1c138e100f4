// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/fixed_palette.h"

#include <QPalette>

namespace window {

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

} // namespace window
