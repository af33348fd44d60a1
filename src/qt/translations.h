// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

class QCoreApplication;

namespace ostrel::gui {

// The folder where the desktop keeps Qt's own translations.
QString qtTranslationsFolder();

// Installs the simplified Chinese texts of the parts of Qt the window shows: the OK button of
// a message box reads 确定, the fields' and the answer's context menus are in Chinese. The
// program carries those few texts itself; Qt's own translation in `folder`, when the desktop
// has it, comes before them. Returns whether Qt's own translation was found.
bool installChineseQtTranslations(QCoreApplication &application,
                                  const QString &folder = qtTranslationsFolder());

} // namespace ostrel::gui
