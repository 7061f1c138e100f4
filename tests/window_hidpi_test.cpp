// SPDX-License-Identifier: GPL-3.0-or-later
// Runs with QT_SCALE_FACTOR=2: a screen with two device pixels to a pixel.
#include "window_support.h"

#include <QWindow>

using testing_support::ShownForm;

namespace {

QColor DeviceColourAt(const QImage& image, QPoint logical) {
    return image.pixelColor(logical * 2);
}

// Pairs of neighbouring device pixels that belong to one logical pixel yet
// differ: none at all if the picture was drawn at 96 dpi and blown up.
int SplitPixelPairs(const QImage& image, QRect logical) {
    int split = 0;
    for (int y = logical.top() * 2; y < (logical.bottom() + 1) * 2; y += 2)
        for (int x = logical.left() * 2; x < (logical.right() + 1) * 2; x += 2) {
            split += image.pixel(x, y) != image.pixel(x + 1, y) ? 1 : 0;
            split += image.pixel(x, y) != image.pixel(x, y + 1) ? 1 : 0;
        }
    return split;
}

} // namespace

class WindowHiDpiTest : public QObject {
    Q_OBJECT

private slots:
    // Before any widget exists, as the program's main() does.
    void initTestCase() { window::ApplyAppearance(*qApp); }

    void theWindowIsTwiceTheSizeInDevicePixels() {
        ShownForm shown(0);
        QVERIFY(shown.ready);
        QCOMPARE(shown.form.windowHandle()->devicePixelRatio(), 2.0);
        QCOMPARE(shown.form.size(), QSize(481, 363));
        const QImage image = shown.form.grab().toImage();
        QCOMPARE(image.size(), QSize(962, 726));
    }

    void theLayoutAndColoursHoldAtRatioTwo() {
        ShownForm shown(0);
        const QImage image = shown.form.grab().toImage();
        QCOMPARE(DeviceColourAt(image, {4, 4}), QColor(192, 192, 255));
        QCOMPARE(DeviceColourAt(image, {92, 3}), QColor(255, 192, 128));
        QCOMPARE(DeviceColourAt(image, {196, 166}), QColor(0, 255, 0));
        QCOMPARE(DeviceColourAt(image, {276, 166}), QColor(255, 0, 0));
        QCOMPARE(DeviceColourAt(image, {25, 150}), QColor(0, 255, 0));
        QCOMPARE(DeviceColourAt(image, {350, 150}), QColor(255, 0, 0));
        for (int k = 0; k < 15; ++k) {
            QCOMPARE(DeviceColourAt(image, {57 + 24 * k, 66}), QColor(Qt::white));
            QCOMPARE(shown.form.controls().Label2[k]->mapTo(&shown.form, QPoint(0, 0)),
                     QPoint(56 + 24 * k, 64));
        }
        // Just left of box 0 lies the frame's ground, its first column is white.
        QCOMPARE(image.pixelColor(2 * 56 - 1, 2 * 90), QColor(192, 192, 255));
        QCOMPARE(image.pixelColor(2 * 56, 2 * 90), QColor(Qt::white));
    }

    void textIsDrawnAtTheFullResolution() {
        ShownForm shown(0);
        const QImage image = shown.form.grab().toImage();
        QVERIFY(SplitPixelPairs(image, QRect(56, 64, 360, 57)) > 100);   // the digits
        QVERIFY(SplitPixelPairs(image, QRect(16, 176, 430, 170)) > 100); // the help text
    }

    void clicksLandOnTheSameBoxes() {
        ShownForm shown(0);
        shown.ClickBox(10, 4);
        shown.ClickAt(QPoint(80 + 24 * 3, 70)); // the overlap of boxes 3 and 4
        QCOMPARE(shown.Captions().mid(2, 3), QStringList({"2", "0", "2"}));
        QCOMPARE(shown.form.controls().Label2[10]->text(), QString("4"));
    }
};

QTEST_MAIN(WindowHiDpiTest)
#include "window_hidpi_test.moc"
