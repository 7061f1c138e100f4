// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QApplication;

namespace window {

// The application-wide settings the window's look depends on: a style that
// honours the controls' own colours on every desktop, and the program's identity.
void ApplyAppearance(QApplication& app);

} // namespace window
