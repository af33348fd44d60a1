// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The window as assistive technology sees it: every control through Qt's accessibility
// interface against the accessibility table, and the announcement of every caption written to
// the result line.
//
// Qt hands each accessibility event to the platform's accessibility layer whether or not a
// screen reader listens; on the offscreen desktop that layer passes it on to every accessibility
// bridge plugin. The test links one such plugin of its own, which hears what a screen reader's
// bridge would be told.
#include "support.h"

#include "accessibility.h"
#include "core_backend.h"
#include "qt_backend.h"
#include "widgets.h"
#include "window_table.h"

#include <QAccessible>
#include <QAccessibleBridge>
#include <QAccessibleBridgePlugin>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QtPlugin>

#include <algorithm>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace ostrel::test {
namespace {

using gui::toQString;

// One event as the platform layer received it, with what the source told at that moment.
struct Heard {
    QAccessible::Event type;
    QObject *source;
    QString description;
};

std::vector<Heard> &heard()
{
    static std::vector<Heard> events;
    return events;
}

class ListeningBridge : public QAccessibleBridge {
public:
    void setRootObject(QAccessibleInterface *) override {}
    void notifyAccessibilityUpdate(QAccessibleEvent *event) override
    {
        QAccessibleInterface *source = event->accessibleInterface();
        heard().push_back({event->type(), event->object(),
                           source ? source->text(QAccessible::Description) : QString()});
    }
};

QAccessible::Role roleOf(layout::Kind kind)
{
    switch (kind) {
    case layout::Kind::label:
        return QAccessible::StaticText;
    case layout::Kind::textBox:
        return QAccessible::EditableText;
    case layout::Kind::frame:
        return QAccessible::Grouping;
    case layout::Kind::checkBox:
        return QAccessible::CheckBox;
    case layout::Kind::radioButton:
        return QAccessible::RadioButton;
    case layout::Kind::dropDown:
        return QAccessible::ComboBox;
    case layout::Kind::button:
        break;
    }
    return QAccessible::Button;
}

// What a user does in one step, on the core with its test double and on the real window alike:
// types into a field, clicks a control, or presses Tab.
struct Step {
    enum Kind { type, click, tab } kind;
    const layout::Control *control = nullptr;
    std::u16string_view text = {};
};

Step typing(Field field, std::u16string_view text)
{
    return {Step::type, &layout::fieldControl(field), text};
}

Step clicking(const layout::Control &control)
{
    return {Step::click, &control, {}};
}

Step clicking(const Action &action)
{
    return clicking(*layout::controlFor(action));
}

Step clicking(Field field)
{
    return clicking(layout::fieldControl(field));
}

Step clicking(Key key)
{
    return clicking(layout::keyControl(key));
}

const Step tabbing{Step::tab, nullptr, {}};

struct Story {
    const char *name;
    std::vector<Step> steps;
    // The steps after which the core has written the result line, by index.
    std::vector<std::size_t> writes;
};

const std::vector<Story> &stories()
{
    static const std::vector<Story> all{
        {"calculation",
         {typing(Field::oldPrice, u"10"), typing(Field::sharesHeld, u"5000"),
          typing(Field::newPrice, u"8"), typing(Field::balance, u"2000"),
          typing(Field::moneyToSpend, u"20000"), clicking(Calculate{})},
         {5}},
        {"calculation after a full-funds fill",
         {typing(Field::oldPrice, u"12.5"), typing(Field::sharesHeld, u"3000"),
          typing(Field::newPrice, u"7.3"), typing(Field::balance, u"1234.5"), clicking(Calculate{}),
          clicking(Calculate{})},
         {4, 5}},
        {"reset all", {clicking(Reset{ResetGroup::all})}, {0}},
        {"reset all twice",
         {clicking(Reset{ResetGroup::all}), clicking(Reset{ResetGroup::all})},
         {0, 1}},
        {"reset old stock", {clicking(Reset{ResetGroup::oldStock})}, {0}},
        {"reset new stock", {clicking(Reset{ResetGroup::newStock})}, {0}},
        {"every reset",
         {clicking(Reset{ResetGroup::oldStock}), clicking(Reset{ResetGroup::newStock}),
          clicking(Reset{ResetGroup::all})},
         {0, 1, 2}},
        {"editing the fields",
         {clicking(Field::oldPrice), clicking(Key::digit5), clicking(Key::point),
          clicking(Key::backspace), clicking(Key::clear), tabbing, clicking(Field::feePerMille),
          clicking(Field::moneyToSpend), typing(Field::balance, u"100")},
         {}},
        {"calculation stopped by an input check", {clicking(Calculate{})}, {}},
        {"instructions", {clicking(ShowInstructions{})}, {}},
    };
    return all;
}

void perform(testing::Backend &backend, const Step &step)
{
    switch (step.kind) {
    case Step::type:
        backend.type(*step.control->field, step.text);
        return;
    case Step::click:
        backend.click(*step.control);
        return;
    case Step::tab:
        break;
    }
    backend.tab();
}

} // namespace

class AccessibilityTest : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        m_window = openWindow();
        heard().clear();
    }
    void cleanup() { m_window.reset(); }

    void controls_data()
    {
        QTest::addColumn<int>("position");
        for (const layout::Control &control : layout::controls())
            QTest::newRow(std::string(control.id).c_str())
                << static_cast<int>(layout::positionOf(control));
    }

    // What a screen reader reads of each control: its role, its name, its description, whether
    // it can take the focus or is not shown at all, and the text of an entry field.
    void controls()
    {
        QFETCH(int, position);
        const layout::Control &control = layout::controls()[static_cast<std::size_t>(position)];
        QWidget *widget = m_window->controls().widget(control);
        QAccessibleInterface *face = QAccessible::queryAccessibleInterface(widget);
        QVERIFY(face && face->isValid());
        QCOMPARE(face->object(), widget);

        QCOMPARE(face->role(), roleOf(control.kind));
        const QString accessibleName = face->text(QAccessible::Name);
        QCOMPARE(accessibleName, toQString(layout::accessibleName(control)));
        QVERIFY(!accessibleName.isEmpty());
        const QString description = face->text(QAccessible::Description);
        if (control.isResultLine || control.isFeeModelNote) {
            QCOMPARE(description, qobject_cast<QLabel *>(widget)->text());
            QVERIFY(!description.isEmpty());
        } else {
            QCOMPARE(description, toQString(layout::accessibleDescription(control)));
        }

        const QAccessible::State state = face->state();
        QCOMPARE(static_cast<bool>(state.invisible), !control.visible);
        QCOMPARE(static_cast<bool>(state.focusable), control.takesFocus());
        QVERIFY(!state.disabled);
        if (control.kind == layout::Kind::textBox) {
            QCOMPARE(face->text(QAccessible::Value), toQString(control.text));
            QCOMPARE(static_cast<bool>(state.editable), true);
        }
    }

    // A screen reader walks the window's tree of accessible objects: every control that is
    // shown hangs in it below the window, with a parent that counts it among its children.
    void everyShownControlIsInTheWindowsTree()
    {
        QAccessibleInterface *window = QAccessible::queryAccessibleInterface(m_window.get());
        QVERIFY(window);
        for (const layout::Control &control : layout::controls()) {
            if (!control.visible)
                continue;
            const QString name = toQString(control.id);
            QAccessibleInterface *face =
                QAccessible::queryAccessibleInterface(m_window->controls().widget(control));
            QAccessibleInterface *parent = face->parent();
            QVERIFY2(parent, qPrintable(name));
            QVERIFY2(parent->indexOfChild(face) >= 0, qPrintable(name));
            while (parent && parent->object() != m_window.get())
                parent = parent->parent();
            QVERIFY2(parent, qPrintable(name + QStringLiteral(" is outside the window")));
        }
    }

    // A screen reader finds only what hangs in the tree below the window: every control that
    // is shown, and nothing of the hidden field, whose text the calculator still keeps.
    void theTreeHoldsExactlyTheShownControls()
    {
        std::set<QObject *> inTree;
        std::vector<QAccessibleInterface *> toVisit{
            QAccessible::queryAccessibleInterface(m_window.get())};
        while (!toVisit.empty()) {
            QAccessibleInterface *face = toVisit.back();
            toVisit.pop_back();
            QVERIFY(face && face->isValid());
            QVERIFY2(inTree.insert(face->object()).second, "an object is twice in the tree");
            for (int i = 0; i < face->childCount(); ++i) {
                QAccessibleInterface *child = face->child(i);
                QVERIFY(child);
                QCOMPARE(face->indexOfChild(child), i);
                toVisit.push_back(child);
            }
        }
        for (const layout::Control &control : layout::controls()) {
            QWidget *widget = m_window->controls().widget(control);
            QVERIFY2(inTree.count(widget) == (control.visible ? 1u : 0u),
                     qPrintable(toQString(control.id)));
            QCOMPARE(layout::isInAccessibleTree(control), control.visible);
        }
        const QLineEdit *hidden = m_window->controls().field(Field::plannedShares);
        QVERIFY(hidden->isHidden());
        QCOMPARE(inTree.count(const_cast<QLineEdit *>(hidden)), 0u);
    }

    // Each shown field is labelled by the label that shows its caption, and by nothing else,
    // not the frame around it: Qt's Label relation, which the desktop's accessibility bus
    // reports as labelled-by; the label tells the same from its side (label-for).
    void eachShownFieldIsLabelledByItsCaption_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("label");
        const std::pair<const char *, const char *> captions[] = {
            {"oldprice", "L1"},  {"buy6", "L1"},          {"newprice", "Label3"},
            {"souxufei", "yhs"}, {"savemoney", "Label4"}, {"buymoney", "Label7"}};
        for (const auto &[field, label] : captions)
            QTest::newRow(field) << QString::fromLatin1(field) << QString::fromLatin1(label);
    }

    void eachShownFieldIsLabelledByItsCaption()
    {
        QFETCH(QString, field);
        QFETCH(QString, label);
        QWidget *fieldWidget = m_window->findChild<QWidget *>(field);
        QWidget *labelWidget = m_window->findChild<QWidget *>(label);
        QVERIFY(fieldWidget && labelWidget);
        QAccessibleInterface *fieldFace = QAccessible::queryAccessibleInterface(fieldWidget);
        QAccessibleInterface *labelFace = QAccessible::queryAccessibleInterface(labelWidget);

        QCOMPARE(objectsOf(fieldFace->relations(QAccessible::Label)), QStringList{label});
        QVERIFY(objectsOf(fieldFace->relations(QAccessible::Labelled)).isEmpty());
        QStringList labelled;
        for (const layout::Control &control : layout::controls()) {
            if (const layout::Control *caption = layout::labelledBy(control);
                caption && toQString(caption->id) == label)
                labelled << toQString(control.id);
        }
        QVERIFY(labelled.contains(field));
        QCOMPARE(objectsOf(labelFace->relations(QAccessible::Labelled)), labelled);
        QCOMPARE(labelFace->role(), QAccessible::StaticText);
    }

    // Apart from its label, a field tells assistive technology what Qt's own line edit tells:
    // its text, caret, selection, words and characters, and takes edits, as a plain line edit
    // with the same text does through Qt's interface.
    void fieldsReadAndEditAsQtsLineEdit_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("price") << QStringLiteral("12.5");
        QTest::newRow("empty") << QString();
        QTest::newRow("words") << QStringLiteral("10 5000 8.5");
        QTest::newRow("long") << QString(300, QLatin1Char('7'));
    }

    void fieldsReadAndEditAsQtsLineEdit()
    {
        QFETCH(QString, text);
        QLineEdit *field = m_window->controls().field(Field::oldPrice);
        QLineEdit plain(m_window.get());
        plain.setGeometry(field->geometry());
        plain.setFont(field->font());
        plain.show();
        for (QLineEdit *edit : {field, &plain}) {
            edit->setText(text);
            edit->setCursorPosition(static_cast<int>(text.size() / 2));
        }
        QAccessibleInterface *ours = QAccessible::queryAccessibleInterface(field);
        QAccessibleInterface *qts = QAccessible::queryAccessibleInterface(&plain);
        QAccessibleTextInterface *ourText = ours->textInterface();
        QAccessibleTextInterface *qtText = qts->textInterface();
        QVERIFY(ourText && qtText && ours->editableTextInterface());
        QCOMPARE(ours->text(QAccessible::Value), qts->text(QAccessible::Value));
        QCOMPARE(ours->state().editable, qts->state().editable);
        QCOMPARE(ours->state().selectableText, qts->state().selectableText);

        const int count = qtText->characterCount();
        QCOMPARE(ourText->characterCount(), count);
        QCOMPARE(ourText->cursorPosition(), qtText->cursorPosition());
        QCOMPARE(ourText->text(0, count), qtText->text(0, count));
        QCOMPARE(ourText->text(1, 3), qtText->text(1, 3));
        for (const int offset : {0, 1, count / 2, count - 1, -2}) {
            for (const auto boundary : {QAccessible::CharBoundary, QAccessible::WordBoundary,
                                        QAccessible::LineBoundary}) {
                int ourStart = 0, ourEnd = 0, qtStart = 0, qtEnd = 0;
                QCOMPARE(ourText->textAtOffset(offset, boundary, &ourStart, &ourEnd),
                         qtText->textAtOffset(offset, boundary, &qtStart, &qtEnd));
                QCOMPARE(std::pair(ourStart, ourEnd), std::pair(qtStart, qtEnd));
                QCOMPARE(ourText->textBeforeOffset(offset, boundary, &ourStart, &ourEnd),
                         qtText->textBeforeOffset(offset, boundary, &qtStart, &qtEnd));
                QCOMPARE(ourText->textAfterOffset(offset, boundary, &ourStart, &ourEnd),
                         qtText->textAfterOffset(offset, boundary, &qtStart, &qtEnd));
            }
        }

        // Where each character is drawn leads back to it.
        int previousLeft = -1;
        for (int offset = 0; offset < std::min(count, 6); ++offset) {
            const QRect place = ourText->characterRect(offset);
            QVERIFY(!place.isEmpty());
            QVERIFY(place.left() > previousLeft);
            previousLeft = place.left();
            QCOMPARE(ourText->offsetAtPoint(place.center() - QPoint(place.width() / 4, 0)), offset);
        }
        QVERIFY(ourText->characterRect(count).isEmpty());

        for (QAccessibleTextInterface *face : {ourText, qtText})
            face->setSelection(0, 1, std::max(1, count - 1));
        QCOMPARE(ourText->selectionCount(), qtText->selectionCount());
        int ourStart = 0, ourEnd = 0, qtStart = 0, qtEnd = 0;
        ourText->selection(0, &ourStart, &ourEnd);
        qtText->selection(0, &qtStart, &qtEnd);
        QCOMPARE(std::pair(ourStart, ourEnd), std::pair(qtStart, qtEnd));
        QCOMPARE(field->selectedText(), plain.selectedText());
        ourText->removeSelection(0);
        QVERIFY(!field->hasSelectedText());

        for (QAccessibleInterface *face : {ours, qts}) {
            face->editableTextInterface()->insertText(0, QStringLiteral("9"));
            face->editableTextInterface()->replaceText(1, 2, QStringLiteral("3"));
            face->editableTextInterface()->deleteText(0, 1);
        }
        QCOMPARE(field->text(), plain.text());
        ours->setText(QAccessible::Value, QStringLiteral("42"));
        QCOMPARE(field->text(), QStringLiteral("42"));
    }

    void announcements_data()
    {
        QTest::addColumn<int>("story");
        for (std::size_t i = 0; i < stories().size(); ++i)
            QTest::newRow(stories()[i].name) << static_cast<int>(i);
    }

    // Each caption the core writes to the result line is announced once, when it is written
    // and with the new caption already in place, whether or not it differs from the one before;
    // nothing else is announced from the result line, and its name stays what it is.
    void announcements()
    {
        QFETCH(int, story);
        const Story &told = stories()[static_cast<std::size_t>(story)];
        const auto ignoreBoxes = [](std::u16string_view, std::u16string_view) {};
        testing::CoreBackend core(ignoreBoxes);
        play::QtBackend real(*m_window, ignoreBoxes);

        QStringList expected;
        std::size_t nextWrite = 0;
        for (std::size_t i = 0; i < told.steps.size(); ++i) {
            perform(core, told.steps[i]);
            if (nextWrite < told.writes.size() && told.writes[nextWrite] == i) {
                expected << toQString(core.result());
                ++nextWrite;
            }
        }
        heard().clear();
        for (const Step &step : told.steps)
            perform(real, step);

        QLabel *line = m_window->controls().resultLine();
        QStringList announced;
        for (const Heard &event : heard()) {
            if (event.source != line)
                continue;
            QVERIFY2(event.type != QAccessible::NameChanged, "the result line's name changed");
            if (event.type == QAccessible::DescriptionChanged)
                announced << event.description;
        }
        QCOMPARE(announced, expected);
        QCOMPARE(line->text(), toQString(core.result()));
        QCOMPARE(QAccessible::queryAccessibleInterface(line)->text(QAccessible::Name),
                 QStringLiteral("计算结果"));
    }

private:
    // The object names of the other ends of the relations, in order.
    static QStringList
    objectsOf(const QList<QPair<QAccessibleInterface *, QAccessible::Relation>> &relations)
    {
        QStringList names;
        for (const auto &[face, relation] : relations)
            names << (face ? face->object()->objectName() : QStringLiteral("none"));
        return names;
    }

    std::unique_ptr<gui::MainWindow> m_window;
};

} // namespace ostrel::test

// Linked into the test program, found by Qt among its accessibility bridge plugins.
class ListeningBridgePlugin : public QAccessibleBridgePlugin {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QAccessibleBridgeFactoryInterface_iid FILE "listening_bridge.json")
public:
    // Qt keeps the bridges it creates for the program's whole life and never deletes them.
    QAccessibleBridge *create(const QString &) override
    {
        static ostrel::test::ListeningBridge bridge;
        return &bridge;
    }
};

Q_IMPORT_PLUGIN(ListeningBridgePlugin)

QTEST_MAIN(ostrel::test::AccessibilityTest)
#include "accessibility_test.moc"
