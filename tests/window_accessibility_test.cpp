// SPDX-License-Identifier: GPL-3.0-or-later
#include "window_support.h"

#include <QAccessible>
#include <QAccessibleActionInterface>

using testing_support::ShownForm;

namespace {

struct Spoken {
    QAccessible::Role role;
    QString name;
    QString value;
};

// What a screen reader meets walking the window depth first.
void Walk(QAccessibleInterface* node, QList<Spoken>& out) {
    for (int i = 0; i < node->childCount(); ++i) {
        QAccessibleInterface* child = node->child(i);
        QVERIFY(child);
        QCOMPARE(node->indexOfChild(child), i);
        QCOMPARE(child->parent()->object(), node->object());
        out << Spoken{child->role(), child->text(QAccessible::Name),
                      child->text(QAccessible::Value)};
        Walk(child, out);
    }
}

QList<Spoken> WalkWindow(QWidget& form) {
    QList<Spoken> spoken;
    Walk(QAccessible::queryAccessibleInterface(&form), spoken);
    return spoken;
}

QStringList Names(const QList<Spoken>& spoken, QAccessible::Role role) {
    QStringList names;
    for (const Spoken& s : spoken)
        if (s.role == role)
            names << s.name;
    return names;
}

} // namespace

class WindowAccessibilityTest : public QObject {
    Q_OBJECT

private slots:

    void aScreenReaderMeetsTheRowWithItsDigitsThenTheScoreRow() {
        ShownForm shown(0);
        const QList<Spoken> spoken = WalkWindow(shown.form);
        QStringList order;
        for (const Spoken& s : spoken)
            if (!s.name.isEmpty() && s.role != QAccessible::ScrollBar)
                order << s.name;
        QStringList expected{"Числова редица", "Промяна цифрите чрез On-Click",
                             "Цифра 1: 1",     "Цифра 2: 1",
                             "Цифра 3: 2",     "Цифра 4: 9",
                             "Цифра 5: 2",     "Цифра 6: 3",
                             "Цифра 7: 1",     "Цифра 8: 3",
                             "Цифра 9: 3",     "Цифра 10: 0"};
        for (int k = 11; k <= 15; ++k)
            expected << QString("Цифра %1: неизвестна").arg(k);
        expected << "Провери"
                 << "Верни отговори"
                 << "срещу"
                 << "Грешни отговори"
                 << "Чисти"
                 << "Помощ";
        QCOMPARE(order, expected);
    }

    void theBoxesAndCommandsAreButtonsAndNothingHiddenIsRead() {
        ShownForm shown(0);
        const QList<Spoken> spoken = WalkWindow(shown.form);
        QCOMPARE(Names(spoken, QAccessible::Button).size(), 17); // 15 boxes and 2 buttons
        // The hidden list and saying are not there to be read.
        for (const Spoken& s : spoken)
            QVERIFY2(!s.value.contains("Никой"), qPrintable(s.name));
    }

    void pressingABoxThroughItsInterfaceAdvancesTheDigit() {
        ShownForm shown(0);
        QAccessibleInterface* box =
            QAccessible::queryAccessibleInterface(shown.form.controls().Label2[10]);
        QVERIFY(box);
        QAccessibleActionInterface* actions = box->actionInterface();
        QVERIFY(actions);
        QVERIFY(actions->actionNames().contains(QAccessibleActionInterface::pressAction()));
        actions->doAction(QAccessibleActionInterface::pressAction());
        QCOMPARE(box->text(QAccessible::Name), QString("Цифра 11: 1"));
        QCOMPARE(shown.form.controls().Label2[10]->text(), QString("1"));
    }

    // Orca's click from flat review: two mouse clicks through the registry, which
    // arrive at one instant, and the press action, in either order.
    void aScreenReaderClickThatArrivesThreeWaysAdvancesOnce() {
        ShownForm shown(0);
        const auto press = [&](int k) {
            QAccessible::queryAccessibleInterface(shown.form.controls().Label2[k])
                ->actionInterface()
                ->doAction(QAccessibleActionInterface::pressAction());
        };
        const auto registryClicks = [&](int k) {
            QTest::mouseDClick(shown.form.windowHandle(), Qt::LeftButton, Qt::NoModifier,
                               testing_support::BoxPoint(k));
        };
        registryClicks(10);
        press(10);
        press(11);
        registryClicks(11);
        QCOMPARE(shown.Captions().mid(10, 2), QStringList({"1", "1"}));
    }

    void theCountersReadTheirScore() {
        ShownForm shown(0);
        shown.ClickAt(testing_support::kCheckButton);
        QAccessibleInterface* wrong =
            QAccessible::queryAccessibleInterface(shown.form.controls().Text2[1]);
        QCOMPARE(wrong->text(QAccessible::Name), QString("Грешни отговори"));
        QCOMPARE(wrong->text(QAccessible::Value), QString("1"));
        QVERIFY(wrong->state().readOnly);
    }
};

WINDOW_TEST_MAIN(WindowAccessibilityTest)
#include "window_accessibility_test.moc"
