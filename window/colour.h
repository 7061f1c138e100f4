// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "layout/units.h"

#include <QColor>

#include <cstdint>

namespace window {

// A colour as the layout writes it (&H00BBGGRR&), as Qt takes it.
inline QColor ToQColor(std::uint32_t bgr) {
    const layout::Rgb rgb = layout::FromBgr(bgr);
    return QColor(rgb.red, rgb.green, rgb.blue);
}

} // namespace window
