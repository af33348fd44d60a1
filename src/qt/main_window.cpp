// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "main_window.h"

#include "window_table.h"

#include <QCoreApplication>
#include <QIcon>
#include <QImageReader>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QLocale>
#include <QPixmap>
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

} // namespace

bool installChineseQtTranslations(QCoreApplication &application)
{
    auto *qt = new QTranslator(&application);
    if (!qt->load(QLocale(QLocale::Chinese, QLocale::China), QStringLiteral("qtbase"),
                  QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return false;
    return QCoreApplication::installTranslator(qt);
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
