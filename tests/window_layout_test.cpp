// SPDX-License-Identifier: GPL-3.0-or-later
#include "layout/members.h"
#include "puzzle/digit_sequence.h"
#include "window_support.h"

#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QRect>
#include <QScreen>
#include <QScrollBar>

#include <algorithm>
#include <utility>

using testing_support::ShownForm;

namespace {

QWidget* Child(QWidget& form, const char* name) {
    return form.findChild<QWidget*>(name);
}

// The text a control shows, as one string with LF line breaks.
QString ShownText(QWidget& control) {
    if (auto* box = qobject_cast<QPlainTextEdit*>(&control))
        return box->toPlainText();
    if (auto* box = qobject_cast<QLineEdit*>(&control))
        return box->text();
    if (auto* frame = qobject_cast<QGroupBox*>(&control))
        return frame->title();
    if (auto* button = qobject_cast<QAbstractButton*>(&control))
        return button->text();
    if (auto* label = qobject_cast<QLabel*>(&control))
        return label->text();
    return {};
}

QColor PixelAt(const QImage& image, QPoint point) {
    return image.pixelColor(point);
}

// The blank columns left and right of the ink in `label`, ink being anything but
// its back colour; with no ink at all both are the full width.
std::pair<int, int> InkColumns(QWidget& label) {
    const QImage image = label.grab().toImage();
    const QColor back = label.palette().color(QPalette::Window);
    int first = image.width(), last = -1;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y) != back) {
                first = std::min(first, x);
                last = std::max(last, x);
            }
    return {first, image.width() - 1 - last};
}

} // namespace

class WindowLayoutTest : public QObject {
    Q_OBJECT

private slots:

    void clientAreaIsFixedAt481By363() {
        ShownForm shown;
        QVERIFY(shown.ready);
        QCOMPARE(shown.form.size(), QSize(481, 363));
        QCOMPARE(shown.form.minimumSize(), QSize(481, 363));
        QCOMPARE(shown.form.maximumSize(), QSize(481, 363));
        const Qt::WindowFlags flags = shown.form.windowFlags();
        QVERIFY(!(flags & Qt::WindowMinimizeButtonHint));
        QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
        QVERIFY(flags & Qt::WindowCloseButtonHint);
        // The whole window, frame included, centred to the pixel.
        const QRect screen = shown.form.screen()->availableGeometry();
        const QPoint offset = shown.form.frameGeometry().center() - screen.center();
        QVERIFY2(qAbs(offset.x()) <= 1 && qAbs(offset.y()) <= 1,
                 qPrintable(QString("off centre by %1,%2").arg(offset.x()).arg(offset.y())));
    }

    void everyControlStandsWhereTheLayoutPutsIt_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("geometry");
        QTest::newRow("Text2(1)") << "Text2(1)" << QRect(272, 144, 41, 27);
        QTest::newRow("Text2(0)") << "Text2(0)" << QRect(192, 144, 41, 27);
        QTest::newRow("List1") << "List1" << QRect(448, 40, 25, 80);
        QTest::newRow("Frame1") << "Frame1" << QRect(40, 40, 393, 89);
        QTest::newRow("Command1(1)") << "Command1(1)" << QRect(344, 144, 121, 25);
        QTest::newRow("Command1(0)") << "Command1(0)" << QRect(16, 144, 121, 25);
        QTest::newRow("Text1(1)") << "Text1(1)" << QRect(40, 264, 449, 121);
        QTest::newRow("Text1(0)") << "Text1(0)" << QRect(16, 176, 449, 177);
        QTest::newRow("Label1(1)") << "Label1(1)" << QRect(240, 144, 25, 27);
        QTest::newRow("Label1(0)") << "Label1(0)" << QRect(88, 0, 305, 25);
        for (int k = 0; k < 15; ++k) {
            QString name = QString("Label2(%1)").arg(k);
            QTest::newRow(qPrintable(name)) << name << QRect(16 + 24 * k, 24, 25, 57);
        }
    }
    void everyControlStandsWhereTheLayoutPutsIt() {
        QFETCH(QString, name);
        QFETCH(QRect, geometry);
        ShownForm shown;
        auto* control = shown.form.findChild<QWidget*>(name);
        QVERIFY(control);
        QCOMPARE(control->geometry(), geometry);
    }

    void digitBoxesSitInTheFrameAndOverlapByOnePixel() {
        ShownForm shown;
        auto* frame = Child(shown.form, "Frame1");
        for (int k = 0; k < 15; ++k) {
            QWidget* box = shown.form.controls().Label2[k];
            QCOMPARE(box->parentWidget(), frame);
            QCOMPARE(box->mapTo(&shown.form, QPoint(0, 0)), QPoint(56 + 24 * k, 64));
        }
        // Title centred in the client area.
        QWidget* title = Child(shown.form, "Label1(0)");
        QCOMPARE(title->geometry().center().x(), shown.form.rect().center().x());
    }

    void controlsAreCreatedInTheLayoutOrder() {
        ShownForm shown;
        QStringList onForm, inFrame;
        for (QObject* child : shown.form.children())
            if (child->isWidgetType() && !child->objectName().isEmpty())
                onForm << child->objectName();
        for (QObject* child : Child(shown.form, "Frame1")->children())
            if (child->isWidgetType())
                inFrame << child->objectName();
        QStringList expectedOnForm, expectedInFrame;
        for (const layout::Member& member : layout::Members())
            ((member.row->other & layout::kInFrame) ? expectedInFrame : expectedOnForm)
                << QString::fromStdString(member.name());
        QCOMPARE(onForm, expectedOnForm);
        QCOMPARE(inFrame, expectedInFrame);
    }

    // Line breaks and all; the boxes show the dealt row instead.
    void everyControlShowsTheTextOfItsRow() {
        ShownForm shown;
        for (const layout::Member& member : layout::Members()) {
            if (member.array == "Label2")
                continue;
            QWidget* control = Child(shown.form, member.name().c_str());
            QVERIFY2(control, member.name().c_str());
            QCOMPARE(ShownText(*control),
                     QString::fromUtf8(member.row->text).replace("\r\n", "\n"));
        }
    }

    void captionAndSayingKeepTheirShape() {
        ShownForm shown;
        // A web address, two blanks, the short title.
        const QString caption = shown.form.windowTitle();
        const qsizetype gap = caption.indexOf("  ");
        QVERIFY(gap > 0);
        QVERIFY(caption.left(gap).contains("example.org"));
        QVERIFY(!caption.mid(gap + 2).isEmpty());
        QVERIFY(!caption.mid(gap + 2).startsWith(' '));

        // Saying: three lines, 118 characters counted with CR LF breaks.
        const QString saying = shown.form.controls().Text1[1]->toPlainText();
        QCOMPARE(saying.split('\n').size(), 3);
        QCOMPARE(QString(saying).replace("\n", "\r\n").size(), 118);
    }

    // Line 7 tells how a box is set and how many elements there are.
    void helpTextSaysWhatAClickDoes() {
        ShownForm shown;
        const QStringList lines = shown.form.controls().Text1[0]->toPlainText().split('\n');
        QCOMPARE(lines.size(), 12); // eleven lines, each ended by a break
        QVERIFY(lines[6].contains("чрез събитие On-Click"));
        QVERIFY(lines[6].contains("от 0 до 9")); // a click on 9 gives 0
        QVERIFY(lines[6].contains("14"));        // ten shown and four to find, as line 6 says
    }

    void hiddenControlsHoldTheSequenceAndTheSaying() {
        ShownForm shown;
        const auto& c = shown.form.controls();
        QVERIFY(!c.List1->isVisible());
        QVERIFY(!c.Text1[1]->isVisible());
        QVERIFY(!c.List1->isSortingEnabled());
        QCOMPARE(c.List1->count(), 39);
        for (int i = 0; i < 39; ++i)
            QCOMPARE(c.List1->item(i)->text().toStdString(), std::string(puzzle::DigitSequence[i]));
        for (QWidget* visible :
             {static_cast<QWidget*>(c.Frame1), static_cast<QWidget*>(c.Text1[0]),
              static_cast<QWidget*>(c.Text2[0]), static_cast<QWidget*>(c.Text2[1]),
              static_cast<QWidget*>(c.Command1[0]), static_cast<QWidget*>(c.Command1[1]),
              static_cast<QWidget*>(c.Label1[0]), static_cast<QWidget*>(c.Label1[1])})
            QVERIFY2(visible->isVisible(), qPrintable(visible->objectName()));
        for (QWidget* box : c.Label2)
            QVERIFY(box->isVisible());
    }

    void textBoxesAreReadOnlyWithTheirScrollBarsAndAlignment() {
        ShownForm shown;
        const auto& c = shown.form.controls();
        for (QLineEdit* counter : c.Text2) {
            QVERIFY(counter->isReadOnly());
            QCOMPARE(counter->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
        }
        for (QPlainTextEdit* text : c.Text1) {
            QVERIFY(text->isReadOnly());
            QCOMPARE(text->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        }
        QVERIFY(c.Text1[0]->verticalScrollBar()->isVisible());
    }

    void titleColonAndDigitsAreCentredInTheirLabels() {
        ShownForm shown;
        QList<QWidget*> labels{shown.form.controls().Label1.begin(),
                               shown.form.controls().Label1.end()};
        labels.append({shown.form.controls().Label2.begin(), shown.form.controls().Label2.end()});
        for (QWidget* label : labels) {
            const auto [left, right] = InkColumns(*label);
            QVERIFY2(left + right < label->width(),
                     qPrintable(label->objectName() + " shows no text"));
            QVERIFY2(qAbs(left - right) <= 1, qPrintable(QString("%1: %2 px left, %3 px right")
                                                             .arg(label->objectName())
                                                             .arg(left)
                                                             .arg(right)));
        }
    }

    void fontsAreTimesNewRomanOrItsMetricTwin() {
        ShownForm shown;
        const QStringList faces{"Times New Roman", "Liberation Serif"};
        QWidget* window = &shown.form;
        for (QWidget* control : {window, Child(*window, "Text1(0)"), Child(*window, "Command1(0)"),
                                 Child(*window, "Text2(0)"), Child(*window, "Label1(0)")}) {
            QFontInfo info(control->font());
            QVERIFY2(faces.contains(info.family()), qPrintable(info.family()));
            QCOMPARE(info.pixelSize(), 16); // 12 points at 96 dpi
            QCOMPARE(info.weight(), int(QFont::Normal));
        }
        for (QWidget* box : shown.form.controls().Label2) {
            QFontInfo info(box->font());
            QVERIFY2(faces.contains(info.family()), qPrintable(info.family()));
            QCOMPARE(info.pixelSize(), 48); // 36 points at 96 dpi
        }
    }

    void coloursAreThoseOfTheLayout() {
        ShownForm shown;
        const QImage image = shown.form.grab().toImage();
        QCOMPARE(PixelAt(image, {4, 4}), QColor(192, 192, 255));     // window ground
        QCOMPARE(PixelAt(image, {470, 140}), QColor(192, 192, 255)); // beside "Чисти"
        QCOMPARE(PixelAt(image, {48, 112}), QColor(192, 192, 255));  // inside the frame
        QCOMPARE(PixelAt(image, {92, 3}), QColor(255, 192, 128));    // title
        QCOMPARE(PixelAt(image, {242, 146}), QColor(255, 192, 128)); // ":"
        // No label has a border: their colour reaches their corners.
        for (QPoint corner : {QPoint(88, 0), QPoint(392, 24), QPoint(240, 144), QPoint(264, 170)})
            QCOMPARE(PixelAt(image, corner), QColor(255, 192, 128));
        for (int k = 0; k < 15; ++k) {
            QCOMPARE(PixelAt(image, {57 + 24 * k, 66}), QColor(Qt::white));
            QCOMPARE(PixelAt(image, {57 + 24 * k, 118}), QColor(Qt::white));
        }
        QCOMPARE(PixelAt(image, {196, 166}), QColor(0, 255, 0)); // correct counter
        QCOMPARE(PixelAt(image, {276, 166}), QColor(255, 0, 0)); // wrong counter
        // Button faces are flat, pure colour from edge to edge.
        for (int x : {20, 30, 125, 132})
            for (int y : {148, 156, 164})
                QCOMPARE(PixelAt(image, {x, y}), QColor(0, 255, 0));
        for (int x : {348, 360, 450, 460})
            for (int y : {148, 156, 164})
                QCOMPARE(PixelAt(image, {x, y}), QColor(255, 0, 0));
    }

    void focusStartsOnTheHelpTextAndTabsThroughTheScoreRow() {
        ShownForm shown;
        shown.form.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&shown.form));
        QCOMPARE(QApplication::focusWidget(), Child(shown.form, "Text1(0)"));
        const QStringList order{"Command1(0)", "Command1(1)", "Text2(0)", "Text2(1)", "Text1(0)"};
        for (const QString& name : order) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget()->objectName(), name);
        }
        for (QWidget* never : {Child(shown.form, "Frame1"), Child(shown.form, "Label1(0)"),
                               Child(shown.form, "List1"), Child(shown.form, "Text1(1)"),
                               static_cast<QWidget*>(shown.form.controls().Label2[0])})
            QCOMPARE(never->focusPolicy(), Qt::NoFocus);
    }

    void typingChangesNeitherCountersNorHelpText() {
        ShownForm shown;
        const auto& c = shown.form.controls();
        const QString help = c.Text1[0]->toPlainText();
        for (QWidget* target :
             {static_cast<QWidget*>(c.Text2[0]), static_cast<QWidget*>(c.Text2[1]),
              static_cast<QWidget*>(c.Text1[0])}) {
            target->setFocus();
            QTest::keyClicks(target, "57x");
            QTest::keyClick(target, Qt::Key_Backspace);
            QTest::keyClick(target, Qt::Key_Delete);
        }
        QCOMPARE(c.Text2[0]->text(), QString("0"));
        QCOMPARE(c.Text2[1]->text(), QString("0"));
        QCOMPARE(c.Text1[0]->toPlainText(), help);
    }

    void theWindowOpensWithADealtRow() {
        ShownForm shown(0);
        QCOMPARE(shown.random.seeds, 1);
        QCOMPARE(shown.Captions(), QStringList({"1", "1", "2", "9", "2", "3", "1", "3", "3", "0",
                                                "?", "?", "?", "?", "?"}));
    }

    void clickingNewRowDealsAgainAndKeepsTheCounters() {
        ShownForm shown(0);
        shown.form.board().SetCounterText(0, "3");
        shown.form.board().SetCounterText(1, "4");
        shown.random.Push(testing_support::RandomFor(24));
        shown.ClickAt(testing_support::kNewRowButton);
        QCOMPARE(shown.form.puzzle().StartIndex(), 24);
        QCOMPARE(shown.Captions(), QStringList({"0", "9", "3", "1", "1", "0", "3", "0", "1", "1",
                                                "?", "?", "?", "?", "?"}));
        QCOMPARE(shown.Correct(), QString("3"));
        QCOMPARE(shown.Wrong(), QString("4"));
        QCOMPARE(shown.random.seeds, 1); // a new row does not reseed
    }

    void theWindowCarriesItsIcon() {
        ShownForm shown;
        const QIcon icon = shown.form.windowIcon();
        QVERIFY(!icon.isNull());
        QCOMPARE(icon.availableSizes().value(0), QSize(32, 32));
    }
};

WINDOW_TEST_MAIN(WindowLayoutTest)
#include "window_layout_test.moc"
