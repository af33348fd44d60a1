// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The settings file: what reading finds in a missing, empty, damaged or unreadable file,
// that reading (and starting the window) never writes, and that what is saved reads back the
// same, over a damaged file too.
#include "support.h"

#include "main_window.h"
#include "widgets.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

namespace ostrel::test {
namespace {

using gui::toQString;

// How the file stands before it is read.
enum class Before { missing, empty, written, damaged, folder };

void lay(const QString &path, Before before, const QByteArray &content)
{
    switch (before) {
    case Before::missing:
        return;
    case Before::folder:
        QDir().mkpath(path);
        return;
    case Before::empty:
    case Before::written:
    case Before::damaged:
        break;
    }
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size())
        qFatal("cannot write %s", qPrintable(path));
}

QByteArray contentOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class SettingsStoreTest : public QObject {
    Q_OBJECT

private slots:
    void load_data()
    {
        QTest::addColumn<Before>("before");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("readable");
        QTest::addColumn<QStringList>("expected"); // key=value, in key order
        QTest::newRow("no file yet") << Before::missing << QByteArray() << true << QStringList();
        QTest::newRow("an empty file") << Before::empty << QByteArray() << true << QStringList();
        QTest::newRow("values as saved")
            << Before::written
            << QByteArray("[General]\nfeeModel=itemised\ncommissionRate=\" 2.5\"\n") << true
            << QStringList{QStringLiteral("commissionRate= 2.5"),
                           QStringLiteral("feeModel=itemised")};
        QTest::newRow("edited by hand: no section, a bare comma, Chinese, an empty value")
            << Before::written
            << QByteArray("stampDutyRate=1,5\nfeeModel=\xe5\x88\x86\xe9\xa1\xb9\nminimumWaived=\n")
            << true
            << QStringList{QStringLiteral("feeModel=分项"), QStringLiteral("minimumWaived="),
                           QStringLiteral("stampDutyRate=1,5")};
        QTest::newRow("damaged: a section never closed")
            << Before::damaged << QByteArray("[General\nfeeModel=itemised\n") << false
            << QStringList();
        QTest::newRow("a folder where the file should be")
            << Before::folder << QByteArray() << false << QStringList();
    }

    // Reading tells what the file holds, or that it cannot be read, and leaves it as it was.
    void load()
    {
        QFETCH(Before, before);
        QFETCH(QByteArray, content);
        QFETCH(bool, readable);
        QFETCH(QStringList, expected);
        const QString path = freshSettingsFile();
        lay(path, before, content);
        const gui::QtSettingsStore store(path);

        const auto loaded = store.load();
        QCOMPARE(loaded.has_value(), readable);
        if (loaded) {
            QStringList found;
            for (const auto &[key, text] : *loaded)
                found << QString::fromStdString(key) + QLatin1Char('=') + toQString(text);
            QCOMPARE(found, expected);
        }
        QCOMPARE(QFileInfo::exists(path), before != Before::missing);
        if (before != Before::folder && before != Before::missing)
            QCOMPARE(contentOf(path), content);
    }

    // A window started on a damaged file shows the default settings and leaves the file
    // for the user to mend until new settings are confirmed.
    void startingLeavesADamagedFileAlone()
    {
        const QString path = freshSettingsFile();
        const QByteArray damaged("[General\nfeeModel=itemised\n");
        lay(path, Before::damaged, damaged);
        const QDateTime modified = QFileInfo(path).lastModified();
        auto window = openWindow(std::make_unique<gui::QtSettingsStore>(path));
        QCOMPARE(window->calculator().feeSettings().model, FeeModel::perMille);
        window.reset();
        QCOMPARE(contentOf(path), damaged);
        QCOMPARE(QFileInfo(path).lastModified(), modified);
    }

    void saveRoundTrip_data()
    {
        QTest::addColumn<Before>("before");
        QTest::newRow("new file") << Before::missing;
        QTest::newRow("over saved values") << Before::written;
        QTest::newRow("over a damaged file") << Before::damaged;
    }

    // What is saved reads back the same, texts QSettings would otherwise take apart or trim
    // included, and replaces whatever the file held.
    void saveRoundTrip()
    {
        QFETCH(Before, before);
        const QString path = freshSettingsFile();
        lay(path, before,
            before == Before::damaged ? QByteArray("[General\nold=1\n")
                                      : QByteArray("old=1\nfeeModel=perMille\n"));
        gui::QtSettingsStore store(path);
        const SettingsStore::Values values{
            {"commissionRate", u" 2.5 "},   {"feeModel", u"itemised"},
            {"minimumCommission", u"1,5"},  {"minimumWaived", u""},
            {"stampDutyRate", u"@Variant"}, {"transferFeeRate", u"万分之\t0.1;#\\"},
        };
        QVERIFY(store.save(values));
        const auto loaded = store.load();
        QVERIFY(loaded);
        QVERIFY(*loaded == values);
        QVERIFY(*gui::QtSettingsStore(path).load() == values);
    }

    // Settings that cannot be written are reported so.
    void saveWhereNoFileCanBe()
    {
        const QString blocker = freshSettingsFile();
        lay(blocker, Before::empty, QByteArray());
        gui::QtSettingsStore store(blocker + QStringLiteral("/settings.ini"));
        QVERIFY(!store.save({{"feeModel", u"itemised"}}));
    }
};

} // namespace ostrel::test

QTEST_MAIN(ostrel::test::SettingsStoreTest)
#include "settings_store_test.moc"
