// SPDX-License-Identifier: GPL-3.0-or-later
#include "web/page_controls.h"

namespace page {

std::string ElementId(std::string_view array, int index) {
    std::string id(array);
    if (index >= 0)
        id += "_" + std::to_string(index);
    return id;
}

} // namespace page
