// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "main_window.h"

#include "window_table.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QIcon>
#include <QImageReader>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QLocale>
#include <QPixmap>
#include <QSettings>
#include <QStringList>
#include <QTranslator>

#include <utility>

namespace ostrel::gui {
namespace {

// The window's own icon is the 32-pixel picture, read by Qt's built-in PNG reader alone:
// looking for a reader among the image plugins, or asking which formats they read, loads
// every plugin before the window can show. Desktops take the icon in every other size from
// the icon theme, where the package installs it.
QIcon applicationIcon()
{
    QImageReader reader(QStringLiteral(":/ostrel/icon-32.png"), "png");
    reader.setAutoDetectImageFormat(false);
    return QIcon(QPixmap::fromImage(reader.read()));
}

// A value as the text it was in the file: QSettings reads a bare comma as a list.
QString textOf(const QVariant &value)
{
    if (value.typeId() == QMetaType::QStringList)
        return value.toStringList().join(QLatin1Char(','));
    return value.toString();
}

} // namespace

bool installChineseQtTranslations(QCoreApplication &application)
{
    auto *qt = new QTranslator(&application);
    if (!qt->load(QLocale(QLocale::Chinese, QLocale::China), QStringLiteral("qtbase"),
                  QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return false;
    return QCoreApplication::installTranslator(qt);
}

QString QtSettingsStore::userFileName()
{
    // The organisation's name and the program's are both the package's.
    const QString name = QStringLiteral("qz-ostrel");
    return QSettings(QSettings::IniFormat, QSettings::UserScope, name, name).fileName();
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

MainWindow::MainWindow(std::unique_ptr<QtSettingsStore> store, QWidget *parent)
    : QWidget(parent)
    , m_store(std::move(store))
    , m_controls(*this, layout::mainWindow(), layout::WindowRole::main,
                 [this](const Action &action) { m_calculator.perform(action); })
    , m_window(m_controls, *this)
    , m_calculator(m_window, *m_store)
{
    const layout::WindowDescription &description = m_controls.description();
    applyLook(*this, description);
    setWindowIcon(applicationIcon());

    m_calculator.startUp();
    // The first field holds the focus with its whole text selected, as when Tab brings the
    // focus to a field, so the first amount typed replaces the 0 there. Every caret stands
    // after its field's text.
    QWidget *first = m_controls.widget(*description.tabOrder().front());
    first->setFocus();
    if (auto *field = qobject_cast<QLineEdit *>(first))
        field->selectAll();
}

} // namespace ostrel::gui
