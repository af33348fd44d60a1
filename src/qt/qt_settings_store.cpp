// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "qt_settings_store.h"

#include "widgets.h"

#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStringList>

#include <utility>

namespace ostrel::gui {
namespace {

constexpr char organisation[] = "qz-ostrel";
constexpr char application[] = "qz-ostrel";

QString userFileName()
{
    return QSettings(QSettings::IniFormat, QSettings::UserScope, QString::fromLatin1(organisation),
                     QString::fromLatin1(application))
        .fileName();
}

// A value as the text it was in the file: QSettings reads a bare comma as a list.
QString textOf(const QVariant &value)
{
    if (value.typeId() == QMetaType::QStringList)
        return value.toStringList().join(QLatin1Char(','));
    return value.toString();
}

} // namespace

QtSettingsStore::QtSettingsStore()
    : m_fileName(userFileName())
{
}

QtSettingsStore::QtSettingsStore(QString fileName)
    : m_fileName(std::move(fileName))
{
}

std::optional<SettingsStore::Values> QtSettingsStore::load() const
{
    const QFileInfo file(m_fileName);
    if (!file.exists())
        return Values{};
    // QSettings takes a file it cannot open for an empty one.
    QFile readable(m_fileName);
    if (!file.isFile() || !readable.open(QIODevice::ReadOnly))
        return std::nullopt;
    readable.close();

    const QSettings settings(m_fileName, QSettings::IniFormat);
    if (settings.status() != QSettings::NoError)
        return std::nullopt;
    Values values;
    for (const QString &key : settings.allKeys()) {
        if (!key.isEmpty())
            values.insert_or_assign(key.toStdString(), toU16(textOf(settings.value(key))));
    }
    return values;
}

bool QtSettingsStore::save(const Values &values)
{
    // QSettings keeps the parts of a damaged file it could not parse and writes them back,
    // and would go on reporting the damage after a good write. A damaged file holds no
    // settings the calculator uses, so it goes before the new settings are written.
    if (QSettings(m_fileName, QSettings::IniFormat).status() == QSettings::FormatError)
        QFile::remove(m_fileName);
    QSettings settings(m_fileName, QSettings::IniFormat);
    settings.clear();
    for (const auto &[key, text] : values)
        settings.setValue(QString::fromStdString(key), toQString(text));
    settings.sync();
    return settings.status() == QSettings::NoError;
}

} // namespace ostrel::gui
