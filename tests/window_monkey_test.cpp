// SPDX-License-Identifier: GPL-3.0-or-later
// Random user actions against the real window, from a seed that is printed so
// that a failure can be replayed: MONKEY_SEED=<seed> MONKEY_ACTIONS=<n>.
#include "puzzle/digit_sequence.h"
#include "runtime/conversions.h"
#include "window_support.h"

#include <QListWidget>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QRegularExpression>

#include <random>

namespace {

// The clock-free generator of the window under test, so one seed replays one run.
class SeededRandom final : public runtime::RandomSource {
public:
    explicit SeededRandom(std::uint64_t seed) : generator_(seed) {}
    float NextRandom(float argument) override { return generator_.NextRandom(argument); }
    void SeedFromClock() override {}

private:
    runtime::Generator generator_;
};

std::uint64_t EnvNumber(const char* name, std::uint64_t fallback) {
    const QByteArray text = qgetenv(name);
    bool ok = false;
    const std::uint64_t value = text.toULongLong(&ok);
    return ok ? value : fallback;
}

// What box k shows and what the check expects of it: "?" and the empty entry
// past the end of the sequence both count as 0.
int Shown(const window::PuzzleForm& form, int k) {
    const QString caption = form.controls().Label2[k]->text();
    return caption == "?" ? 0 : caption.toInt();
}
int Expected(const window::PuzzleForm& form, int k) {
    const auto position = static_cast<std::size_t>(form.puzzle().StartIndex() + k + 1);
    return position < puzzle::DigitSequence.size() ? puzzle::DigitSequence[position][0] - '0' : 0;
}
int ClicksToSolve(const window::PuzzleForm& form, int k) {
    return (Expected(form, k) - Shown(form, k) + 10) % 10;
}

bool RowMatches(const window::PuzzleForm& form) {
    for (int k = 0; k < puzzle::kBoxCount; ++k)
        if (Shown(form, k) != Expected(form, k))
            return false;
    return true;
}

} // namespace

class WindowMonkeyTest : public QObject {
    Q_OBJECT

private slots:

    void randomActionsNeverBreakTheWindow() {
        const std::uint64_t seed = EnvNumber("MONKEY_SEED", std::random_device{}());
        const std::uint64_t actions = EnvNumber("MONKEY_ACTIONS", 20000);
        qInfo("monkey: seed %llu, %llu actions", static_cast<unsigned long long>(seed),
              static_cast<unsigned long long>(actions));

        SeededRandom random(seed);
        window::PuzzleForm form(&random);
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        QWindow* handle = form.windowHandle();
        const auto& c = form.controls();
        const QString help = c.Text1[0]->toPlainText();

        int checks = 0;
        connect(c.Command1[0], &QPushButton::clicked, this, [&checks] { ++checks; });
        std::mt19937_64 dice(seed);
        auto roll = [&dice](int below) {
            return static_cast<int>(std::uniform_int_distribution<int>(0, below - 1)(dice));
        };
        const QRegularExpression decimal("^(0|[1-9][0-9]*)$");
        const QString keys = "0123456789 ?abcxyzАБВ-+.e";

        int correct = 0;
        int wrong = 0;
        for (std::uint64_t i = 0; i < actions; ++i) {
            const bool matchedBefore = RowMatches(form);
            QString action;
            const QPoint anywhere(roll(481), roll(363));
            switch (roll(40) == 0 ? -1 : roll(10)) {
            case -1: // a pupil who knows the answer clicks every box to its digit
                action = "solve the row by clicks";
                for (int k = 0; k < puzzle::kBoxCount; ++k)
                    for (int n = ClicksToSolve(form, k); n > 0; --n)
                        QTest::mouseClick(handle, Qt::LeftButton, Qt::NoModifier,
                                          testing_support::BoxPoint(k));
                break;
            case 0:
            case 1:
            case 2: { // a digit box, overlaps included
                const QPoint point(56 + roll(15 * 24 + 1), 64 + roll(57));
                action = QString("click box area at %1,%2").arg(point.x()).arg(point.y());
                QTest::mouseClick(handle, Qt::LeftButton, Qt::NoModifier, point);
                break;
            }
            case 3: {
                const QPoint point = roll(2) ? QPoint(16 + roll(121), 144 + roll(25))
                                             : QPoint(344 + roll(121), 144 + roll(25));
                action = QString("click button area at %1,%2").arg(point.x()).arg(point.y());
                QTest::mouseClick(handle, Qt::LeftButton, Qt::NoModifier, point);
                break;
            }
            case 4:
                action = QString("click at %1,%2").arg(anywhere.x()).arg(anywhere.y());
                QTest::mouseClick(handle, Qt::LeftButton, Qt::NoModifier, anywhere);
                break;
            case 5:
                action = QString("double click at %1,%2").arg(anywhere.x()).arg(anywhere.y());
                QTest::mouseDClick(handle, Qt::LeftButton, Qt::NoModifier, anywhere);
                break;
            case 6:
                action = "Tab";
                QTest::keyClick(handle, roll(4) ? Qt::Key_Tab : Qt::Key_Backtab);
                break;
            case 7:
                action = "Space";
                QTest::keyClick(handle, Qt::Key_Space);
                break;
            case 8:
                action = "Enter";
                QTest::keyClick(handle, roll(2) ? Qt::Key_Return : Qt::Key_Enter);
                break;
            default: {
                const QChar key = keys[roll(static_cast<int>(keys.size()))];
                action = QString("type '%1'").arg(key);
                QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget()
                                                              : static_cast<QWidget*>(&form);
                QTest::sendKeyEvent(QTest::Click, target,
                                    static_cast<Qt::Key>(key.toUpper().unicode()), QString(key),
                                    Qt::NoModifier);
                break;
            }
            }
            const QString where = QString("seed %1, action %2 (%3)").arg(seed).arg(i).arg(action);

            for (const auto* box : c.Label2) {
                const QString caption = box->text();
                QVERIFY2(caption == "?" || (caption.size() == 1 && caption[0].isDigit()),
                         qPrintable(where + ": box shows " + caption));
            }
            const QString green = c.Text2[0]->text();
            const QString red = c.Text2[1]->text();
            QVERIFY2(decimal.match(green).hasMatch() && decimal.match(red).hasMatch(),
                     qPrintable(where + ": counters read " + green + " and " + red));
            QVERIFY2(
                green.toInt() + red.toInt() == checks,
                qPrintable(where +
                           QString(": %1 checks counted as %2 + %3").arg(checks).arg(green, red)));
            // A check leaves the row as it is, so the checks of one action (two
            // for a double click) all go to the same counter.
            if (green.toInt() != correct)
                QVERIFY2(matchedBefore && red.toInt() == wrong,
                         qPrintable(where + ": green counter rose for a row that did not match"));
            if (red.toInt() != wrong)
                QVERIFY2(!matchedBefore && green.toInt() == correct,
                         qPrintable(where + ": red counter rose for a row that matched"));
            correct = green.toInt();
            wrong = red.toInt();
            QVERIFY2(c.Text1[0]->toPlainText() == help, qPrintable(where + ": help text changed"));
            QVERIFY2(c.List1->count() == 39, qPrintable(where + ": list changed"));
            for (int p = 0; p < 39; ++p)
                QVERIFY2(c.List1->item(p)->text() == QLatin1String(puzzle::DigitSequence[p]),
                         qPrintable(where + ": list entry changed"));
            QVERIFY2(form.isVisible() && !QApplication::activeModalWidget(),
                     qPrintable(where + ": the window no longer answers"));
        }
        qInfo("monkey: %d checks, %d correct", checks, correct);
        QVERIFY(checks > 0);
    }
};

WINDOW_TEST_MAIN(WindowMonkeyTest)
#include "window_monkey_test.moc"
