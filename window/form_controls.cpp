// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/form_controls.h"

#include "layout/layout.h"
#include "window/appearance.h"
#include "window/clickable_label.h"
#include "window/etched_frame.h"
#include "window/flat_button.h"
#include "window/qt_text.h"
#include "window/units.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>

#include <stdexcept>
#include <string>

namespace window {
namespace {

using namespace layout;

QFont ToQFont(const Font& font) {
    QFont result;
    result.setFamilies({ToQString(font.face), ToQString(font.fallback)});
    result.setPixelSize(PointsToPixels(font.points));
    result.setWeight(QFont::Normal);
    return result;
}

// Qt's text documents break paragraphs on a bare line feed.
QString WithLineFeeds(std::string_view text) {
    return ToQString(text).replace("\r\n", "\n");
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

QWidget* CreateTextBox(const ControlRow& row, QWidget* parent) {
    if (row.other & kMultiLine) {
        auto* box = new QPlainTextEdit(WithLineFeeds(row.text), parent);
        box->setReadOnly(row.other & kReadOnly);
        box->setTabChangesFocus(true);
        box->setVerticalScrollBarPolicy((row.other & kVerticalScrollBar) ? Qt::ScrollBarAlwaysOn
                                                                         : Qt::ScrollBarAsNeeded);
        box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        SetBackColour(*box, QPalette::Base, row.back);
        return box;
    }
    auto* box = new QLineEdit(ToQString(row.text), parent);
    box->setReadOnly(row.other & kReadOnly);
    if (row.other & kCentred)
        box->setAlignment(Qt::AlignCenter);
    SetBackColour(*box, QPalette::Base, row.back);
    return box;
}

QWidget* CreateListBox(const ControlRow& row, QWidget* parent) {
    auto* list = new QListWidget(parent);
    list->setSortingEnabled(false);
    if (row.other & kSequenceEntries)
        for (std::string_view entry : puzzle::DigitSequence)
            list->addItem(ToQString(entry));
    SetBackColour(*list, QPalette::Base, row.back);
    return list;
}

QWidget* CreateFrame(const ControlRow& row, QWidget* parent) {
    auto* frame = new EtchedFrame(ToQString(row.text), parent);
    SetBackColour(*frame, QPalette::Window, row.back);
    return frame;
}

QWidget* CreateLabel(const ControlRow& row, QWidget* parent) {
    auto* label = new ClickableLabel(ToQString(row.text), parent);
    if (row.other & kCentred)
        label->setAlignment(Qt::AlignCenter);
    if (row.other & kOwnFont)
        label->setFont(ToQFont(kDigitFont));
    SetBackColour(*label, QPalette::Window, row.back);
    return label;
}

QWidget* CreateButton(const ControlRow& row, QWidget* parent) {
    const QColor back =
        row.back.isDefault ? parent->palette().color(QPalette::Button) : ToQColor(row.back.bgr);
    return new FlatButton(ToQString(row.text), back, parent);
}

QWidget* CreateControl(const ControlRow& row, QWidget* parent) {
    switch (row.kind) {
    case TextBox:
        return CreateTextBox(row, parent);
    case ListBox:
        return CreateListBox(row, parent);
    case Frame:
        return CreateFrame(row, parent);
    case Label:
        return CreateLabel(row, parent);
    case Button:
        return CreateButton(row, parent);
    }
    throw std::logic_error("unknown control kind");
}

// "Label2(k)" with k = 3 is "Label2(3)".
QString MemberName(std::string_view control, int index) {
    QString name = ToQString(control);
    if (name.endsWith("(k)"))
        name.replace(name.size() - 2, 1, QString::number(index));
    return name;
}

template <typename Widget, std::size_t N>
void Collect(QWidget& form, std::string_view array, std::array<Widget*, N>& members) {
    for (std::size_t k = 0; k < N; ++k) {
        QString name = ToQString(array) + '(' + QString::number(k) + ')';
        members[k] = form.findChild<Widget*>(name);
        if (!members[k])
            throw std::logic_error("layout has no " + name.toStdString());
    }
}

template <typename Widget> Widget* Find(QWidget& form, std::string_view name) {
    auto* widget = form.findChild<Widget*>(ToQString(name));
    if (!widget)
        throw std::logic_error("layout has no " + std::string(name));
    return widget;
}

} // namespace

FormControls BuildControls(QWidget& form) {
    form.setFixedSize(TwipsToPixels(kClientWidth), TwipsToPixels(kClientHeight));
    form.setFont(ToQFont(kWindowFont));
    // The controls inherit it, so no desktop colour reaches them.
    form.setPalette(FixedPalette());
    SetBackColour(form, QPalette::Window, kWindowBack);

    QWidget* frame = nullptr;
    for (const ControlRow& row : kControls) {
        QWidget* parent = (row.other & kInFrame) ? frame : &form;
        if (!parent)
            throw std::logic_error("a control is placed in the frame before the frame exists");
        for (int k = row.members - 1; k >= 0; --k) {
            QWidget* control = CreateControl(row, parent);
            control->setObjectName(MemberName(row.control, k));
            control->setGeometry(TwipsToPixels(row.left + row.pitch * k), TwipsToPixels(row.top),
                                 TwipsToPixels(row.width), TwipsToPixels(row.height));
            control->setVisible(!(row.other & kHidden));
            if (row.kind == Frame)
                frame = control;
        }
    }

    FormControls controls;
    Collect(form, "Text2", controls.Text2);
    controls.List1 = Find<QListWidget>(form, "List1");
    controls.Frame1 = Find<QGroupBox>(form, "Frame1");
    Collect(form, "Label2", controls.Label2);
    Collect(form, "Command1", controls.Command1);
    Collect(form, "Text1", controls.Text1);
    Collect(form, "Label1", controls.Label1);

    // Only the controls named in the focus order take the focus, in that order.
    for (QWidget* control : form.findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        control->setFocusPolicy(Qt::NoFocus);
    QWidget* previous = nullptr;
    for (std::string_view name : kFocusOrder) {
        auto* control = Find<QWidget>(form, name);
        control->setFocusPolicy(Qt::StrongFocus);
        if (previous)
            QWidget::setTabOrder(previous, control);
        previous = control;
    }
    return controls;
}

} // namespace window
