// QZ Ostrel: the calculator's window.
#include "qt/main_window.h"
#include "qt/translations.h"

#include <QApplication>

int main(int argc, char **argv)
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("QZ Ostrel"));
    QApplication::setApplicationVersion(QStringLiteral(OSTREL_VERSION));
    ostrel::gui::installChineseQtTranslations(application);

    ostrel::gui::MainWindow window;
    window.show();
    return QApplication::exec();
}
