// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

class QCoreApplication;

namespace ostrel::gui {

// Installs Qt's own simplified Chinese texts (the OK button of a message box reads 确定, the
// line edits' context menu is in Chinese). Returns false when the desktop has no such
// translation, in which case Qt's English texts stay.
bool installChineseQtTranslations(QCoreApplication &application);

} // namespace ostrel::gui
