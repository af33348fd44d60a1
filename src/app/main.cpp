// QZ Ostrel: the calculator's window.
#include "main_window.h"
#include "translations.h"

#include <QApplication>

int main(int argc, char **argv)
{
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
