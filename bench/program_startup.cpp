// SPDX-License-Identifier: GPL-3.0-or-later
// The program exactly as main() starts it, with the first-frame probe.
#include "first_frame_probe.h"
#include "window/application_setup.h"
#include "window/puzzle_form.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    window::SetUpApplication(app);
    window::PuzzleForm form;
    FirstFrameProbe probe(form);
    form.show();
    return app.exec();
}
