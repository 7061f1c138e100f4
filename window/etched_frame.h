// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QGroupBox>

namespace window {

// A frame drawn as an etched line with its caption set into the top edge; the
// inside keeps the frame's own back colour whatever the style would tint it.
class EtchedFrame : public QGroupBox {
    Q_OBJECT

public:
    using QGroupBox::QGroupBox;

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace window
