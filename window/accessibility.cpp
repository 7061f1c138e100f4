// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/accessibility.h"

#include "layout/spoken.h"
#include "window/announcer.h"
#include "window/digit_box.h"
#include "window/etched_frame.h"
#include "window/puzzle_form.h"

#include <QAccessible>
#include <QAccessibleWidget>

#include <algorithm>
#include <stdexcept>

namespace window {
namespace {

// Children in reading order rather than in the order they were created; hidden
// ones are left out.
class ReadingOrderAccessible : public QAccessibleWidget {
public:
    using QAccessibleWidget::QAccessibleWidget;

    int childCount() const override { return static_cast<int>(childWidgets().size()); }

    QAccessibleInterface* child(int index) const override {
        const QList<QWidget*> children = childWidgets();
        if (index < 0 || index >= children.size())
            return nullptr;
        return QAccessible::queryAccessibleInterface(children[index]);
    }

    int indexOfChild(const QAccessibleInterface* child) const override {
        if (!child)
            return -1;
        return static_cast<int>(childWidgets().indexOf(qobject_cast<QWidget*>(child->object())));
    }

private:
    QList<QWidget*> childWidgets() const {
        QList<QWidget*> children;
        for (QObject* object : widget()->children()) {
            auto* child = qobject_cast<QWidget*>(object);
            if (child && !child->isWindow() && !child->isHidden())
                children << child;
        }
        std::stable_sort(children.begin(), children.end(), [](QWidget* a, QWidget* b) {
            return layout::ReadsBefore(a->y(), a->x(), b->y(), b->x());
        });
        return children;
    }
};

// A digit box reads as a button whose name says its place in the row and the
// digit it shows, the hidden mark as a word; pressing it advances the digit as a
// click does. The digit goes into the name because that is what the Linux
// accessibility bus carries for a button: Qt's bridge publishes a value only
// for objects with a numeric value interface, and a hidden digit has no number.
class DigitBoxAccessible : public QAccessibleWidget {
public:
    explicit DigitBoxAccessible(DigitBox* box) : QAccessibleWidget(box, QAccessible::Button) {}

    QString text(QAccessible::Text kind) const override {
        if (kind != QAccessible::Name)
            return QAccessibleWidget::text(kind);
        return QString::fromStdString(
            layout::DigitBoxSpokenName(box().place(), box().text().toStdString()));
    }

    QStringList actionNames() const override { return {pressAction()}; }

    void doAction(const QString& action) override {
        if (action == pressAction())
            box().pressFromScreenReader();
    }

private:
    DigitBox& box() const { return *static_cast<DigitBox*>(widget()); }
};

// Chooses by type alone, so that the interface is the same whenever Qt first
// asks for it: Qt 6.8 already does while the window is being built.
QAccessibleInterface* CreateInterface(const QString&, QObject* object) {
    if (auto* box = qobject_cast<DigitBox*>(object))
        return new DigitBoxAccessible(box);
    if (auto* frame = qobject_cast<EtchedFrame*>(object))
        return new ReadingOrderAccessible(frame, QAccessible::Grouping);
    if (auto* form = qobject_cast<PuzzleForm*>(object))
        return new ReadingOrderAccessible(form, QAccessible::Window);
    if (auto* announcer = qobject_cast<Announcer*>(object))
        return new QAccessibleWidget(announcer, QAccessible::Notification);
    return nullptr;
}

// Before any widget exists: an interface Qt has made is kept for the widget's life.
void InstallFactory() {
    QAccessible::installFactory(CreateInterface);
}
Q_CONSTRUCTOR_FUNCTION(InstallFactory)

} // namespace

void MakeAccessible(QWidget& form) {
    for (const layout::Member& member : layout::Members()) {
        const layout::SpokenRow* spoken = layout::SpokenFor(member);
        if (!spoken)
            continue;
        auto* control = form.findChild<QWidget*>(QString::fromStdString(member.name()));
        if (!control)
            throw std::logic_error("no control " + member.name() + " to name");
        control->setAccessibleName(QString::fromUtf8(spoken->name));
        control->setAccessibleDescription(QString::fromUtf8(spoken->description));
    }
}

QString SpokenName(QWidget& control) {
    const QAccessibleInterface* spoken = QAccessible::queryAccessibleInterface(&control);
    return spoken ? spoken->text(QAccessible::Name) : QString();
}

} // namespace window
