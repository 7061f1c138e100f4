// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/puzzle_form.h"

#include "layout/handler_guard.h"
#include "layout/texts.h"
#include "window/accessibility.h"
#include "window/announcer.h"
#include "window/device_grid.h"
#include "window/digit_box.h"
#include "window/fixed_size.h"
#include "window/flat_button.h"
#include "window/palette_keeper.h"

#include <QApplication>
#include <QIcon>
#include <QImageReader>
#include <QLineEdit>
#include <QMessageBox>
#include <QMoveEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QScreen>
#include <QWindow>

namespace window {
namespace {

// PNG is built into Qt: naming the format spares loading every image plugin to
// ask it whether the file is its kind, which costs more than the rest of the icon.
QIcon WindowIcon() {
    QImageReader reader(QStringLiteral(":/icons/chislova-redica.png"), "png");
    reader.setAutoDetectImageFormat(false);
    const QImage image = reader.read();
    if (image.isNull())
        qWarning("The window icon did not load: %s", qPrintable(reader.errorString()));
    return QIcon(QPixmap::fromImage(image));
}

runtime::RandomSource* OwnOrGiven(std::unique_ptr<runtime::RandomSource>& own,
                                  runtime::RandomSource* given) {
    if (!given)
        own = std::make_unique<runtime::Generator>();
    return given ? given : own.get();
}

} // namespace

PuzzleForm::PuzzleForm(runtime::RandomSource* random, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      controls_(BuildControls(*this)), board_(controls_),
      puzzle_(board_, *OwnOrGiven(ownRandom_, random)), announcer_(new Announcer(*this)) {
    setWindowTitle(QString::fromUtf8(texts::kCaption));
    setWindowIcon(WindowIcon());
    centreOnScreen();

    for (std::size_t k = 0; k < controls_.Command1.size(); ++k) {
        auto index = static_cast<std::int16_t>(k);
        connect(controls_.Command1[k], &QPushButton::clicked, this, [this, index] {
            run([this, index] { puzzle_.Command1_Click(index); });
            if (index == 1)
                announcer_->say(QString::fromUtf8(texts::kNewRowSpoken));
        });
    }
    for (std::size_t k = 0; k < controls_.Label2.size(); ++k) {
        auto index = static_cast<std::int16_t>(k);
        DigitBox* box = controls_.Label2[k];
        connect(box, &DigitBox::clicked, this, [this, index, box] {
            run([this, index] { puzzle_.Label2_Click(index); });
            announcer_->say(SpokenName(*box));
        });
    }
    // Only a check changes a counter.
    for (QLineEdit* counter : controls_.Text2)
        connect(counter, &QLineEdit::textChanged, this, [this, counter] {
            announcer_->say(QString::fromUtf8(texts::kCounterSpoken)
                                .arg(SpokenName(*counter), counter->text()));
        });

    connect(qApp, &QApplication::focusChanged, this, [this] { update(); });
    KeepPalettes(*this);
    KeepFixedSize(*this);

    MakeAccessible(*this);
    controls_.Text1[0]->setFocus();
    run([this] { puzzle_.Form_Load(); });
}

PuzzleForm::~PuzzleForm() = default;

// Centres the whole window, frame included, on the screen's available area.
// QWidget::move() places the frame's corner.
void PuzzleForm::centreOnScreen() {
    const QScreen* onScreen = screen();
    if (!onScreen)
        return;
    const QWindow* window = windowHandle();
    const QSize outer = size().grownBy(window ? window->frameMargins() : QMargins());
    const QRect area = onScreen->availableGeometry();
    move(area.x() + (area.width() - outer.width()) / 2,
         area.y() + (area.height() - outer.height()) / 2);
}

// A window manager frames the window only after it is mapped, so the first
// placement cannot know the frame. When the frame first shows up, the window is
// moved once to centre it; from then on it stays wherever the user puts it.
void PuzzleForm::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    if (!awaitingFrame_ || !windowHandle() || windowHandle()->frameMargins().isNull())
        return;
    awaitingFrame_ = false;
    centreOnScreen();
}

// A text box that has the focus gets a solid frame two pixels wide around it, on
// the window's ground: the style's own mark is faint or, on the help text, none.
// The buttons mark the focus on their faces.
void PuzzleForm::paintEvent(QPaintEvent*) {
    const QWidget* focused = QApplication::focusWidget();
    if (!focused || focused->parentWidget() != this || qobject_cast<const FlatButton*>(focused))
        return;
    QPainter painter(this);
    DeviceGrid(painter, focused->geometry()).fillRing(-2, 2, palette().color(QPalette::WindowText));
}

// A handler that fails stops where it failed; the user is told and the window
// carries on with whatever the handler had done, and no exception reaches Qt.
template <typename Handler> void PuzzleForm::run(Handler handler) {
    layout::RunHandler(handler,
                       [this](std::string_view what) { reportError(QString::fromUtf8(what)); });
}

void PuzzleForm::reportError(const QString& what) {
    const QString message = what + "\n\n" + QString::fromUtf8(texts::kErrorCarryOn);
    // Window-modal and not blocking: no nested event loop runs inside a handler.
    auto* box = new QMessageBox(QMessageBox::Warning, QString::fromUtf8(texts::kShortTitle),
                                message, QMessageBox::Ok, this);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
    emit handlerFailed(message);
}

} // namespace window
