// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

// QZ Ostrel: the calculator's window.
#include "main_window.h"
#include "translations.h"

#include <QApplication>
#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QStringList>

#include <cstdio>

namespace {

constexpr const char *usage = "Usage: qz-ostrel [--help | --version]\n";

// The program takes no arguments but --help and --version. They are read before the
// application object exists, so that both answer on a terminal without a display and
// without opening a window. Returns the exit status, or -1 to go on and open the window.
int answerCommandLine(int argc, char **argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);

    QCommandLineParser parser;
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Print this usage and exit."));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("Print the version and exit."));
    parser.addOption(help);
    parser.addOption(version);
    const bool understood = parser.parse(arguments);
    if (!understood || !parser.positionalArguments().isEmpty()) {
        const QString why = understood ? QStringLiteral("unexpected argument '%1'")
                                             .arg(parser.positionalArguments().constFirst())
                                       : parser.errorText();
        std::fprintf(stderr, "qz-ostrel: %s\n%s", why.toLocal8Bit().constData(), usage);
        return 2;
    }
    if (parser.isSet(help)) {
        std::fputs(usage, stdout);
        std::fputs("Opens the QZ Ostrel position transfer calculator.\n"
                   "  -h, --help     print this usage and exit\n"
                   "  -v, --version  print the version and exit\n",
                   stdout);
        return 0;
    }
    if (parser.isSet(version)) {
        std::fputs("qz-ostrel " OSTREL_VERSION "\n", stdout);
        return 0;
    }
    return -1;
}

} // namespace

int main(int argc, char **argv)
{
    if (const int status = answerCommandLine(argc, argv); status >= 0)
        return status;

    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("QZ Ostrel"));
    QApplication::setApplicationVersion(QStringLiteral(OSTREL_VERSION));
    // The desktop finds the program's entry and icon by this name (on Wayland, the app id).
    QApplication::setDesktopFileName(QStringLiteral(OSTREL_APP_ID));
    ostrel::gui::installChineseQtTranslations(application);

    ostrel::gui::MainWindow window;
    window.show();
    return QApplication::exec();
}
