// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/puzzle_form.h"

#include "layout/texts.h"
#include "runtime/runtime_error.h"
#include "window/accessibility.h"
#include "window/clickable_label.h"
#include "window/flat_button.h"

#include <QGuiApplication>
#include <QIcon>
#include <QImageReader>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QScreen>

#include <exception>

namespace window {
namespace {

QString Describe(const runtime::RuntimeError& error) {
    switch (error.kind()) {
    case runtime::ErrorKind::Overflow:
        return QString::fromUtf8(texts::kErrorOverflow);
    case runtime::ErrorKind::NoSuchControlMember:
        return QString::fromUtf8(texts::kErrorNoSuchControl);
    }
    return QString::fromUtf8(texts::kErrorUnexpected);
}

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
      puzzle_(board_, *OwnOrGiven(ownRandom_, random)) {
    setWindowTitle(QString::fromUtf8(texts::kCaption));
    setWindowIcon(WindowIcon());
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    for (std::size_t k = 0; k < controls_.Command1.size(); ++k) {
        auto index = static_cast<std::int16_t>(k);
        connect(controls_.Command1[k], &QPushButton::clicked, this,
                [this, index] { run([this, index] { puzzle_.Command1_Click(index); }); });
    }
    for (std::size_t k = 0; k < controls_.Label2.size(); ++k) {
        auto index = static_cast<std::int16_t>(k);
        connect(controls_.Label2[k], &ClickableLabel::clicked, this,
                [this, index] { run([this, index] { puzzle_.Label2_Click(index); }); });
    }

    MakeAccessible(*this, controls_);
    controls_.Text1[0]->setFocus();
    run([this] { puzzle_.Form_Load(); });
}

PuzzleForm::~PuzzleForm() = default;

// A handler that fails stops where it failed; the user is told and the window
// carries on with whatever the handler had done, and no exception reaches Qt.
template <typename Handler> void PuzzleForm::run(Handler handler) {
    try {
        handler();
    } catch (const runtime::RuntimeError& error) {
        reportError(Describe(error));
    } catch (const std::exception&) {
        reportError(QString::fromUtf8(texts::kErrorUnexpected));
    }
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
