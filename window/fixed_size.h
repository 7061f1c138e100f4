// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QWidget;

namespace window {

// Keeps a window of fixed size at that size and in its normal state: when the
// window manager maximises it, makes it full screen or resizes it all the same,
// the window asks to be put back (over Wayland once it has shown the size given).
void KeepFixedSize(QWidget& window);

} // namespace window
