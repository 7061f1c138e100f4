// SPDX-License-Identifier: GPL-3.0-or-later
// The ids of the program's resources, shared by its resource script and its window.
#pragma once

// The program's icon: the first icon group, the one Explorer and the taskbar show.
#define CHISLOVA_ICON 1
