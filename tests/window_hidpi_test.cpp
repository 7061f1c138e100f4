// SPDX-License-Identifier: GPL-3.0-or-later
// Runs with QT_SCALE_FACTOR at 1.25, 1.5, 1.75 and 2: the window must look as at
// 96 dpi, only larger. The pictures are the window painted at the screen's scale,
// as over X11; the offscreen platform's own screen grab is at 96 dpi.
#include "window_support.h"

#include <QWindow>

#include <algorithm>
#include <cmath>

using testing_support::ShownForm;

namespace {

const QColor kGround(192, 192, 255);
const QColor kGreen(0, 255, 0);

qreal Scale(const ShownForm& shown) {
    return shown.form.windowHandle()->devicePixelRatio();
}

QImage Picture(ShownForm& shown) {
    return shown.form.grab().toImage();
}

// The device pixel in the middle of a logical pixel.
QPoint Device(QPoint logical, qreal scale) {
    return {int(std::floor((logical.x() + 0.5) * scale)),
            int(std::floor((logical.y() + 0.5) * scale))};
}

// The colours met from `from` in steps of `step` device pixels, each with the
// number of pixels it lasts, for `count` pixels.
QList<QPair<QColor, int>> Runs(const QImage& image, QPoint from, QPoint step, int count) {
    QList<QPair<QColor, int>> runs;
    for (QPoint at = from; count-- > 0; at += step) {
        const QColor colour = image.pixelColor(at);
        if (!runs.isEmpty() && runs.last().first == colour)
            ++runs.last().second;
        else
            runs.append({colour, 1});
    }
    return runs;
}

QString Describe(const QList<QPair<QColor, int>>& runs) {
    QStringList parts;
    for (const auto& [colour, length] : runs)
        parts << QString("%1×%2").arg(colour.name()).arg(length);
    return parts.join(' ');
}

// Pairs of neighbouring device pixels that belong to one logical pixel yet
// differ: none at all if the picture was drawn at 96 dpi and blown up.
int SplitPixelPairs(const QImage& image, QRect logical, int scale) {
    int split = 0;
    for (int y = logical.top() * scale; y < (logical.bottom() + 1) * scale; y += scale)
        for (int x = logical.left() * scale; x < (logical.right() + 1) * scale; x += scale) {
            split += image.pixel(x, y) != image.pixel(x + 1, y) ? 1 : 0;
            split += image.pixel(x, y) != image.pixel(x, y + 1) ? 1 : 0;
        }
    return split;
}

// The device pixels a rectangle of the window covers, rounded as Qt rounds a
// widget onto the device.
QRect OnDevice(QRect logical, qreal scale) {
    return {QPoint(qRound(logical.left() * scale), qRound(logical.top() * scale)),
            QPoint(qRound((logical.right() + 1) * scale) - 1,
                   qRound((logical.bottom() + 1) * scale) - 1)};
}

// How far the middle of a text's ink lies from the middle of its box, in
// pixels of `image`: each pixel of the box's inside weighed by how far it is
// from the box's ground colour.
QPointF InkOffset(const QImage& image, QRect box, qreal scale, const QColor& ground) {
    const int frame = qRound(3 * scale);
    const QRect inside = box.adjusted(frame, frame, -frame, -frame);
    qreal sum = 0;
    QPointF middle;
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        for (int x = inside.left(); x <= inside.right(); ++x) {
            const QColor colour = image.pixelColor(x, y);
            const qreal ink = std::max({std::abs(colour.red() - ground.red()),
                                        std::abs(colour.green() - ground.green()),
                                        std::abs(colour.blue() - ground.blue())}) /
                              255.0;
            sum += ink;
            middle += ink * QPointF(x + 0.5, y + 0.5);
        }
    return middle / sum - QRectF(box).center();
}

// A counter as Qt's own line edit draws it at 96 dpi. Its font is hinted as a
// 96 dpi screen has it (fontconfig's slight hinting, Debian's default), which
// Qt leaves off while the screens are scaled.
QImage AtNinetySixDpi(const QLineEdit& counter) {
    QLineEdit stock(counter.text());
    stock.setReadOnly(true);
    stock.setAlignment(counter.alignment());
    stock.setPalette(counter.palette());
    QFont font = counter.font();
    font.setHintingPreference(QFont::PreferVerticalHinting);
    stock.setFont(font);
    stock.resize(counter.size());
    QImage image(counter.size(), QImage::Format_RGB32);
    stock.render(&image);
    return image;
}

} // namespace

class WindowHiDpiTest : public QObject {
    Q_OBJECT

private slots:

    void theWindowIsLargerInDevicePixelsOnly() {
        ShownForm shown(0);
        QVERIFY(shown.ready);
        const qreal scale = Scale(shown);
        QCOMPARE(scale, qEnvironmentVariable("QT_SCALE_FACTOR").toDouble());
        QCOMPARE(shown.form.size(), QSize(481, 363));
        QCOMPARE(Picture(shown).size(), QSize(qRound(481 * scale), qRound(363 * scale)));
    }

    void theLayoutAndColoursHold() {
        ShownForm shown(0);
        const qreal scale = Scale(shown);
        const QImage image = Picture(shown);
        QCOMPARE(image.pixelColor(Device({4, 4}, scale)), kGround);
        QCOMPARE(image.pixelColor(Device({92, 3}, scale)), QColor(255, 192, 128));
        QCOMPARE(image.pixelColor(Device({196, 166}, scale)), kGreen);
        QCOMPARE(image.pixelColor(Device({276, 166}, scale)), QColor(255, 0, 0));
        QCOMPARE(image.pixelColor(Device({25, 150}, scale)), kGreen);
        QCOMPARE(image.pixelColor(Device({350, 150}, scale)), QColor(255, 0, 0));
        for (int k = 0; k < 15; ++k)
            QCOMPARE(image.pixelColor(Device({57 + 24 * k, 66}, scale)), QColor(Qt::white));
    }

    // From the face out across the bottom and the right edge of "Провери" with
    // the focus on it: face, the focus mark, face, the black edge, then the ground;
    // at 96 dpi the edge is one pixel, the gap one, the mark two.
    void theButtonsEdgesAndFocusMarkKeepTheirPlaces() {
        ShownForm shown(0);
        auto* button = shown.form.controls().Command1[0];
        button->setFocus();
        QTRY_VERIFY(button->hasFocus());
        const qreal scale = Scale(shown);
        const QImage image = Picture(shown);
        const int across = qRound(8 * scale);
        const QPoint down(0, 1), right(1, 0);
        const QPoint bottomStart = Device({76, 144 + 25 - 7}, scale);
        const QPoint rightStart = Device({16 + 121 - 7, 156}, scale);
        for (const auto& [start, step] : {std::pair{bottomStart, down}, {rightStart, right}}) {
            const auto runs = Runs(image, start, step, across);
            QVERIFY2(runs.size() == 5, qPrintable(Describe(runs)));
            QCOMPARE(runs[0].first, kGreen);
            QCOMPARE(runs[1].first, QColor(Qt::black));
            QCOMPARE(runs[2].first, kGreen);
            QCOMPARE(runs[3].first, QColor(Qt::black));
            QCOMPARE(runs[4].first, kGround);
            QCOMPARE(runs[1].second, qRound(4 * scale) - qRound(2 * scale));
            QCOMPARE(runs[2].second, qRound(2 * scale) - qRound(scale));
            QCOMPARE(runs[3].second, qRound(scale));
        }
    }

    // From the ground into the help text on its left and at its top, through the
    // text's margin: its frame line, one pixel at 96 dpi, then straight its white.
    void theHelpTextsFrameMeetsItsInside() {
        ShownForm shown(0);
        const qreal scale = Scale(shown);
        const QImage image = Picture(shown);
        const QColor line = image.pixelColor(Device({16, 179}, scale));
        QVERIFY(line != kGround && line != QColor(Qt::white));
        const QPoint leftStart = Device({12, 179}, scale);
        const QPoint topStart = Device({100, 172}, scale);
        for (const auto& [start, step] :
             {std::pair{leftStart, QPoint(1, 0)}, {topStart, QPoint(0, 1)}}) {
            auto runs = Runs(image, start, step, qRound(6 * scale));
            // The window's own focus mark, two pixels around the help text, may come first.
            if (runs.size() > 1 && runs[1].first == QColor(Qt::black))
                runs.remove(1);
            QVERIFY2(runs.size() == 3, qPrintable(Describe(runs)));
            QCOMPARE(runs[0].first, kGround);
            QCOMPARE(runs[1].first, line);
            QCOMPARE(runs[1].second, qRound(scale));
            QCOMPARE(runs[2].first, QColor(Qt::white));
        }
    }

    // The counters' "0", from the middle of its box to the middle of its ink:
    // where Qt's line edit has it at 96 dpi, times the scale. Glyphs stand on
    // quarters of a device pixel, which miss the place by up to an eighth.
    void theCountersDigitStandsAsAt96Dpi() {
        ShownForm shown(0);
        const qreal scale = Scale(shown);
        const QImage image = Picture(shown);
        for (const QLineEdit* counter : shown.form.controls().Text2) {
            const QColor ground = counter->palette().color(QPalette::Base);
            const QPointF expected =
                InkOffset(AtNinetySixDpi(*counter), counter->rect(), 1, ground) * scale;
            const QPointF offset =
                InkOffset(image, OnDevice(counter->geometry(), scale), scale, ground);
            QVERIFY2(qAbs(offset.x() - expected.x()) <= 0.2 &&
                         qAbs(offset.y() - expected.y()) <= 0.2,
                     qPrintable(QString("%1: %2, %3 device pixels right and down; %4, %5 wanted")
                                    .arg(counter->objectName())
                                    .arg(offset.x(), 0, 'f', 2)
                                    .arg(offset.y(), 0, 'f', 2)
                                    .arg(expected.x(), 0, 'f', 2)
                                    .arg(expected.y(), 0, 'f', 2)));
        }
    }

    void textIsDrawnAtTheFullResolution() {
        ShownForm shown(0);
        const qreal scale = Scale(shown);
        if (scale != std::floor(scale))
            QSKIP("only a whole scale maps each pixel at 96 dpi onto a square of device pixels");
        const QImage image = Picture(shown);
        QVERIFY(SplitPixelPairs(image, QRect(56, 64, 360, 57), int(scale)) > 100); // the digits
        QVERIFY(SplitPixelPairs(image, QRect(16, 176, 430, 170), int(scale)) >
                100); // the help text
    }

    void clicksLandOnTheSameBoxes() {
        ShownForm shown(0);
        shown.ClickBox(10, 4);
        shown.ClickAt(QPoint(80 + 24 * 3, 70)); // the overlap of boxes 3 and 4
        QCOMPARE(shown.Captions().mid(2, 3), QStringList({"2", "0", "2"}));
        QCOMPARE(shown.form.controls().Label2[10]->text(), QString("4"));
    }
};

WINDOW_TEST_MAIN(WindowHiDpiTest)
#include "window_hidpi_test.moc"
