// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/form_controls.h"

#include "layout/layout.h"
#include "window/appearance.h"
#include "window/clickable_label.h"
#include "window/etched_frame.h"
#include "window/flat_button.h"
#include "window/units.h"

#include <QGroupBox>
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
// widget, so the widget's type picks the array; only the two label arrays are
// told apart by name.
struct Slot {
    FormControls& controls;
    std::string_view array;
    std::size_t index;

    void Keep(QLineEdit* box) const { controls.Text2.at(index) = box; }
    void Keep(QPlainTextEdit* box) const { controls.Text1.at(index) = box; }
    void Keep(QListWidget* list) const { controls.List1 = list; }
    void Keep(EtchedFrame* frame) const { controls.Frame1 = frame; }
    void Keep(FlatButton* button) const { controls.Command1.at(index) = button; }
    void Keep(ClickableLabel* label) const {
        if (array == "Label2")
            controls.Label2.at(index) = label;
        else
            controls.Label1.at(index) = label;
    }
};

QWidget* CreateTextBox(const ControlRow& row, QWidget* parent, const Slot& slot) {
    if (row.other & kMultiLine) {
        auto* box = new QPlainTextEdit(WithLineFeeds(row.text), parent);
        box->setReadOnly(row.other & kReadOnly);
        box->setTabChangesFocus(true);
        box->setVerticalScrollBarPolicy((row.other & kVerticalScrollBar) ? Qt::ScrollBarAlwaysOn
                                                                         : Qt::ScrollBarAsNeeded);
        box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        SetBackColour(*box, QPalette::Base, row.back);
        slot.Keep(box);
        return box;
    }
    auto* box = new QLineEdit(QString::fromUtf8(row.text), parent);
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

QWidget* CreateLabel(const ControlRow& row, QWidget* parent, const Slot& slot) {
    auto* label = new ClickableLabel(QString::fromUtf8(row.text), parent);
    if (row.other & kCentred)
        label->setAlignment(Qt::AlignCenter);
    if (row.other & kOwnFont)
        label->setFont(ToQFont(kDigitFont));
    SetBackColour(*label, QPalette::Window, row.back);
    slot.Keep(label);
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

// "Label2(k)" with k = 3 is "Label2(3)".
QString MemberName(std::string_view control, int index) {
    QString name = QString::fromUtf8(control);
    if (name.endsWith("(k)"))
        name.replace(name.size() - 2, 1, QString::number(index));
    return name;
}

// The index a row's name gives its one member: "Text2(1)" gives 1, a name
// without an index 0; -1 for a "(k)" row of several members, or a malformed name.
constexpr int WrittenIndex(std::string_view control) {
    const std::size_t open = control.find('(');
    if (open == std::string_view::npos)
        return 0;
    if (control.back() != ')' || control.size() < open + 3)
        return -1;
    int index = 0;
    for (char digit : control.substr(open + 1, control.size() - open - 2)) {
        if (digit < '0' || digit > '9')
            return -1;
        index = index * 10 + (digit - '0');
    }
    return index;
}

constexpr bool EveryNameGivesAnIndex() {
    for (const ControlRow& row : kControls)
        if (WrittenIndex(row.control) < 0 && !row.control.ends_with("(k)"))
            return false;
    return true;
}
static_assert(EveryNameGivesAnIndex());

// Member k of a row: "Label2(k)" is Label2 and k, "Text2(1)" Text2 and 1.
Slot SlotOf(FormControls& controls, std::string_view control, int k) {
    const int written = WrittenIndex(control);
    return {controls, control.substr(0, control.find('(')),
            static_cast<std::size_t>(written < 0 ? k : written)};
}

// The frame is created before the boxes placed in it.
constexpr bool FrameComesFirst() {
    bool frame = false;
    for (const ControlRow& row : kControls) {
        frame = frame || row.kind == Frame;
        if ((row.other & kInFrame) && !frame)
            return false;
    }
    return true;
}
static_assert(FrameComesFirst());

} // namespace

FormControls BuildControls(QWidget& form) {
    form.setFixedSize(TwipsToPixels(kClientWidth), TwipsToPixels(kClientHeight));
    form.setFont(ToQFont(kWindowFont));
    // The controls inherit it, so no desktop colour reaches them.
    form.setPalette(FixedPalette());
    SetBackColour(form, QPalette::Window, kWindowBack);

    FormControls controls;
    std::map<QString, QWidget*> byName;
    for (const ControlRow& row : kControls) {
        QWidget* parent = (row.other & kInFrame) ? static_cast<QWidget*>(controls.Frame1) : &form;
        for (int k = row.members - 1; k >= 0; --k) {
            QWidget* control = CreateControl(row, parent, SlotOf(controls, row.control, k));
            control->setObjectName(MemberName(row.control, k));
            control->setGeometry(TwipsToPixels(row.left + row.pitch * k), TwipsToPixels(row.top),
                                 TwipsToPixels(row.width), TwipsToPixels(row.height));
            control->setVisible(!(row.other & kHidden));
            byName[control->objectName()] = control;
        }
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
