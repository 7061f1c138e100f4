// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "window/form_controls.h"

#include <QString>

namespace window {

// Gives every control a person reads or operates a Bulgarian name for screen
// readers, and has them walk the window in reading order: the title, the row of
// digit boxes from left to right, the score row, the help text.
void MakeAccessible(const FormControls& controls);

// The name a screen reader reads for `control`.
QString SpokenName(QWidget& control);

// Tells a listening screen reader that a digit box shows another digit.
void AnnounceBoxDigit(QWidget& box);

} // namespace window
