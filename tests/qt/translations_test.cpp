// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The parts of Qt the window shows speak Chinese with Qt's own translations, which the package
// depends on: the message box's button and the context menu of a field; the answer's menu is
// the window table's own.
#include "support.h"

#include "main_window.h"
#include "widgets.h"
#include "window_table.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMessageBox>
#include <QTest>
#include <QWindow>

#include <memory>

namespace ostrel::test {

class TranslationsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(gui::installChineseQtTranslations(*QCoreApplication::instance()));
        m_window = std::make_unique<gui::MainWindow>(freshSettingsStore());
        m_window->show();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    }
    void cleanupTestCase() { m_window.reset(); }

    void messageBoxButtonReadsOk()
    {
        QStringList buttons;
        const int boxes = answeringMessageBoxes(
            [&] {
                QTest::mouseClick(m_window->windowHandle(), Qt::LeftButton, {},
                                  middleOf(*layout::controlFor(ShowInstructions{})));
            },
            [&](QMessageBox &box) {
                for (const QAbstractButton *button : box.buttons())
                    buttons << button->text();
            });
        QCOMPARE(boxes, 1);
        QCOMPARE(buttons, QStringList{QStringLiteral("确定")});
    }

    // Each menu's items as they read, without the keys shown after a tab.
    void contextMenusReadChinese_data()
    {
        QTest::addColumn<bool>("ofTheAnswer");
        QTest::addColumn<QStringList>("items");
        QTest::newRow("a field") << false
                                 << QStringList{
                                        QStringLiteral("撤消(&U)"), QStringLiteral("重做(&R)"),
                                        QStringLiteral("剪切(&T)"), QStringLiteral("复制(&C)"),
                                        QStringLiteral("粘贴(&P)"), QStringLiteral("删除"),
                                        QStringLiteral("全选")};
        QTest::newRow("the answer")
            << true << QStringList{QStringLiteral("复制(&C)"), QStringLiteral("全选")};
    }

    void contextMenusReadChinese()
    {
        QFETCH(bool, ofTheAnswer);
        QFETCH(QStringList, items);
        QWidget *target = ofTheAnswer ? static_cast<QWidget *>(m_window->controls().resultLine())
                                      : m_window->controls().field(Field::balance);
        // A right click where the desktop sends it, as the user opens the menu.
        QTest::mouseClick(m_window->windowHandle(), Qt::RightButton, {},
                          target->mapTo(m_window.get(), target->rect().center()));
        QMenu *menu = nullptr;
        QVERIFY(QTest::qWaitFor(
            [&menu] {
                menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
                return menu && menu->isVisible();
            },
            2000));
        QStringList shown;
        for (const QAction *action : menu->actions()) {
            if (!action->isSeparator())
                shown << action->text().section(QLatin1Char('\t'), 0, 0);
        }
        menu->close();
        QCOMPARE(shown, items);
    }

private:
    std::unique_ptr<gui::MainWindow> m_window;
};

} // namespace ostrel::test

QTEST_MAIN(ostrel::test::TranslationsTest)
#include "translations_test.moc"
