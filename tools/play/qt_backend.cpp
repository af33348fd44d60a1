// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "qt_backend.h"

#include "main_window.h"
#include "qt_window.h"
#include "widgets.h"
#include "window_table.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QGroupBox>
#include <QInputMethodEvent>
#include <QLabel>
#include <QMessageBox>
#include <QMouseEvent>
#include <QRadioButton>
#include <QSettings>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <cstdio>
#include <ostream>
#include <set>
#include <utility>

namespace ostrel::play {
namespace {

constexpr int exitNoWindow = 3;
// How often the player looks for a message box while an action runs, in milliseconds.
constexpr int messageBoxPollMs = 5;
constexpr char answeredProperty[] = "ostrelPlayAnswered";

QtMessageHandler previousHandler = nullptr;

// These warnings say nothing about the window under play: Qt Test warns about every click
// that no widget accepted, and a click on a caption, a frame or the bare window is meant to do
// nothing; the offscreen desktop has no window manager to pass the fixed window size on to,
// nor to raise a drop-down's list or hand it the keyboard.
bool isExpectedWarning(const QString &message)
{
    return (message.startsWith(QLatin1String("Mouse event \"")) &&
            message.endsWith(QLatin1String("\" not accepted by receiving widget"))) ||
           message == QLatin1String("This plugin does not support propagateSizeHints()") ||
           message == QLatin1String("This plugin does not support raise()") ||
           message == QLatin1String("This plugin does not support grabbing the keyboard");
}

void dropExpectedWarnings(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type == QtWarningMsg && isExpectedWarning(message))
        return;
    if (previousHandler)
        previousHandler(type, context, message);
    else
        std::fprintf(stderr, "%s\n", qPrintable(message));
}

// The middle of a drop-down's button, which opens its list.
QPoint arrowOf(const QComboBox &list)
{
    QStyleOptionComboBox option;
    option.initFrom(&list);
    option.editable = list.isEditable();
    option.subControls = QStyle::SC_All;
    return list.style()
        ->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxArrow, &list)
        .center();
}

} // namespace

QtBackend::QtBackend(gui::MainWindow &window, MessageSink sink)
    : m_window(window)
    , m_sink(std::move(sink))
{
    m_poll.setInterval(messageBoxPollMs);
    QObject::connect(&m_poll, &QTimer::timeout, [this] { answerMessageBox(); });
}

void QtBackend::type(Field field, std::u16string_view text)
{
    typeOver(*m_window.controls().field(field), text);
}

void QtBackend::typeInto(const layout::Control &textBox, std::u16string_view text)
{
    if (QWidget *box = widgetOf(textBox))
        typeOver(*box, text);
}

void QtBackend::typeOver(QWidget &box, std::u16string_view text)
{
    // A greyed field takes no input: the desktop gives it neither the focus nor the keys nor
    // an input method's text.
    if (!box.isEnabled())
        return;
    perform([&] {
        box.setFocus(Qt::TabFocusReason);
        QTest::keyClick(&box, Qt::Key_A, Qt::ControlModifier);
        if (text.empty()) {
            QTest::keyClick(&box, Qt::Key_Delete);
            return;
        }
        // The whole text in one piece, as an input method hands over what was composed:
        // tabs, emoji and anything else arrive as characters, never as keys.
        QInputMethodEvent commit;
        commit.setCommitString(gui::toQString(text));
        QCoreApplication::sendEvent(&box, &commit);
    });
}

void QtBackend::paste(Field field, std::u16string_view text)
{
    QApplication::clipboard()->setText(gui::toQString(text));
    perform([&] {
        gui::FieldEdit *edit = m_window.controls().field(field);
        edit->setFocus(Qt::TabFocusReason);
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
    });
}

QWidget *QtBackend::widgetOf(const layout::Control &control) const
{
    if (const gui::QtDialog *dialog = m_window.dialog()) {
        const auto controls = dialog->controls().description().controls();
        if (&control >= controls.data() && &control < controls.data() + controls.size())
            return dialog->controls().widget(control);
    }
    return m_window.controls().widget(control);
}

void QtBackend::click(const layout::Control &control)
{
    QWidget *widget = widgetOf(control);
    // Inside a field's text, away from its end; on a check box's or radio button's mark,
    // which takes the click whatever the length of its caption; on a drop-down's button,
    // which opens its list; anywhere else, the middle.
    QPoint place = widget->rect().center();
    if (auto *list = qobject_cast<QComboBox *>(widget)) {
        place = arrowOf(*list);
    } else if (qobject_cast<QLineEdit *>(widget)) {
        place = QPoint(fieldClickX, widget->height() / 2);
    } else if (qobject_cast<QCheckBox *>(widget) || qobject_cast<QRadioButton *>(widget)) {
        const bool box = qobject_cast<QCheckBox *>(widget);
        const int mark = widget->style()->pixelMetric(
            box ? QStyle::PM_IndicatorWidth : QStyle::PM_ExclusiveIndicatorWidth, nullptr, widget);
        place = QPoint(mark / 2, widget->height() / 2);
    }
    perform([&] { QTest::mouseClick(widget, Qt::LeftButton, {}, place); });
}

void QtBackend::clickAt(int x, int y)
{
    const QPoint point(x, y);
    QWidget *target = m_window.childAt(point);
    if (!target)
        target = &m_window;
    // A click on a target's very first pixel lands on its middle instead (Qt Test takes the
    // origin for "no place given"); the same widget gets it either way.
    const QPoint local = target->mapFrom(&m_window, point);
    perform([&] { QTest::mouseClick(target, Qt::LeftButton, {}, local); });
}

QComboBox &QtBackend::boardList(Stock stock) const
{
    return *qobject_cast<QComboBox *>(widgetOf(layout::boardControl(stock)));
}

void QtBackend::chooseBoard(Stock stock, Board board)
{
    QComboBox &list = boardList(stock);
    perform([&] {
        QTest::mouseClick(&list, Qt::LeftButton, {}, arrowOf(list));
        // The mouse goes over the item, which Qt then takes for a click of its own rather than
        // the release of the click that opened the list, and clicks it.
        QAbstractItemView &view = *list.view();
        const QPoint item =
            view.visualRect(
                    view.model()->index(list.findText(gui::toQString(layout::boardName(board))), 0))
                .center();
        QMouseEvent move(QEvent::MouseMove, item, view.viewport()->mapToGlobal(item), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(view.viewport(), &move);
        QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, item);
    });
}

void QtBackend::typeBoard(Stock stock, std::u16string_view text)
{
    QComboBox &list = boardList(stock);
    typeOver(list, text);
    perform([&] { QTest::keyClick(&list, Qt::Key_Return); });
}

void QtBackend::tab()
{
    QWidget *focus = QApplication::focusWidget();
    perform([&] { QTest::keyClick(focus ? focus : &m_window, Qt::Key_Tab); });
}

void QtBackend::enter()
{
    QWidget *focus = QApplication::focusWidget();
    perform([&] { QTest::keyClick(focus ? focus : &m_window, Qt::Key_Return); });
}

void QtBackend::escape()
{
    QWidget *focus = QApplication::focusWidget();
    perform([&] { QTest::keyClick(focus ? focus : &m_window, Qt::Key_Escape); });
}

const layout::WindowDescription *QtBackend::openDialog() const
{
    const gui::QtDialog *dialog = m_window.dialog();
    return dialog ? &dialog->controls().description() : nullptr;
}

bool QtBackend::isChecked(const layout::Control &control) const
{
    const auto *button = qobject_cast<const QAbstractButton *>(widgetOf(control));
    return button && button->isChecked();
}

std::u16string QtBackend::clipboard() const
{
    return gui::toU16(QGuiApplication::clipboard()->text());
}

void QtBackend::storeText(std::string_view key, std::u16string_view text)
{
    QSettings file(m_window.settingsStore().fileName(), QSettings::IniFormat);
    file.setValue(QString::fromUtf8(key.data(), static_cast<qsizetype>(key.size())),
                  gui::toQString(text));
    file.sync();
}

void QtBackend::reloadSettings()
{
    perform([&] { m_window.calculator().loadSettings(); });
}

std::u16string QtBackend::text(Field field) const
{
    return gui::toU16(m_window.controls().field(field)->text());
}

std::u16string QtBackend::result() const
{
    return gui::toU16(m_window.controls().resultLine()->text());
}

std::u16string QtBackend::boardText(Stock stock) const
{
    return gui::toU16(boardList(stock).currentText());
}

Field QtBackend::keypadTarget() const
{
    return m_window.calculator().keypadTarget();
}

const layout::Control *QtBackend::focus() const
{
    const QWidget *focus = QApplication::focusWidget();
    // A drop-down's edit part is the drop-down's.
    if (focus && qobject_cast<const QComboBox *>(focus->parentWidget()))
        focus = focus->parentWidget();
    for (const layout::Control &control : layout::controls()) {
        if (m_window.controls().widget(control) == focus)
            return &control;
    }
    return nullptr;
}

namespace {

layout::Kind kindOf(const QWidget &widget)
{
    if (qobject_cast<const QComboBox *>(&widget))
        return layout::Kind::dropDown;
    if (qobject_cast<const QLineEdit *>(&widget))
        return layout::Kind::textBox;
    if (qobject_cast<const QGroupBox *>(&widget))
        return layout::Kind::frame;
    if (qobject_cast<const QCheckBox *>(&widget))
        return layout::Kind::checkBox;
    if (qobject_cast<const QRadioButton *>(&widget))
        return layout::Kind::radioButton;
    if (qobject_cast<const QAbstractButton *>(&widget))
        return layout::Kind::button;
    return layout::Kind::label;
}

std::u16string captionOf(const QWidget &widget)
{
    if (const auto *list = qobject_cast<const QComboBox *>(&widget))
        return gui::toU16(list->currentText());
    if (const auto *field = qobject_cast<const QLineEdit *>(&widget))
        return gui::toU16(field->text());
    if (const auto *frame = qobject_cast<const QGroupBox *>(&widget))
        return gui::toU16(frame->title());
    if (const auto *button = qobject_cast<const QAbstractButton *>(&widget))
        return gui::toU16(button->text());
    if (const auto *label = qobject_cast<const QLabel *>(&widget))
        return gui::toU16(label->text());
    return {};
}

// The face the widget asks for, by the table's name of it (the first family of its list), in
// points at 96 dots per inch; the fallback faces after it are the desktop's business.
void readFont(const QWidget &widget, testing::ControlView &seen)
{
    const QFont &font = widget.font();
    if (!widget.testAttribute(Qt::WA_SetFont) || font.families().isEmpty())
        return;
    constexpr double pointsPerPixel = 72.0 / 96.0;
    seen.face = gui::toU16(font.families().front());
    seen.points = font.pixelSize() * pointsPerPixel;
    seen.bold = font.bold();
}

// A control as its widget shows it; the container is the frame the widget stands in.
testing::ControlView viewOf(const gui::Controls &controls, const layout::Control &control)
{
    const QWidget &widget = *controls.widget(control);
    const layout::Control *frame = controls.controlOf(widget.parentWidget());
    const QRect place = widget.geometry();
    testing::ControlView seen;
    seen.id = control.id;
    seen.kind = kindOf(widget);
    seen.container = frame ? frame->id : std::string_view();
    seen.pixels = {place.x(), place.y(), place.width(), place.height()};
    seen.caption = captionOf(widget);
    readFont(widget, seen);
    seen.foreground = control.foreground;
    seen.background = control.background;
    seen.tabIndex = control.tabIndex;
    seen.shown = !widget.isHidden();
    return seen;
}

// A modal window: what each control shows, whether each choice is checked and each control
// usable, and where the focus is. Its tab order is what `tab` shows.
testing::WindowView describeDialog(const gui::QtDialog &dialog)
{
    testing::WindowView view{
        gui::toU16(dialog.windowTitle()), dialog.width(), dialog.height(), {}, true, {}};
    const gui::Controls &controls = dialog.controls();
    for (const layout::Control &control : controls.description().controls()) {
        testing::ControlView seen = viewOf(controls, control);
        if (const auto *choice = qobject_cast<const QAbstractButton *>(controls.widget(control));
            choice && choice->isCheckable())
            seen.checked = choice->isChecked();
        seen.greyed = !controls.widget(control)->isEnabled();
        view.controls.push_back(std::move(seen));
    }
    if (const layout::Control *focus = controls.controlOf(QApplication::focusWidget()))
        view.focus = focus->id;
    return view;
}

} // namespace

testing::WindowView QtBackend::describe() const
{
    if (const gui::QtDialog *dialog = m_window.dialog())
        return describeDialog(*dialog);
    testing::WindowView view{
        gui::toU16(m_window.windowTitle()), m_window.width(), m_window.height(), {}, false, {}};
    const gui::Controls &controls = m_window.controls();
    // Tab's path through the focusable widgets, from the first: each takes the tab index of
    // the control the table puts at that step of the path. Tab passes a drop-down's edit part
    // by, which hands the focus to the drop-down.
    const auto order = layout::tabOrder();
    std::vector<int> tabIndexOfWidget(layout::controls().size(), 0);
    QWidget *step = controls.widget(*order.front());
    for (const layout::Control *expected : order) {
        for (const layout::Control &control : layout::controls()) {
            if (controls.widget(control) == step)
                tabIndexOfWidget[layout::positionOf(control)] = expected->tabIndex;
        }
        do
            step = step->nextInFocusChain();
        while (step != controls.widget(*order.front()) &&
               (!(step->focusPolicy() & Qt::TabFocus) || step->isHidden() || step->focusProxy()));
    }
    for (const layout::Control &control : layout::controls()) {
        testing::ControlView seen = viewOf(controls, control);
        if (control.takesFocus())
            seen.tabIndex = tabIndexOfWidget[layout::positionOf(control)];
        view.controls.push_back(std::move(seen));
    }
    return view;
}

std::size_t QtBackend::caret(Field field) const
{
    return static_cast<std::size_t>(m_window.controls().field(field)->cursorPosition());
}

void QtBackend::perform(const std::function<void()> &action)
{
    m_poll.start();
    action();
    m_poll.stop();
    // A click that opened a drop-down's list leaves it for Escape to close, so that nothing
    // is chosen and the drop-down keeps the focus, as a click on it in the core does.
    if (QWidget *popup = QApplication::activePopupWidget())
        QTest::keyClick(popup->focusWidget() ? popup->focusWidget() : popup, Qt::Key_Escape);
    QCoreApplication::processEvents();
    // The window in front has the activation: a modal window from when it opens, the main
    // window again once it has closed. When a box or a modal window closes, the desktop gives
    // the activation back to the window it belonged to, and with it the focus to the control
    // that had it.
    QWidget *front = m_window.dialog();
    if (!front)
        front = &m_window;
    if (!front->isActiveWindow()) {
        front->activateWindow();
        // Qt counts a modal window's owner as active while the modal window is, so only the
        // application's own active window tells which of them has the keyboard.
        if (!QTest::qWaitFor([front] { return front->isActiveWindow(); }))
            qWarning("ostrel-play: the window in front did not get the activation");
    }
}

void QtBackend::answerMessageBox()
{
    auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
    if (!box || !box->isVisible() || box->property(answeredProperty).toBool())
        return;
    if (!box->windowHandle() || !box->windowHandle()->isExposed())
        return; // not on the screen yet
    box->setProperty(answeredProperty, true);
    m_sink(gui::toU16(box->windowTitle()), gui::toU16(box->text()));
    if (QAbstractButton *ok = box->button(QMessageBox::Ok))
        QTest::mouseClick(ok, Qt::LeftButton);
    else
        QTest::keyClick(box, Qt::Key_Return);
}

namespace {

layout::TablePart tablePartOf(QAccessible::Role role)
{
    switch (role) {
    case QAccessible::ColumnHeader:
        return layout::TablePart::columnHeader;
    case QAccessible::RowHeader:
        return layout::TablePart::rowHeader;
    case QAccessible::Cell:
        return layout::TablePart::cell;
    default:
        return layout::TablePart::none;
    }
}

} // namespace

std::vector<testing::AccessibleView> QtBackend::accessible() const
{
    // What a screen reader can reach: the tree of accessible objects of the window in front.
    const gui::QtDialog *dialog = m_window.dialog();
    QWidget *front = dialog ? static_cast<QWidget *>(m_window.dialog()) : &m_window;
    const gui::Controls &controls = dialog ? dialog->controls() : m_window.controls();
    std::set<QObject *> inTree;
    std::vector<QAccessibleInterface *> toVisit{QAccessible::queryAccessibleInterface(front)};
    while (!toVisit.empty()) {
        QAccessibleInterface *face = toVisit.back();
        toVisit.pop_back();
        inTree.insert(face->object());
        for (int i = 0; i < face->childCount(); ++i)
            toVisit.push_back(face->child(i));
    }
    std::vector<testing::AccessibleView> views;
    for (const layout::Control &control : controls.description().controls()) {
        QWidget *widget = controls.widget(control);
        if (!inTree.count(widget))
            continue;
        QAccessibleInterface *face = QAccessible::queryAccessibleInterface(widget);
        // The label that shows the caption; a frame around a control labels it too, but
        // shows no caption of it.
        std::string labelledBy;
        for (const auto &[label, relation] : face->relations(QAccessible::Label)) {
            if (!label || !qobject_cast<QLabel *>(label->object()))
                continue;
            labelledBy +=
                (labelledBy.empty() ? "" : ",") + label->object()->objectName().toStdString();
        }
        views.push_back({control.id, gui::toU16(face->text(QAccessible::Name)),
                         gui::toU16(face->text(QAccessible::Description)), labelledBy,
                         tablePartOf(face->role())});
    }
    return views;
}

namespace {

// Makes Qt's offscreen desktop the one to start on, unless another is named.
int &onOffscreenDesktop(int &argc)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    return argc;
}

} // namespace

QtStage::QtStage(int &argc, char **argv)
    : m_application(std::make_unique<QApplication>(onOffscreenDesktop(argc), argv))
{
    previousHandler = qInstallMessageHandler(dropExpectedWarnings);
    gui::installChineseQtTranslations(*m_application);
}

QtStage::~QtStage()
{
    qInstallMessageHandler(previousHandler);
}

int QtStage::play(std::istream &in, std::ostream &out, std::ostream &err)
{
    int status = exitNoWindow;
    // A settings file of the scenario's own, never the user's.
    const QTemporaryDir settings;
    if (!settings.isValid()) {
        err << "ostrel-play: no folder for the settings: " << settings.errorString().toStdString()
            << '\n';
        return status;
    }
    {
        gui::MainWindow window(std::make_unique<gui::QtSettingsStore>(
            settings.filePath(QStringLiteral("qz-ostrel.ini"))));
        window.show();
        if (QTest::qWaitForWindowActive(&window)) {
            QtBackend backend(window, messagePrinter(out));
            status = playScenario(in, backend, out, err);
        } else {
            err << "ostrel-play: the window did not become active\n";
        }
    }
    // What the window left for later (boxes deleted late, its last events) goes with it, so
    // that the next window starts as the first did.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
    return status;
}

} // namespace ostrel::play
