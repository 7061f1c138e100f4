// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QProxyStyle>

namespace window {

// Fusion, with the plain frame of a text box one pixel wide at 96 dpi and as
// many whole device pixels on a scaled screen. Fusion's own line is a single
// device pixel, and between it and the text's white inside the window's ground
// would show through.
class FrameStyle : public QProxyStyle {
    Q_OBJECT

public:
    using QProxyStyle::QProxyStyle;

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget = nullptr) const override;
};

} // namespace window
