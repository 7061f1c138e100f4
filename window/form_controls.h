// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "puzzle/digit_sequence.h"

#include <array>

class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QWidget;

namespace window {

class DigitBox;
class FlatButton;

// Every control of the window, by the name and index it has in the layout.
struct FormControls {
    std::array<QLineEdit*, puzzle::kCounterCount> Text2{};
    QListWidget* List1 = nullptr;
    QGroupBox* Frame1 = nullptr;
    std::array<DigitBox*, puzzle::kBoxCount> Label2{};
    std::array<FlatButton*, 2> Command1{};
    std::array<QPlainTextEdit*, 2> Text1{};
    std::array<QLabel*, 2> Label1{};
};

// Creates the controls of the layout on `form`, in the layout's order, sets the
// window's own size, colour and font, and the focus order.
FormControls BuildControls(QWidget& form);

} // namespace window
