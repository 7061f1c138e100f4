// The baseline: an empty Qt Widgets window of the program's size.
#include "first_frame_probe.h"
#include "window/layout.h"
#include "window/units.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QWidget window;
    window.setFixedSize(window::TwipsToPixels(window::layout::kClientWidth),
                        window::TwipsToPixels(window::layout::kClientHeight));
    FirstFrameProbe probe(window);
    window.show();
    return app.exec();
}
