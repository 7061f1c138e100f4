// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/form_controls.h"

#include "layout/layout.h"
#include "layout/members.h"
#include "window/colour.h"
#include "window/counter_box.h"
#include "window/digit_box.h"
#include "window/etched_frame.h"
#include "window/fixed_palette.h"
#include "window/flat_button.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>

#include <map>
#include <stdexcept>

namespace window {
namespace {

using namespace layout;

QFont ToQFont(const Font& font) {
    QFont result;
    result.setFamilies({QString::fromUtf8(font.face), QString::fromUtf8(font.fallback)});
    result.setPixelSize(PointsToPixels(font.points));
    result.setWeight(QFont::Normal);
    return result;
}

// Qt's text documents break paragraphs on a bare line feed.
QString WithLineFeeds(std::string_view text) {
    return QString::fromUtf8(text).replace("\r\n", "\n");
}

void SetBackColour(QWidget& widget, QPalette::ColorRole role, BackColour back) {
    if (back.isDefault)
        return;
    QPalette palette = widget.palette();
    palette.setColor(role, ToQColor(back.bgr));
    widget.setPalette(palette);
    if (role == QPalette::Window)
        widget.setAutoFillBackground(true);
}

// Where a new control goes in FormControls. Each array there holds one kind of
// widget, so the widget's type picks the array.
struct Slot {
    FormControls& controls;
    std::string_view array;
    int index; // -1 outside an array

    void Keep(QLineEdit* box) const { controls.Text2.at(at()) = box; }
    void Keep(QPlainTextEdit* box) const { controls.Text1.at(at()) = box; }
    void Keep(QListWidget* list) const { controls.List1 = list; }
    void Keep(EtchedFrame* frame) const { controls.Frame1 = frame; }
    void Keep(FlatButton* button) const { controls.Command1.at(at()) = button; }
    void Keep(DigitBox* box) const { controls.Label2.at(at()) = box; }
    void Keep(QLabel* label) const { controls.Label1.at(at()) = label; }
    std::size_t at() const { return static_cast<std::size_t>(index); }
};

QWidget* CreateTextBox(const ControlRow& row, QWidget* parent, const Slot& slot) {
    if (row.other & kMultiLine) {
        auto* box = new QPlainTextEdit(WithLineFeeds(row.text), parent);
        box->setReadOnly(row.other & kReadOnly);
        // A caret that the arrow keys move, so that a screen reader reads the text
        // line by line; typing still changes nothing.
        box->setTextInteractionFlags(box->textInteractionFlags() | Qt::TextSelectableByKeyboard);
        box->setTabChangesFocus(true);
        box->setVerticalScrollBarPolicy((row.other & kVerticalScrollBar) ? Qt::ScrollBarAlwaysOn
                                                                         : Qt::ScrollBarAsNeeded);
        box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        SetBackColour(*box, QPalette::Base, row.back);
        slot.Keep(box);
        return box;
    }
    auto* box = new CounterBox(QString::fromUtf8(row.text), parent);
    box->setReadOnly(row.other & kReadOnly);
    if (row.other & kCentred)
        box->setAlignment(Qt::AlignCenter);
    SetBackColour(*box, QPalette::Base, row.back);
    slot.Keep(box);
    return box;
}

QWidget* CreateListBox(const ControlRow& row, QWidget* parent, const Slot& slot) {
    auto* list = new QListWidget(parent);
    list->setSortingEnabled(false);
    if (row.other & kSequenceEntries)
        for (std::string_view entry : puzzle::DigitSequence)
            list->addItem(QString::fromUtf8(entry));
    SetBackColour(*list, QPalette::Base, row.back);
    slot.Keep(list);
    return list;
}

QWidget* CreateFrame(const ControlRow& row, QWidget* parent, const Slot& slot) {
    auto* frame = new EtchedFrame(QString::fromUtf8(row.text), parent);
    SetBackColour(*frame, QPalette::Window, row.back);
    slot.Keep(frame);
    return frame;
}

// The digit boxes are clicked, and draw their digit centred; the other labels
// are plain text.
QWidget* CreateLabel(const ControlRow& row, QWidget* parent, const Slot& slot) {
    const QString text = QString::fromUtf8(row.text);
    QWidget* label = nullptr;
    if (slot.array == "Label2") {
        auto* box = new DigitBox(text, slot.index, parent);
        slot.Keep(box);
        label = box;
    } else {
        auto* plain = new QLabel(text, parent);
        if (row.other & kCentred)
            plain->setAlignment(Qt::AlignCenter);
        slot.Keep(plain);
        label = plain;
    }
    if (row.other & kOwnFont)
        label->setFont(ToQFont(kDigitFont));
    SetBackColour(*label, QPalette::Window, row.back);
    return label;
}

QWidget* CreateButton(const ControlRow& row, QWidget* parent, const Slot& slot) {
    const QColor back =
        row.back.isDefault ? parent->palette().color(QPalette::Button) : ToQColor(row.back.bgr);
    auto* button = new FlatButton(QString::fromUtf8(row.text), back, parent);
    slot.Keep(button);
    return button;
}

QWidget* CreateControl(const ControlRow& row, QWidget* parent, const Slot& slot) {
    switch (row.kind) {
    case TextBox:
        return CreateTextBox(row, parent, slot);
    case ListBox:
        return CreateListBox(row, parent, slot);
    case Frame:
        return CreateFrame(row, parent, slot);
    case Label:
        return CreateLabel(row, parent, slot);
    case Button:
        return CreateButton(row, parent, slot);
    }
    throw std::logic_error("unknown control kind");
}

} // namespace

FormControls BuildControls(QWidget& form) {
    form.setFixedSize(TwipsToPixels(kClientWidth), TwipsToPixels(kClientHeight));
    form.setFont(ToQFont(kWindowFont));
    // The controls inherit it, so no desktop colour reaches them.
    form.setPalette(FixedPalette());
    SetBackColour(form, QPalette::Window, kWindowBack);

    FormControls controls;
    std::map<QString, QWidget*> byName;
    for (const Member& member : Members()) {
        const ControlRow& row = *member.row;
        QWidget* parent = (row.other & kInFrame) ? static_cast<QWidget*>(controls.Frame1) : &form;
        QWidget* control = CreateControl(row, parent, {controls, member.array, member.index});
        control->setObjectName(QString::fromStdString(member.name()));
        control->setGeometry(TwipsToPixels(member.left()), TwipsToPixels(row.top),
                             TwipsToPixels(row.width), TwipsToPixels(row.height));
        control->setVisible(!(row.other & kHidden));
        byName[control->objectName()] = control;
    }

    // Only the controls named in the focus order take the focus, in that order.
    for (QWidget* control : form.findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        control->setFocusPolicy(Qt::NoFocus);
    QWidget* previous = nullptr;
    for (std::string_view name : kFocusOrder) {
        QWidget* control = byName.at(QString::fromUtf8(name));
        control->setFocusPolicy(Qt::StrongFocus);
        if (previous)
            QWidget::setTabOrder(previous, control);
        previous = control;
    }
    return controls;
}

} // namespace window
