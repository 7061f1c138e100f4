// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLineEdit>

namespace window {

// A counter's read-only line edit whose number, on a scaled screen, stands where
// it stands at 96 dpi, only larger. There Qt's line edit lays its line out in
// whole logical pixels and draws the glyphs on whole device pixels down, so the
// digits come out up to one and a half device pixels low; this one lays the line
// out as at 96 dpi and places it, and the digits, on the device grid itself. At
// 96 dpi, and for a number too wide for the box (which Qt scrolls), it is Qt's
// line edit as it is.
class CounterBox : public QLineEdit {
public:
    using QLineEdit::QLineEdit;

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace window
