// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QApplication;
class QPalette;
class QWidget;

namespace window {

// The application-wide settings the window's look depends on: a style that
// honours the controls' own colours on every desktop, and the program's identity.
void ApplyAppearance(QApplication& app);

// The colours the window was laid out for, whatever the desktop's scheme: black
// text on light grounds. Every role of every group is set, so that a palette
// the desktop gives the application, at start or later, cannot show through.
QPalette FixedPalette();

// Keeps the palettes that `window` and every widget in it have now. Some desktop
// integrations set the new scheme's palette on each widget when the scheme
// changes (qt6ct does); each such change is undone as it happens.
void KeepPalettes(QWidget& window);

} // namespace window
