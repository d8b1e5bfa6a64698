#include "TestMain.h"
#include "host-standin/core/DatabaseFile.h"
#include "host-standin/core/Refusal.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

namespace standin::test {

using core::DatabaseFile;
using core::Refusal;

class HostDatabaseTest : public QObject {
    Q_OBJECT
private slots:
    void unusableFilesAreRefusedWithTheReason_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("reason");
        QTest::newRow("missing") << QByteArray() << "does not exist";
        QTest::newRow("folder") << QByteArray("/") << "is not a database file";
        QTest::newRow("binary") << QByteArray("\x03\x7b\x01\x01\x05\x00\x00\x00\xa1\x00", 10)
                                << "is not a host database";
        QTest::newRow("too large")
            << QByteArray("[Database]\n") + QByteArray(2 << 20, ';') << "is not a host database";
    }

    void unusableFilesAreRefusedWithTheReason() {
        QFETCH(QByteArray, content);
        QFETCH(QString, reason);
        QTemporaryDir dir;
        QString path = dir.filePath("db.dbf");
        if (content == "/") {
            QVERIFY(QDir(dir.path()).mkdir("db.dbf"));
        } else if (!content.isEmpty()) {
            QVERIFY(writeFile(path, content));
        }
        try {
            DatabaseFile::load(path.toStdString());
            QFAIL("the file was taken for a database");
        } catch (const Refusal& refusal) {
            QVERIFY2(QString::fromStdString(refusal.what()).contains(reason), refusal.what());
        }
    }
};

static RegisterTest<HostDatabaseTest> registration("HostDatabaseTest");

} // namespace standin::test

#include "HostDatabaseTest.moc"
