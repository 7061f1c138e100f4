// SPDX-License-Identifier: GPL-3.0-or-later
#include "window_support.h"

#include <QMessageBox>
#include <QSignalSpy>

using testing_support::BoxPoint;
using testing_support::kCheckButton;
using testing_support::kNewRowButton;
using testing_support::RandomFor;
using testing_support::ShownForm;

namespace {

// Enters 4 3 1 5 3, the five digits that follow a row dealt at offset 0.
void SolveRowAtZero(ShownForm& shown) {
    shown.ClickHidden({4, 3, 1, 5, 3});
}

QMessageBox* OpenMessage(QWidget& form) {
    for (QMessageBox* box : form.findChildren<QMessageBox*>())
        if (box->isVisible())
            return box;
    return nullptr;
}

} // namespace

class WindowPlayTest : public QObject {
    Q_OBJECT

private slots:

    void theTypicalRunPlaysThroughByMouse() {
        ShownForm shown(0);
        QVERIFY(shown.ready);
        QStringList seen;
        for (int i = 0; i < 4; ++i) {
            shown.ClickBox(10);
            seen << shown.form.controls().Label2[10]->text();
        }
        QCOMPARE(seen, QStringList({"1", "2", "3", "4"}));
        shown.ClickHidden({0, 3, 1, 5, 3});
        QCOMPARE(shown.Captions(), QStringList({"1", "1", "2", "9", "2", "3", "1", "3", "3", "0",
                                                "4", "3", "1", "5", "3"}));
        shown.ClickAt(kCheckButton);
        QCOMPARE(shown.Correct(), QString("1"));
        QCOMPARE(shown.Wrong(), QString("0"));

        shown.random.Push(RandomFor(17));
        shown.ClickAt(kNewRowButton);
        QCOMPARE(shown.form.puzzle().StartIndex(), 17);
        QCOMPARE(shown.Captions().mid(10), QStringList({"?", "?", "?", "?", "?"}));
        QCOMPARE(shown.Correct(), QString("1"));
    }

    void aShownDigitClickedAwayMakesTheRowWrong() {
        ShownForm shown(0);
        SolveRowAtZero(shown);
        shown.ClickBox(3);
        shown.ClickAt(kCheckButton);
        QCOMPARE(shown.Correct(), QString("0"));
        QCOMPARE(shown.Wrong(), QString("1"));
        shown.ClickBox(3, 9); // ten clicks in all: back where it started
        QCOMPARE(shown.form.controls().Label2[3]->text(), QString("9"));
        shown.ClickAt(kCheckButton);
        QCOMPARE(shown.Correct(), QString("1"));
        shown.ClickAt(kCheckButton); // the same row counts again
        QCOMPARE(shown.Correct(), QString("2"));
        QCOMPARE(shown.Wrong(), QString("1"));
    }

    void anUntouchedBoxMatchesAHiddenZero() {
        ShownForm shown(5); // hides 0 6 3 1 7
        shown.ClickHidden({0, 6, 3, 1, 7});
        shown.ClickAt(kCheckButton);
        QCOMPARE(shown.Correct(), QString("1"));
    }

    void atTwentyFourTheLastBoxMatchesWhenItShowsUnknownOrZero() {
        ShownForm shown(24); // hides 3 1 1 2 and the position past the end
        shown.ClickHidden({3, 1, 1, 2});
        shown.ClickAt(kCheckButton);
        QCOMPARE(shown.Correct(), QString("1"));
        shown.ClickBox(14, 10);
        QCOMPARE(shown.form.controls().Label2[14]->text(), QString("0"));
        shown.ClickAt(kCheckButton);
        QCOMPARE(shown.Correct(), QString("2"));
        QCOMPARE(shown.Wrong(), QString("0"));
    }

    void countersCountOnFromWhatTheyHold() {
        ShownForm shown(0);
        shown.form.board().SetCounterText(1, "99");
        shown.ClickAt(kCheckButton);
        QCOMPARE(shown.Wrong(), QString("100"));
    }

    void aDoubleClickAdvancesTwice() {
        ShownForm shown(0);
        shown.DoubleClickAt(BoxPoint(2));
        QCOMPARE(shown.form.controls().Label2[2]->text(), QString("4")); // 2, then 3, 4
        shown.DoubleClickAt(BoxPoint(12));
        QCOMPARE(shown.form.controls().Label2[12]->text(), QString("2"));
    }

    void aClickInAnOverlapReachesTheBoxOnTop() {
        ShownForm shown(0);
        // Box k spans x = 56 + 24k to 80 + 24k; the last column is also box k + 1's first.
        for (int k = 0; k < 14; ++k) {
            const QStringList before = shown.Captions();
            shown.ClickAt(QPoint(80 + 24 * k, 70));
            const QStringList after = shown.Captions();
            int changed = 0;
            for (int j = 0; j < 15; ++j)
                changed += before[j] != after[j] ? 1 : 0;
            QCOMPARE(changed, 1);
            QVERIFY2(before[k] != after[k], qPrintable(QString("overlap after box %1").arg(k)));
        }
    }

    void onlyALeftPressAndReleaseOnTheSameBoxCounts() {
        ShownForm shown(0);
        const QStringList before = shown.Captions();
        shown.ClickAt(BoxPoint(4), Qt::RightButton);
        shown.ClickAt(BoxPoint(4), Qt::MiddleButton);
        QTest::mousePress(shown.form.windowHandle(), Qt::LeftButton, Qt::NoModifier, BoxPoint(4));
        QTest::mouseMove(shown.form.windowHandle(), BoxPoint(6));
        QTest::mouseRelease(shown.form.windowHandle(), Qt::LeftButton, Qt::NoModifier, BoxPoint(6));
        QCOMPARE(shown.Captions(), before);
        // Clicks beside the boxes, on the frame and on the counters change nothing either.
        for (QPoint point : {QPoint(45, 90), QPoint(430, 90), QPoint(200, 50), QPoint(212, 158),
                             QPoint(252, 158), QPoint(100, 250), QPoint(470, 20)})
            shown.ClickAt(point);
        QCOMPARE(shown.Captions(), before);
        QCOMPARE(shown.Correct(), QString("0"));
        QCOMPARE(shown.Wrong(), QString("0"));
    }

    void theButtonWithTheFocusAnswersSpaceAndEnter() {
        ShownForm shown(0);
        auto* check = shown.form.controls().Command1[0];
        check->setFocus();
        QTest::keyClick(check, Qt::Key_Space);
        QCOMPARE(shown.Wrong(), QString("1"));
        QTest::keyClick(check, Qt::Key_Return);
        QCOMPARE(shown.Wrong(), QString("2"));
        auto* newRow = shown.form.controls().Command1[1];
        newRow->setFocus();
        shown.random.Push(RandomFor(9));
        QTest::keyClick(newRow, Qt::Key_Enter);
        QCOMPARE(shown.form.puzzle().StartIndex(), 9);
    }

    void anOverflowIsReportedAndTheWindowCarriesOn() {
        ShownForm shown(0);
        QSignalSpy failures(&shown.form, &window::PuzzleForm::handlerFailed);
        shown.ClickBox(12, 2);
        shown.form.board().SetBoxCaption(3, "32767"); // no user can write this
        shown.ClickBox(3);

        QCOMPARE(failures.count(), 1);
        QMessageBox* message = OpenMessage(shown.form);
        QVERIFY(message);
        QVERIFY(message->text().contains("Препълване"));
        QVERIFY(message->text().contains("продължава"));
        QCOMPARE(shown.form.controls().Label2[3]->text(), QString("32767"));
        QCOMPARE(shown.form.controls().Label2[12]->text(), QString("2"));
        QCOMPARE(shown.Correct(), QString("0"));
        QCOMPARE(shown.Wrong(), QString("0"));

        message->button(QMessageBox::Ok)->click();
        QTRY_VERIFY(!OpenMessage(shown.form));
        shown.ClickBox(12);
        QCOMPARE(shown.form.controls().Label2[12]->text(), QString("3"));
        shown.ClickAt(kCheckButton);
        QCOMPARE(shown.Wrong(), QString("1"));
    }
};

WINDOW_TEST_MAIN(WindowPlayTest)
#include "window_play_test.moc"
