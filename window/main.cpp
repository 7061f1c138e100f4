// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/appearance.h"
#include "window/puzzle_form.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    window::ApplyAppearance(app);
    window::PuzzleForm form;
    form.show();
    return app.exec();
}
