// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QWidget;

namespace window {

// Gives the controls of `form` their names and descriptions for screen readers;
// the window and its frame list their children in reading order.
void MakeAccessible(QWidget& form);

// The name a screen reader reads for `control`.
QString SpokenName(QWidget& control);

} // namespace window
