// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

// QZ Ostrel: the calculator's window.
#include "main_window.h"

#include <QApplication>
#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QStringList>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

namespace {

// The exit statuses the manual page lists.
constexpr int exitNoDisplay = 1;
constexpr int exitUsage = 2;

constexpr const char *usage = "Usage: qz-ostrel [--help | --version]\n";
constexpr const char *noDisplay = "qz-ostrel: 无法打开显示，需要图形桌面 (cannot open a display; a "
                                  "graphical desktop is needed)\n";

// Qt's standard options, which the application object takes out of the command line itself:
// those of every Qt program, of Qt's widgets and of the X11 desktop. They are known here only
// so that the command line is checked, and --help and --version answered, before the
// application exists, that is without a display.
struct QtOption {
    const char *name;
    bool takesValue;
};
constexpr std::array qtOptions{
    QtOption{"platform", true},        QtOption{"platformpluginpath", true},
    QtOption{"platformtheme", true},   QtOption{"plugin", true},
    QtOption{"qwindowgeometry", true}, QtOption{"qwindowicon", true},
    QtOption{"qwindowtitle", true},    QtOption{"session", true},
    QtOption{"qmljsdebugger", true},   QtOption{"reverse", false},
    QtOption{"style", true},           QtOption{"stylesheet", true},
    QtOption{"widgetcount", false},    QtOption{"display", true},
    QtOption{"geometry", true},        QtOption{"name", true},
    QtOption{"title", true},           QtOption{"icon", true},
    QtOption{"visual", true},
};

// Reads the program's own options, --help and --version, beside Qt's, which the application
// object then takes out of the command line (an option of the X11 desktop's stays behind on
// another platform, which Qt ignores). Returns the exit status once the program has answered,
// or nothing to go on and open the window.
std::optional<int> answerCommandLine(const QStringList &arguments)
{
    QCommandLineParser parser;
    // Qt's options are words after one dash (-style fusion, -style=fusion).
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Print this usage and exit."));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("Print the version and exit."));
    parser.addOption(help);
    parser.addOption(version);
    for (const QtOption &qt : qtOptions) {
        const QString name = QString::fromLatin1(qt.name);
        parser.addOption(QCommandLineOption(name, QString(), qt.takesValue ? name : QString()));
    }
    const bool understood = parser.parse(arguments);
    if (!understood || !parser.positionalArguments().isEmpty()) {
        const QString why = understood ? QStringLiteral("unexpected argument '%1'")
                                             .arg(parser.positionalArguments().constFirst())
                                       : parser.errorText();
        std::fprintf(stderr, "qz-ostrel: %s\n%s", why.toLocal8Bit().constData(), usage);
        return exitUsage;
    }
    if (parser.isSet(help)) {
        std::fputs(usage, stdout);
        std::fputs("Opens the QZ Ostrel position transfer calculator.\n"
                   "  -h, --help     print this usage and exit\n"
                   "  -v, --version  print the version and exit\n"
                   "Qt's standard options (-style, -platform, -geometry, -reverse, ...) are\n"
                   "taken as in any Qt program.\n",
                   stdout);
        return EXIT_SUCCESS;
    }
    if (parser.isSet(version)) {
        std::fputs("qz-ostrel " OSTREL_VERSION "\n", stdout);
        return EXIT_SUCCESS;
    }
    return std::nullopt;
}

QStringList argumentsOf(int argc, char **argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return arguments;
}

// Qt's messages while the application object opens the display wait until it has: when no
// display can be opened, Qt ends the program from inside the constructor with a report of
// its plugins, and the user is told instead, in one line, what is missing.
class OpeningDisplay {
public:
    OpeningDisplay() { s_previous = qInstallMessageHandler(hold); }
    OpeningDisplay(const OpeningDisplay &) = delete;
    OpeningDisplay &operator=(const OpeningDisplay &) = delete;

    ~OpeningDisplay()
    {
        qInstallMessageHandler(s_previous);
        std::vector<Held> held;
        {
            const std::lock_guard lock(s_holding);
            held.swap(s_held);
        }
        for (const Held &message : held) {
            const QMessageLogContext context(nullptr, 0, nullptr, message.category.constData());
            if (s_previous)
                s_previous(message.type, context, message.text);
            else
                std::fprintf(stderr, "%s\n", qPrintable(message.text));
        }
    }

private:
    struct Held {
        QtMsgType type;
        QByteArray category;
        QString text;
    };

    static void hold(QtMsgType type, const QMessageLogContext &context, const QString &text)
    {
        if (type == QtFatalMsg) {
            std::fputs(noDisplay, stderr);
            std::_Exit(exitNoDisplay);
        }
        // The X11 platform reads the display's events on a thread of its own, which may
        // report too.
        const std::lock_guard lock(s_holding);
        s_held.push_back({type, QByteArray(context.category), text});
    }

    static inline QtMessageHandler s_previous = nullptr;
    static inline std::vector<Held> s_held;
    static inline std::mutex s_holding;
};

} // namespace

int main(int argc, char **argv)
{
    if (const auto status = answerCommandLine(argumentsOf(argc, argv)))
        return *status;

    const auto application = [&] {
        const OpeningDisplay opening;
        return std::make_unique<QApplication>(argc, argv);
    }();
    QApplication::setApplicationName(QStringLiteral("QZ Ostrel"));
    QApplication::setApplicationVersion(QStringLiteral(OSTREL_VERSION));
    // The desktop finds the program's entry and icon by this name (on Wayland, the app id).
    QApplication::setDesktopFileName(QStringLiteral(OSTREL_APP_ID));
    ostrel::gui::installChineseQtTranslations(*application);

    // The fee settings live in the user's own settings folder.
    ostrel::gui::MainWindow window(std::make_unique<ostrel::gui::QtSettingsStore>());
    window.show();
    return QApplication::exec();
}
