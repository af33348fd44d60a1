// The window as assistive technology sees it: every control through Qt's accessibility
// interface against the accessibility table, and the announcement of every caption written to
// the result line.
//
// Qt hands each accessibility event to the platform's accessibility layer whether or not a
// screen reader listens; on the offscreen desktop that layer passes it on to every accessibility
// bridge plugin. The test links one such plugin of its own, which hears what a screen reader's
// bridge would be told.
#include "support.h"

#include "core_backend.h"
#include "form/accessibility.h"
#include "form/layout.h"
#include "qt/text.h"
#include "qt/widgets.h"
#include "qt_backend.h"

#include <QAccessible>
#include <QAccessibleBridge>
#include <QAccessibleBridgePlugin>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QtPlugin>

#include <string>
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

Field fieldNamed(std::string_view name)
{
    const auto field = ostrel::fieldNamed(name);
    if (!field)
        qFatal("no field %s", std::string(name).c_str());
    return *field;
}

QAccessible::Role roleOf(form::Kind kind)
{
    switch (kind) {
    case form::Kind::label:
        return QAccessible::StaticText;
    case form::Kind::textBox:
        return QAccessible::EditableText;
    case form::Kind::frame:
        return QAccessible::Grouping;
    case form::Kind::button:
        break;
    }
    return QAccessible::Button;
}

// What a user does in one step, on the core with its test double and on the real window alike.
struct Step {
    enum Action { type, click, tab } action;
    const char *control;
    std::u16string_view text = {};
};

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
         {{Step::type, "oldprice", u"10"},
          {Step::type, "buy6", u"5000"},
          {Step::type, "newprice", u"8"},
          {Step::type, "savemoney", u"2000"},
          {Step::type, "buymoney", u"20000"},
          {Step::click, "Command1"}},
         {5}},
        {"calculation after a full-funds fill",
         {{Step::type, "oldprice", u"12.5"},
          {Step::type, "buy6", u"3000"},
          {Step::type, "newprice", u"7.3"},
          {Step::type, "savemoney", u"1234.5"},
          {Step::click, "Command1"},
          {Step::click, "Command1"}},
         {4, 5}},
        {"reset all", {{Step::click, "Command2"}}, {0}},
        {"reset all twice", {{Step::click, "Command2"}, {Step::click, "Command2"}}, {0, 1}},
        {"reset old stock", {{Step::click, "Command4(0)"}}, {0}},
        {"reset new stock", {{Step::click, "Command5"}}, {0}},
        {"every reset",
         {{Step::click, "Command4(0)"}, {Step::click, "Command5"}, {Step::click, "Command2"}},
         {0, 1, 2}},
        {"editing the fields",
         {{Step::click, "oldprice"},
          {Step::click, "Command3(5)"},
          {Step::click, "Command3(10)"},
          {Step::click, "Command3(11)"},
          {Step::click, "Command3(12)"},
          {Step::tab, ""},
          {Step::click, "souxufei"},
          {Step::click, "buymoney"},
          {Step::type, "savemoney", u"100"}},
         {}},
        {"calculation stopped by an input check", {{Step::click, "Command1"}}, {}},
        {"instructions", {{Step::click, "C44"}}, {}},
    };
    return all;
}

void perform(play::Backend &backend, const Step &step)
{
    switch (step.action) {
    case Step::type:
        backend.type(fieldNamed(step.control), step.text);
        return;
    case Step::click:
        backend.click(*form::findControl(step.control));
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
        QTest::addColumn<QString>("name");
        for (const form::Control &control : form::controls())
            QTest::newRow(control.qualifiedName().c_str())
                << QString::fromStdString(control.qualifiedName());
    }

    // What a screen reader reads of each control: its role, its name, its description, whether
    // it can take the focus or is not shown at all, and the text of an entry field.
    void controls()
    {
        QFETCH(QString, name);
        const form::Control &control = *form::findControl(name.toStdString());
        QWidget *widget = m_window->controls().widget(control.qualifiedName());
        QAccessibleInterface *face = QAccessible::queryAccessibleInterface(widget);
        QVERIFY(face && face->isValid());
        QCOMPARE(face->object(), widget);

        QCOMPARE(face->role(), roleOf(control.kind));
        const QString accessibleName = face->text(QAccessible::Name);
        QCOMPARE(accessibleName, toQString(form::accessibleName(control)));
        QVERIFY(!accessibleName.isEmpty());
        const QString description = face->text(QAccessible::Description);
        if (form::isLive(control)) {
            QCOMPARE(description, qobject_cast<QLabel *>(widget)->text());
            QVERIFY(!description.isEmpty());
        } else {
            QCOMPARE(description, toQString(form::accessibleDescription(control)));
        }

        const QAccessible::State state = face->state();
        QCOMPARE(static_cast<bool>(state.invisible), !control.visible);
        QCOMPARE(static_cast<bool>(state.focusable), control.takesFocus());
        QVERIFY(!state.disabled);
        if (control.kind == form::Kind::textBox) {
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
        for (const form::Control &control : form::controls()) {
            if (!control.visible)
                continue;
            const QString name = QString::fromStdString(control.qualifiedName());
            QAccessibleInterface *face = QAccessible::queryAccessibleInterface(
                m_window->controls().widget(control.qualifiedName()));
            QAccessibleInterface *parent = face->parent();
            QVERIFY2(parent, qPrintable(name));
            QVERIFY2(parent->indexOfChild(face) >= 0, qPrintable(name));
            while (parent && parent->object() != m_window.get())
                parent = parent->parent();
            QVERIFY2(parent, qPrintable(name + QStringLiteral(" is outside the window")));
        }
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
        play::CoreBackend core(ignoreBoxes);
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

        QLabel *line = m_window->controls().label("xsall");
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
