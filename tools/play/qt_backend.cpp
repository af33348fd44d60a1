#include "qt_backend.h"

#include "scenario.h"

#include "qt/main_window.h"
#include "qt/text.h"
#include "qt/translations.h"
#include "qt/widgets.h"

#include <QAbstractButton>
#include <QApplication>
#include <QInputMethodEvent>
#include <QLabel>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <cstdio>
#include <ostream>
#include <utility>

namespace ostrel::play {
namespace {

constexpr int exitNoWindow = 3;
// How often the player looks for a message box while an action runs, in milliseconds.
constexpr int messageBoxPollMs = 5;
constexpr char answeredProperty[] = "ostrelPlayAnswered";

QtMessageHandler previousHandler = nullptr;

// Two warnings say nothing about the window under play: Qt Test warns about every click that
// no widget accepted, and a click on a caption, a frame or the bare window is meant to do
// nothing; the offscreen desktop has no window manager to pass the fixed window size on to.
bool isExpectedWarning(const QString &message)
{
    return (message.startsWith(QLatin1String("Mouse event \"")) &&
            message.endsWith(QLatin1String("\" not accepted by receiving widget"))) ||
           message == QLatin1String("This plugin does not support propagateSizeHints()");
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
    perform([&] {
        gui::FieldEdit *edit = m_window.controls().field(field);
        edit->setFocus(Qt::TabFocusReason);
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        if (text.empty()) {
            QTest::keyClick(edit, Qt::Key_Delete);
            return;
        }
        // The whole text in one piece, as an input method hands over what was composed:
        // tabs, emoji and anything else arrive as characters, never as keys.
        QInputMethodEvent commit;
        commit.setCommitString(gui::toQString(text));
        QCoreApplication::sendEvent(edit, &commit);
    });
}

void QtBackend::click(const form::Control &control)
{
    QWidget *widget = m_window.controls().widget(control.qualifiedName());
    // Inside a field's text, away from its end; anywhere else, the middle.
    const QPoint place = qobject_cast<QLineEdit *>(widget)
                             ? QPoint(fieldClickX, widget->height() / 2)
                             : widget->rect().center();
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

void QtBackend::tab()
{
    QWidget *focus = QApplication::focusWidget();
    perform([&] { QTest::keyClick(focus ? focus : &m_window, Qt::Key_Tab); });
}

std::u16string QtBackend::text(Field field) const
{
    return gui::toU16(m_window.controls().field(field)->text());
}

std::u16string QtBackend::result() const
{
    return gui::toU16(m_window.controls().label("xsall")->text());
}

int QtBackend::goText1() const
{
    return m_window.form().state().goText1;
}

std::string QtBackend::focus() const
{
    const QWidget *focus = QApplication::focusWidget();
    return focus && !focus->objectName().isEmpty() ? focus->objectName().toStdString() : "none";
}

std::size_t QtBackend::caret(Field field) const
{
    return static_cast<std::size_t>(m_window.controls().field(field)->cursorPosition());
}

void QtBackend::perform(const std::function<void()> &action)
{
    m_answered = false;
    m_poll.start();
    action();
    m_poll.stop();
    QCoreApplication::processEvents();
    // When a box closes, the desktop gives the activation back to the window it belonged to,
    // and with it the focus to the control that had it.
    if (m_answered && !m_window.isActiveWindow()) {
        m_window.activateWindow();
        if (!QTest::qWaitForWindowActive(&m_window))
            qWarning("ostrel-play: the window did not get the activation back");
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
    m_answered = true;
    m_sink(gui::toU16(box->windowTitle()), gui::toU16(box->text()));
    if (QAbstractButton *ok = box->button(QMessageBox::Ok))
        QTest::mouseClick(ok, Qt::LeftButton);
    else
        QTest::keyClick(box, Qt::Key_Return);
}

int playWithQt(int argc, char **argv, std::istream &in, std::ostream &out, std::ostream &err)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    int qtArgc = argc; // QApplication keeps a reference to it
    QApplication application(qtArgc, argv);
    previousHandler = qInstallMessageHandler(dropExpectedWarnings);
    gui::installChineseQtTranslations(application);

    gui::MainWindow window;
    window.show();
    if (!QTest::qWaitForWindowActive(&window)) {
        err << "ostrel-play: the window did not become active\n";
        return exitNoWindow;
    }
    QtBackend backend(window, messagePrinter(out));
    const int status = playScenario(in, backend, out, err);
    qInstallMessageHandler(previousHandler);
    return status;
}

} // namespace ostrel::play
