// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QPalette;

namespace window {

// The colours the window was laid out for, whatever the desktop's scheme: black
// text on light grounds. Every role of every group is set, so that a palette
// the desktop gives the application, at start or later, cannot show through.
QPalette FixedPalette();

} // namespace window
