// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "puzzle/puzzle.h"
#include "runtime/random.h"
#include "window/form_controls.h"
#include "window/widget_board.h"

#include <QWidget>

#include <memory>

namespace window {

class Announcer;

// The program's one window. It lays out its controls, deals the first row when
// it has loaded, and passes the clicks on the boxes and buttons to the puzzle.
class PuzzleForm : public QWidget {
    Q_OBJECT

public:
    // Without a random source of its own the window draws from the clock-seeded generator.
    explicit PuzzleForm(runtime::RandomSource* random = nullptr, QWidget* parent = nullptr);
    ~PuzzleForm() override;

    const FormControls& controls() const { return controls_; }
    puzzle::Board& board() { return board_; }
    puzzle::Puzzle& puzzle() { return puzzle_; }
    const puzzle::Puzzle& puzzle() const { return puzzle_; }

protected:
    void moveEvent(QMoveEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

signals:
    // A handler stopped on an error; the user has been told `message`.
    void handlerFailed(const QString& message);

private:
    void centreOnScreen();
    template <typename Handler> void run(Handler handler);
    void reportError(const QString& what);

    std::unique_ptr<runtime::RandomSource> ownRandom_;
    FormControls controls_;
    WidgetBoard board_;
    puzzle::Puzzle puzzle_;
    Announcer* announcer_;
    bool awaitingFrame_ = true;
};

} // namespace window
