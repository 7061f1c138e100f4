// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/widget_board.h"

#include "runtime/runtime_error.h"
#include "window/digit_box.h"

#include <QLineEdit>
#include <QListWidget>

namespace window {
namespace {

template <typename Array> auto Member(const Array& array, std::int16_t index, const char* name) {
    if (index < 0 || static_cast<std::size_t>(index) >= array.size())
        throw runtime::NoSuchMember(name, index);
    return array[static_cast<std::size_t>(index)];
}

} // namespace

std::string WidgetBoard::ListEntry(std::int16_t position) const {
    // Past either end the list has no item, and the entry reads as empty.
    const QListWidgetItem* item = controls_.List1->item(position);
    return item ? item->text().toStdString() : std::string();
}

std::string WidgetBoard::BoxCaption(std::int16_t box) const {
    return Member(controls_.Label2, box, "Label2")->text().toStdString();
}

void WidgetBoard::SetBoxCaption(std::int16_t box, const std::string& caption) {
    // The box tells a listening screen reader of its new name.
    Member(controls_.Label2, box, "Label2")->setText(QString::fromUtf8(caption));
}

std::string WidgetBoard::CounterText(std::int16_t counter) const {
    return Member(controls_.Text2, counter, "Text2")->text().toStdString();
}

void WidgetBoard::SetCounterText(std::int16_t counter, const std::string& text) {
    Member(controls_.Text2, counter, "Text2")->setText(QString::fromUtf8(text));
}

} // namespace window
