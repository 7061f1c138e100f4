// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "memory_board.h"
#include "window/application_setup.h"
#include "window/digit_box.h"
#include "window/flat_button.h"
#include "window/puzzle_form.h"

#include <QApplication>
#include <QLineEdit>
#include <QPoint>
#include <QStringList>
#include <QStyleHints>
#include <QTest>

#include <memory>

namespace testing_support {

// Points in the window's client area, in pixels at 96 dpi.
inline QPoint BoxPoint(int box) {
    return {56 + 24 * box + 12, 92};
}
inline const QPoint kCheckButton{76, 156};
inline const QPoint kNewRowButton{404, 156};

// A shown window whose deals come from a script: the first row at `startIndex`.
struct ShownForm {
    explicit ShownForm(int startIndex = 0) : random({RandomFor(startIndex)}), form(&random) {
        form.show();
        ready = QTest::qWaitForWindowExposed(&form);
    }

    // A press and release at `point`, delivered to the window as a real mouse
    // event, so that Qt finds the control under the point as it would for a user.
    void ClickAt(QPoint point, Qt::MouseButton button = Qt::LeftButton) {
        QTest::mouseClick(form.windowHandle(), button, Qt::NoModifier, point);
    }
    // A double click at the pace of a hand, the second press a tenth of a second
    // after the first release. QTest's own double click puts all four events at
    // one instant, as no mouse can; and it moves its clock half a second on after
    // every release, so the double-click interval is widened to take that in.
    void DoubleClickAt(QPoint point) {
        QStyleHints* hints = QGuiApplication::styleHints();
        const int interval = hints->mouseDoubleClickInterval();
        hints->setMouseDoubleClickInterval(QTest::mouseDoubleClickInterval + 200);
        QWindow* window = form.windowHandle();
        QTest::mouseClick(window, Qt::LeftButton, Qt::NoModifier, point);
        QTest::mousePress(window, Qt::LeftButton, Qt::NoModifier, point, 100);
        QTest::mouseRelease(window, Qt::LeftButton, Qt::NoModifier, point);
        hints->setMouseDoubleClickInterval(interval);
    }
    void ClickBox(int box, int times = 1) {
        for (int i = 0; i < times; ++i)
            ClickAt(BoxPoint(box));
    }

    // Clicks the hidden boxes, from box 10 on, the given numbers of times.
    void ClickHidden(std::initializer_list<int> times) {
        int box = 10;
        for (int n : times)
            ClickBox(box++, n);
    }

    QStringList Captions() const {
        QStringList captions;
        for (const auto* box : form.controls().Label2)
            captions << box->text();
        return captions;
    }
    QString Correct() const { return form.controls().Text2[0]->text(); }
    QString Wrong() const { return form.controls().Text2[1]->text(); }

    ScriptedRandom random;
    window::PuzzleForm form;
    bool ready = false;
};

} // namespace testing_support

// main() of a window test: as in the program's, the application is set up
// before any widget exists; otherwise as QTEST_MAIN, fonts at 96 dpi.
#define WINDOW_TEST_MAIN(TestObject)                                                               \
    int main(int argc, char* argv[]) {                                                             \
        QApplication app(argc, argv);                                                              \
        app.setAttribute(Qt::AA_Use96Dpi, true);                                                   \
        window::SetUpApplication(app);                                                             \
        TestObject test;                                                                           \
        QTEST_SET_MAIN_SOURCE_PATH                                                                 \
        return QTest::qExec(&test, argc, argv);                                                    \
    }
