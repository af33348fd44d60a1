// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "settings_store.h"

#include <QString>

namespace ostrel::gui {

// The user's settings in an INI file read and written by QSettings. Reading never writes: a
// damaged file stays as it is until the user confirms new settings.
class QtSettingsStore : public SettingsStore {
public:
    // The user's own file in the desktop's folder of settings, ~/.config/qz-ostrel/qz-ostrel.ini
    // unless XDG_CONFIG_HOME names another folder.
    QtSettingsStore();
    // The file at `fileName`, which need not exist yet.
    explicit QtSettingsStore(QString fileName);

    const QString &fileName() const { return m_fileName; }

    // Empty when there is no file yet; none when the file cannot be read or is not an INI
    // file QSettings can parse. A value that is a list (a bare comma in a hand-edited file) is
    // read back as the text it was.
    std::optional<Values> load() const override;
    bool save(const Values &values) override;

private:
    QString m_fileName;
};

} // namespace ostrel::gui
