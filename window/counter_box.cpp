// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/counter_box.h"

#include <QPainter>
#include <QPainterPath>
#include <QStyleOptionFrame>
#include <QTextLayout>

namespace window {
namespace {

// What Qt's line edit keeps free on either side of its text, and the pixel it
// counts after the text for its cursor.
constexpr int kTextMargin = 2;
constexpr int kCursorWidth = 1;

// How far the middle of the digits' outline lies above the baseline, as a
// scaled screen draws them: unhinted. At 96 dpi the hinting fits the digits to
// whole pixels, and they stand in the middle of the box, 8 pixels from its top
// and 8 from its bottom.
qreal DigitsMiddle(const QFont& font) {
    QPainterPath digits;
    digits.addText(0, 0, font, QStringLiteral("0123456789"));
    return -digits.boundingRect().center().y();
}

} // namespace

void CounterBox::paintEvent(QPaintEvent* event) {
    // Qt's line edit paints first: it also lays out, as it paints, the line by
    // which it finds the character under the mouse and tells a screen reader
    // where each character is.
    QLineEdit::paintEvent(event);
    if (devicePixelRatioF() == 1)
        return;

    QStyleOptionFrame panel;
    initStyleOption(&panel);
    const QRect contents = style()
                               ->subElementRect(QStyle::SE_LineEditContents, &panel, this)
                               .marginsRemoved(textMargins());
    QTextLayout layout(text(), font());
    layout.beginLayout();
    const QTextLine line = layout.createLine();
    layout.endLayout();

    const int lineWidth = contents.width() - 2 * kTextMargin;
    const int widthUsed = qRound(line.naturalTextWidth()) + kCursorWidth;
    if (widthUsed > lineWidth)
        return;
    // The line where Qt's line edit puts it, centred in whole pixels.
    const QFontMetrics metrics = fontMetrics();
    const int lineHeight = qMax(metrics.height(), metrics.boundingRect(text()).height());
    const QPoint lineTopLeft(contents.x() + kTextMargin + (lineWidth - widthUsed) / 2,
                             contents.y() + (contents.height() - lineHeight + 1) / 2);

    // The line, with a pixel around it, is painted again; the frame stays.
    QPainter painter(this);
    painter.fillRect(QRect(lineTopLeft, QSize(widthUsed, lineHeight)).adjusted(-1, -1, 1, 1) &
                         contents,
                     palette().brush(QPalette::Base));
    painter.setClipRect(contents);
    // The 96-dpi picture, moved so that its middle falls on the middle of the
    // box as Qt rounds the box onto the device.
    const QTransform toDevice = painter.deviceTransform();
    const QRectF box = toDevice.mapRect(rect());
    painter.translate(toDevice.inverted().map(box.center()) - QRectF(rect()).center());

    QList<QTextLayout::FormatRange> selected;
    if (hasSelectedText()) {
        const int start = selectionStart();
        const qreal left = line.cursorToX(start);
        const qreal right = line.cursorToX(start + selectionLength());
        painter.fillRect(
            QRectF(lineTopLeft.x() + left, lineTopLeft.y(), right - left, line.height()),
            palette().brush(QPalette::Highlight));
        QTextLayout::FormatRange range;
        range.start = start;
        range.length = selectionLength();
        range.format.setForeground(palette().brush(QPalette::HighlightedText));
        selected.append(range);
    }

    // The digits centred down the box, on the device's grid: Qt puts a glyph on
    // the quarter of a device pixel at or before its place, across and down, so
    // the place is moved on by half a quarter to make that the nearest quarter.
    const qreal baseline = QRectF(rect()).center().y() + DigitsMiddle(font());
    const qreal halfQuarter = 0.125 / toDevice.m11();
    painter.setRenderHint(QPainter::VerticalSubpixelPositioning);
    painter.setPen(palette().color(QPalette::Text));
    layout.draw(&painter,
                QPointF(lineTopLeft.x() + halfQuarter, baseline - line.ascent() + halfQuarter),
                selected);
}

} // namespace window
