// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace ostrel::gui {
namespace {

// Qt's texts the window shows, in the program's resources (translations/qt_zh_CN.ts).
constexpr auto ownTexts = ":/ostrel/translations/qt_zh_CN.qm";

} // namespace

QString qtTranslationsFolder()
{
    return QLibraryInfo::path(QLibraryInfo::TranslationsPath);
}

bool installChineseQtTranslations(QCoreApplication &application, const QString &folder)
{
    // The translator installed last is asked first: the program's own texts go in first, so
    // that Qt's own translation, when present, has the last word.
    auto *own = new QTranslator(&application);
    if (own->load(QString::fromLatin1(ownTexts)))
        QCoreApplication::installTranslator(own);
    auto *qt = new QTranslator(&application);
    if (!qt->load(QLocale(QLocale::Chinese, QLocale::China), QStringLiteral("qtbase"),
                  QStringLiteral("_"), folder))
        return false;
    return QCoreApplication::installTranslator(qt);
}

} // namespace ostrel::gui
