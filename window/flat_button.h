// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QPushButton>

namespace window {

// A push button whose face is painted flat in its back colour, whatever the
// style, with a raised edge that sinks while it is pressed.
class FlatButton : public QPushButton {
    Q_OBJECT

public:
    FlatButton(const QString& text, const QColor& back, QWidget* parent);

    QColor backColour() const { return back_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor back_;
};

} // namespace window
