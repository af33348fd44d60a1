// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "support.h"

#include "main_window.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <utility>

namespace ostrel::test {

QString freshSettingsFile()
{
    static const QTemporaryDir folder;
    static int made = 0;
    if (!folder.isValid())
        qFatal("no folder for the tests' settings");
    return folder.filePath(QStringLiteral("settings-%1.ini").arg(++made));
}

std::unique_ptr<gui::QtSettingsStore> freshSettingsStore()
{
    return std::make_unique<gui::QtSettingsStore>(freshSettingsFile());
}

std::unique_ptr<gui::MainWindow> openWindow()
{
    return openWindow(freshSettingsStore());
}

std::unique_ptr<gui::MainWindow> openWindow(std::unique_ptr<gui::QtSettingsStore> store)
{
    static const bool translated = gui::installChineseQtTranslations(*QCoreApplication::instance());
    Q_UNUSED(translated);
    auto window = std::make_unique<gui::MainWindow>(std::move(store));
    window->show();
    if (!QTest::qWaitForWindowActive(window.get()))
        qFatal("the calculator window did not become active");
    return window;
}

QString nameAt(QWidget &window, QPoint point)
{
    const QWidget *child = window.childAt(point);
    // A drop-down's edit part is the drop-down's.
    if (child && qobject_cast<const QComboBox *>(child->parentWidget()))
        child = child->parentWidget();
    return child ? child->objectName() : QStringLiteral("none");
}

QRect placeOf(const layout::Control &control)
{
    const layout::Rect place = layout::clientPixels(control);
    return {place.left, place.top, place.width, place.height};
}

QPoint middleOf(const layout::Control &control)
{
    const layout::Rect place = layout::clientPixels(control);
    return {place.left + place.width / 2, place.top + place.height / 2};
}

int answeringMessageBoxes(const std::function<void()> &action,
                          const std::function<void(QMessageBox &)> &inspect)
{
    int boxes = 0;
    QTimer poll;
    poll.setInterval(5);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box || !box->isVisible() || box->property("answered").toBool() ||
            !box->windowHandle() || !box->windowHandle()->isExposed())
            return;
        box->setProperty("answered", true);
        ++boxes;
        if (inspect)
            inspect(*box);
        if (QAbstractButton *ok = box->button(QMessageBox::Ok))
            QTest::mouseClick(ok, Qt::LeftButton);
        else
            box->done(0); // a box without OK fails its inspection; it must not hang the test
    });
    poll.start();
    action();
    poll.stop();
    return boxes;
}

} // namespace ostrel::test
