// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/accessibility.h"

#include "layout/spoken.h"
#include "layout/texts.h"
#include "window/announcer.h"
#include "window/clickable_label.h"
#include "window/etched_frame.h"
#include "window/flat_button.h"
#include "window/puzzle_form.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

#include <algorithm>

namespace window {
namespace {

// Children from top to bottom, and left to right within a row, rather than in
// the order they were created; hidden ones are left out.
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
            return std::pair(a->y(), a->x()) < std::pair(b->y(), b->x());
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
    explicit DigitBoxAccessible(ClickableLabel* box)
        : QAccessibleWidget(box, QAccessible::Button) {}

    QString text(QAccessible::Text kind) const override {
        if (kind != QAccessible::Name)
            return QAccessibleWidget::text(kind);
        const std::string caption = static_cast<QLabel*>(widget())->text().toStdString();
        // The widget's own accessible name holds the place, so that QLabel does
        // not announce every caption change on its own: AnnounceBoxDigit does.
        const int box = widget()->accessibleName().toInt() - 1;
        return QString::fromStdString(layout::DigitBoxSpokenName(box, caption));
    }

    QStringList actionNames() const override { return {pressAction()}; }

    void doAction(const QString& action) override {
        if (action == pressAction())
            static_cast<ClickableLabel*>(widget())->pressFromScreenReader();
    }
};

// Chooses by type alone, so that the interface is the same whenever Qt first
// asks for it: Qt 6.8 already does while the window is being built.
QAccessibleInterface* CreateInterface(const QString&, QObject* object) {
    if (auto* box = qobject_cast<ClickableLabel*>(object))
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

void MakeAccessible(const FormControls& controls) {
    controls.Frame1->setAccessibleName(controls.Frame1->title());
    for (std::size_t k = 0; k < controls.Label2.size(); ++k)
        controls.Label2[k]->setAccessibleName(QString::number(k + 1));
    controls.Label1[0]->setAccessibleName(controls.Label1[0]->text());
    controls.Label1[1]->setAccessibleName(QString::fromUtf8(texts::kScoreSeparatorSpoken));
    controls.Text2[0]->setAccessibleName(QString::fromUtf8(texts::kCorrectCounterSpoken));
    controls.Text2[1]->setAccessibleName(QString::fromUtf8(texts::kWrongCounterSpoken));
    controls.Command1[0]->setAccessibleName(controls.Command1[0]->text());
    controls.Command1[0]->setAccessibleDescription(
        QString::fromUtf8(texts::kCheckButtonDescription));
    controls.Command1[1]->setAccessibleName(controls.Command1[1]->text());
    controls.Command1[1]->setAccessibleDescription(
        QString::fromUtf8(texts::kNewRowButtonDescription));
    controls.Text1[0]->setAccessibleName(QString::fromUtf8(texts::kHelpTextSpoken));
}

QString SpokenName(QWidget& control) {
    const QAccessibleInterface* spoken = QAccessible::queryAccessibleInterface(&control);
    return spoken ? spoken->text(QAccessible::Name) : QString();
}

void AnnounceBoxDigit(QWidget& box) {
    if (!QAccessible::isActive())
        return;
    // Reaches the accessibility bus as a change of the box's name, which is
    // where its digit is read.
    QAccessibleEvent event(&box, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&event);
}

} // namespace window
