// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

class QCoreApplication;

namespace ostrel::gui {

// Installs Qt's own simplified Chinese texts (qt6-translations-l10n) for the parts of Qt the
// window shows: the OK button of a message box reads 确定, the fields' context menus are in
// Chinese. Returns whether the desktop has the translation.
bool installChineseQtTranslations(QCoreApplication &application);

} // namespace ostrel::gui
