#include "TestMain.h"
#include "host-standin/core/DatabaseFile.h"
#include "host-standin/core/Refusal.h"

#include <QDir>
#include <QFile>
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
        QTest::newRow("no database section")
            << QByteArray("[Users]\nAnn=1\n") << "no [Database] section";
        QTest::newRow("user twice")
            << QByteArray("[Database]\n[Users]\nann=1\nAnn=2\n") << "listed twice";
        QTest::newRow("user without name")
            << QByteArray("[Database]\n[Users]\n=secret\n") << "has no name";
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
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(content);
        }
        try {
            DatabaseFile::load(path.toStdString());
            QFAIL("the file was taken for a database");
        } catch (const Refusal& refusal) {
            QVERIFY2(QString::fromStdString(refusal.what()).contains(reason), refusal.what());
        }
    }

    void usersLogInByNameInAnyCaseAndTheExactPassword() {
        QTemporaryDir dir;
        QFile file(dir.filePath("Field Office.dbf"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("; comment\r\n[Database]\r\n[Users]\r\n Ann = s3cret \r\n# Ben=old\r\nBen=\r\n");
        file.close();

        const DatabaseFile db = DatabaseFile::load(file.fileName().toStdString());
        QCOMPARE(db.name(), std::string("Field Office"));
        QVERIFY(db.hasUsers());
        QCOMPARE(db.logIn("ann", "s3cret"), std::optional<std::string>("Ann"));
        QCOMPARE(db.logIn("Ann", "S3cret"), std::nullopt);
        QCOMPARE(db.logIn("ben", ""), std::optional<std::string>("Ben"));
        QCOMPARE(db.logIn("ben", "old"), std::nullopt);
        QCOMPARE(db.logIn("Carl", ""), std::nullopt);
    }
};

static RegisterTest<HostDatabaseTest> registration("HostDatabaseTest");

} // namespace standin::test

#include "HostDatabaseTest.moc"
