// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/application_setup.h"
#include "window/puzzle_form.h"

#include <QApplication>

namespace {

// Over X11, XWayland included, the window tells its window manager that it has a
// fixed size and no maximise button, and the window manager keeps to it. Wayland's
// shell leaves maximising to the compositor alone, and Qt's own frame there offers
// it whatever the window's flags say; the window then shows the size it is given
// for a moment before it asks for its own back. So X11 comes first where a desktop
// offers it; a choice made in QT_QPA_PLATFORM or with -platform stands.
void PreferX11() {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "xcb;wayland");
}

} // namespace

int main(int argc, char* argv[]) {
    PreferX11();
    QApplication app(argc, argv);
    window::SetUpApplication(app);
    window::PuzzleForm form;
    form.show();
    return app.exec();
}
