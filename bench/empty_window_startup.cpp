// The baseline: an empty Qt Widgets window of the program's size.
#include "first_frame_probe.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QWidget window;
    window.setFixedSize(481, 363);
    FirstFrameProbe probe(window);
    window.show();
    return app.exec();
}
