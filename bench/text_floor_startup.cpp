// SPDX-License-Identifier: GPL-3.0-or-later
// The text floor: a bare window of the program's size showing the program's
// texts, its caption too, in its fonts with stock widgets, and nothing else. It
// pays for the font database, text shaping and glyphs that any window with these
// texts must pay.
#include "first_frame_probe.h"
#include "layout/layout.h"
#include "layout/units.h"
#include "puzzle/digit_sequence.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

namespace {

using layout::TwipsToPixels;

QString Text(std::string_view text) {
    return QString::fromUtf8(text).replace(QLatin1StringView("\r\n"), QLatin1StringView("\n"));
}

QFont Font(const layout::Font& font) {
    QFont result;
    result.setFamilies({Text(font.face), Text(font.fallback)});
    result.setPixelSize(layout::PointsToPixels(font.points));
    return result;
}

// Places `widget` where the layout puts the control of the same twips.
template <typename Widget> Widget* Place(Widget* widget, int left, int top, int width, int height) {
    widget->setGeometry(TwipsToPixels(left), TwipsToPixels(top), TwipsToPixels(width),
                        TwipsToPixels(height));
    return widget;
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QWidget window;
    window.setFixedSize(TwipsToPixels(layout::kClientWidth), TwipsToPixels(layout::kClientHeight));
    window.setWindowTitle(Text(texts::kCaption));
    window.setFont(Font(layout::kWindowFont));

    auto* title = Place(new QLabel(Text(texts::kTitle), &window), 1320, 0, 4575, 375);
    title->setAlignment(Qt::AlignCenter);
    auto* frame = Place(new QGroupBox(Text(texts::kFrameCaption), &window), 600, 600, 5895, 1335);
    QString digits; // a row as dealt at offset 0, every box showing its digit
    for (std::size_t position = 1; position <= puzzle::kBoxCount; ++position)
        digits += Text(puzzle::DigitSequence[position]);
    auto* row = Place(new QLabel(digits, frame), 240, 360, 5415, 855);
    row->setFont(Font(layout::kDigitFont));
    Place(new QPushButton(Text(texts::kCheckButton), &window), 240, 2160, 1815, 375);
    Place(new QPushButton(Text(texts::kNewRowButton), &window), 5160, 2160, 1815, 375);
    for (int left : {2880, 4080}) {
        auto* counter =
            Place(new QLineEdit(Text(texts::kCounterStart), &window), left, 2160, 615, 405);
        counter->setReadOnly(true);
        counter->setAlignment(Qt::AlignCenter);
    }
    Place(new QLabel(Text(texts::kScoreSeparator), &window), 3600, 2160, 375, 405);
    auto* help = Place(new QPlainTextEdit(Text(texts::kHelpText), &window), 240, 2640, 6735, 2655);
    help->setReadOnly(true);

    CentreOnScreen(window);
    FirstFrameProbe probe(window);
    window.show();
    return app.exec();
}
