// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QApplication;

namespace window {

// What the application as a whole needs before its window is made: the
// program's identity on the desktop, its link to the desktop's accessibility
// bridge, and a style that honours the controls' own colours on every desktop.
void SetUpApplication(QApplication& app);

} // namespace window
