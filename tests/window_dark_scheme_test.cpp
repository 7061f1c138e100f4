// SPDX-License-Identifier: GPL-3.0-or-later
// The window under a dark desktop colour scheme, delivered as desktops deliver
// it: before the window opens, as the application's palettes; while it is
// open, also as a theme change and a new palette on every widget.
#include "window_support.h"

#include <QGroupBox>
#include <QHash>
#include <QLabel>
#include <QPlainTextEdit>

#include <cmath>

using testing_support::ShownForm;

namespace {

// A dark scheme of the kind desktops ship: light text on dark grounds.
QPalette DarkScheme() {
    QPalette dark;
    const QHash<QPalette::ColorRole, QColor> colours{
        {QPalette::WindowText, "#fcfcfc"},    {QPalette::Button, "#31363b"},
        {QPalette::Light, "#474d54"},         {QPalette::Midlight, "#3b4045"},
        {QPalette::Dark, "#1b1e20"},          {QPalette::Mid, "#272c30"},
        {QPalette::Text, "#fcfcfc"},          {QPalette::BrightText, "#ffffff"},
        {QPalette::ButtonText, "#fcfcfc"},    {QPalette::Base, "#1b1e20"},
        {QPalette::Window, "#2a2e32"},        {QPalette::Shadow, "#0e1012"},
        {QPalette::Highlight, "#3daee9"},     {QPalette::HighlightedText, "#fcfcfc"},
        {QPalette::Link, "#1d99f3"},          {QPalette::LinkVisited, "#9b59b6"},
        {QPalette::AlternateBase, "#232629"}, {QPalette::ToolTipBase, "#31363b"},
        {QPalette::ToolTipText, "#fcfcfc"},   {QPalette::PlaceholderText, "#a1a9b1"},
    };
    for (auto it = colours.begin(); it != colours.end(); ++it)
        dark.setColor(it.key(), it.value());
    return dark;
}

// What Qt does with a platform theme's palettes: the system palette for the
// application, and the theme's own palettes for some widget classes.
constexpr const char* kThemedClasses[] = {"QAbstractButton", "QLabel", "QLineEdit",
                                          "QPlainTextEdit", "QGroupBox"};

void SetApplicationPalettes(const QPalette& palette) {
    QApplication::setPalette(palette);
    for (const char* name : kThemedClasses)
        QApplication::setPalette(palette, name);
}

// A scheme in place before any window opens.
void StartWithScheme(const QPalette& palette) {
    SetApplicationPalettes(palette);
}

// A scheme changed while windows are open, as desktop integrations do it: the
// application palettes, then a theme change event and the new palette for
// every widget.
void ChangeScheme(const QPalette& palette) {
    SetApplicationPalettes(palette);
    for (QWidget* widget : QApplication::allWidgets()) {
        QEvent change(QEvent::ThemeChange);
        QApplication::sendEvent(widget, &change);
        widget->setPalette(palette);
    }
    QCoreApplication::processEvents();
}

// WCAG relative luminance and contrast ratio.
double Luminance(QColor colour) {
    auto linear = [](double c) {
        return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF()) +
           0.0722 * linear(colour.blueF());
}
double Contrast(QColor a, QColor b) {
    const double la = Luminance(a), lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

struct Region {
    QColor ground; // the colour seen most often
    QColor ink;    // the darkest colour
};

Region Sample(const QImage& image, QRect area) {
    QHash<QRgb, int> counts;
    Region region{Qt::white, Qt::white};
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
            const QColor colour = image.pixelColor(x, y);
            ++counts[colour.rgb()];
            if (Luminance(colour) < Luminance(region.ink))
                region.ink = colour;
        }
    int most = 0;
    for (auto it = counts.begin(); it != counts.end(); ++it)
        if (it.value() > most) {
            most = it.value();
            region.ground = QColor::fromRgb(it.key());
        }
    return region;
}

QRect InForm(const QWidget& form, const QWidget& control, QRect rect) {
    return rect.translated(control.mapTo(&form, QPoint(0, 0)));
}

// The text areas of the window, each with the colour it stands on.
struct TextArea {
    QString what;
    QRect area;
    QColor ground;
};

QList<TextArea> TextAreas(const window::PuzzleForm& form) {
    const auto& c = form.controls();
    QList<TextArea> areas;
    for (const QWidget* box : c.Label2)
        areas.append(
            {box->objectName(), InForm(form, *box, box->rect().adjusted(1, 1, -1, -1)), Qt::white});
    areas.append({"Label1(0)", c.Label1[0]->geometry().adjusted(2, 2, -2, -2), {255, 192, 128}});
    areas.append({"Label1(1)", c.Label1[1]->geometry().adjusted(2, 2, -2, -2), {255, 192, 128}});
    const QFontMetrics metrics(c.Frame1->font());
    const int indent = metrics.averageCharWidth();
    const QRect caption(indent + 1, 1, metrics.horizontalAdvance(c.Frame1->title()),
                        metrics.height() - 2);
    areas.append({"Frame1", InForm(form, *c.Frame1, caption), {192, 192, 255}});
    areas.append({"Command1(0)", c.Command1[0]->geometry().adjusted(5, 5, -5, -5), {0, 255, 0}});
    areas.append({"Command1(1)", c.Command1[1]->geometry().adjusted(5, 5, -5, -5), {255, 0, 0}});
    areas.append({"Text2(0)", c.Text2[0]->geometry().adjusted(4, 4, -4, -4), {0, 255, 0}});
    areas.append({"Text2(1)", c.Text2[1]->geometry().adjusted(4, 4, -4, -4), {255, 0, 0}});
    const QWidget* viewport = c.Text1[0]->viewport();
    areas.append({"Text1(0)", InForm(form, *viewport, viewport->rect()), Qt::white});
    return areas;
}

// Every text is drawn in black on its own back colour; the faults found, if any.
QStringList TextsNotBlackOnTheirColours(window::PuzzleForm& form) {
    const QImage image = form.grab().toImage();
    QStringList faults;
    for (const TextArea& text : TextAreas(form)) {
        const Region seen = Sample(image, text.area);
        if (seen.ground != text.ground)
            faults << text.what + " stands on " + seen.ground.name() + ", not " +
                          text.ground.name();
        // Anti-aliased black text still has fully inked pixels in its strokes.
        if (Luminance(seen.ink) >= Luminance(QColor(48, 48, 48)))
            faults << text.what + "'s text is " + seen.ink.name() + ", not black";
    }
    return faults;
}

// The pixels around `control` (and a ring of two pixels outside it) that change
// between `unfocused` and `focused` by a contrast of at least 3:1.
int StrongChanges(const QImage& unfocused, const QImage& focused, QRect control) {
    const QRect area = control.adjusted(-2, -2, 2, 2);
    int changed = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (Contrast(unfocused.pixelColor(x, y), focused.pixelColor(x, y)) >= 3.0)
                ++changed;
    return changed;
}

} // namespace

class WindowDarkSchemeTest : public QObject {
    Q_OBJECT

    QPalette initial_;

private slots:
    // Before any widget exists, as the program's main() does.
    void initTestCase() { initial_ = QApplication::palette(); }
    void cleanup() { StartWithScheme(initial_); }

    void textsStayBlackOnTheirColoursUnderADarkScheme_data() {
        QTest::addColumn<bool>("whileOpen");
        QTest::newRow("scheme set before the window opens") << false;
        QTest::newRow("scheme changed while the window is open") << true;
    }
    void textsStayBlackOnTheirColoursUnderADarkScheme() {
        QFETCH(bool, whileOpen);
        if (!whileOpen)
            StartWithScheme(DarkScheme());
        ShownForm shown(0);
        QVERIFY(shown.ready);
        if (whileOpen)
            ChangeScheme(DarkScheme());
        const QStringList faults = TextsNotBlackOnTheirColours(shown.form);
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join("; ")));
    }

    // Each control that takes the focus shows it with a mark that differs from
    // its unfocused look by 3:1 or more, over at least a line of two pixels
    // around it; the help text shows it from the start.
    void focusIsPlainlyMarkedOnEveryFocusableControl() {
        StartWithScheme(DarkScheme());
        ShownForm shown(0);
        shown.form.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&shown.form));
        ChangeScheme(DarkScheme());
        const auto& c = shown.form.controls();
        const QList<QWidget*> order{c.Text1[0], c.Command1[0], c.Command1[1], c.Text2[0],
                                    c.Text2[1]};
        QCOMPARE(QApplication::focusWidget(), order[0]);

        QList<QImage> focused;
        for (qsizetype i = 0; i < order.size(); ++i) {
            order[i]->setFocus(Qt::TabFocusReason);
            QCOMPARE(QApplication::focusWidget(), order[i]);
            focused.append(shown.form.grab().toImage());
        }
        QStringList faults;
        for (qsizetype i = 0; i < order.size(); ++i) {
            // Focus on the next control leaves this one unfocused.
            const QImage& unfocused = focused[(i + 1) % order.size()];
            const QRect control = order[i]->geometry();
            const int needed = 3 * (control.width() + control.height());
            const int changed = StrongChanges(unfocused, focused[i], control);
            if (changed < needed)
                faults << QString("%1: %2 pixels mark the focus, fewer than %3")
                              .arg(order[i]->objectName())
                              .arg(changed)
                              .arg(needed);
        }
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join("; ")));
    }
};

WINDOW_TEST_MAIN(WindowDarkSchemeTest)
#include "window_dark_scheme_test.moc"
