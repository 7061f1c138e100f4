// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QWidget;

namespace window {

// Keeps the palettes that `window` and every widget in it have now. Some desktop
// integrations set the new scheme's palette on each widget when the scheme
// changes (qt6ct does); each such change is undone as it happens.
void KeepPalettes(QWidget& window);

} // namespace window
