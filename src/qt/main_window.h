// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "calculator.h"
#include "controls.h"
#include "qt_window.h"
#include "settings_store.h"

#include <QString>
#include <QWidget>

#include <memory>

class QCoreApplication;

namespace ostrel::gui {

// Installs Qt's own simplified Chinese texts (qt6-translations-l10n) for the parts of Qt the
// window shows: the OK button of a message box reads 确定, the fields' context menus are in
// Chinese. Returns whether the desktop has the translation.
bool installChineseQtTranslations(QCoreApplication &application);

// The user's settings in an INI file read and written by QSettings. Reading never writes: a
// damaged file stays as it is until the user confirms new settings.
class QtSettingsStore : public SettingsStore {
public:
    // The file at `fileName`, which need not exist yet; the user's own file unless told.
    explicit QtSettingsStore(QString fileName = userFileName());

    // The user's own file in the desktop's folder of settings, ~/.config/qz-ostrel/qz-ostrel.ini
    // unless XDG_CONFIG_HOME names another folder.
    static QString userFileName();

    const QString &fileName() const { return m_fileName; }

    // Empty when there is no file yet; none when the file cannot be read or is not an INI
    // file QSettings can parse. A value that is a list (a bare comma in a hand-edited file) is
    // read back as the text it was.
    std::optional<Values> load() const override;
    bool save(const Values &values) override;

private:
    QString m_fileName;
};

// The calculator's window: the controls of the window table on a fixed client area, each
// bound to its action in the calculator. The window itself decides nothing. The fee settings
// are read from and written to `store`.
class MainWindow : public QWidget {
    Q_OBJECT
public:
    explicit MainWindow(std::unique_ptr<QtSettingsStore> store, QWidget *parent = nullptr);

    const Controls &controls() const { return m_controls; }
    const core::Calculator &calculator() const { return m_calculator; }
    // For what the window cannot do by itself, such as reading the settings again.
    core::Calculator &calculator() { return m_calculator; }
    const QtSettingsStore &settingsStore() const { return *m_store; }
    // The modal window open in front (the fee settings, the detail), or none.
    QtDialog *dialog() const { return m_window.dialog(); }

private:
    std::unique_ptr<QtSettingsStore> m_store;
    Controls m_controls;
    QtWindow m_window;
    core::Calculator m_calculator;
};

} // namespace ostrel::gui
