// SPDX-License-Identifier: GPL-3.0-or-later
// The baseline: an empty Qt Widgets window of the program's size.
#include "first_frame_probe.h"
#include "layout/layout.h"
#include "layout/units.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QWidget window;
    window.setFixedSize(layout::TwipsToPixels(layout::kClientWidth),
                        layout::TwipsToPixels(layout::kClientHeight));
    CentreOnScreen(window);
    FirstFrameProbe probe(window);
    window.show();
    return app.exec();
}
