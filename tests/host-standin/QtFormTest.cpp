// The shared core writes the journal and the profile itself; the Linux host
// wrote them with Qt's JSON before. These hold the two to the same bytes, so
// that journals compare and existing profiles and their readers go on working.
#include "Journal.h"
#include "TestMain.h"
#include "host-standin/core/Profile.h"
#include "host-standin/core/Refusal.h"
#include "host-standin/core/Text.h"

#include <QDBusObjectPath>
#include <QDateTime>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>

namespace standin::test {

namespace {

// Quotes, back slashes, control characters, DEL, non-ASCII and a line
// separator: what Qt escapes and what it leaves as it is.
const QString kAwkward =
    QString::fromUtf8("C:\\d\"b\"/\x01\x1f\x7f\t\n\xc3\xa9\xe6\x97\xa5\xe2\x80\xa8");

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class QtFormTest : public QObject {
    Q_OBJECT
private slots:
    void journalLinesAreQtsCompactJson() {
        QTemporaryDir dir;
        const QString path = dir.filePath("journal.jsonl");
        const QVariantList args{
            kAwkward, 7, true, QVariant::fromValue(QDBusObjectPath("/v/1")), QVariant(), QString()};
        Journal(path).recordResult("/Application", "openDB", args, -1);
        Journal(path).recordError("/Application", "openDB", {kAwkward}, kAwkward);

        const QList<QByteArray> lines = readAll(path).split('\n');
        QCOMPARE(lines.size(), 3);
        QJsonArray jsonArgs{kAwkward, 7, true, "/v/1", QJsonValue(), ""};
        const QJsonObject result{{"time", QJsonDocument::fromJson(lines[0]).object()["time"]},
                                 {"object", "/Application"},
                                 {"member", "openDB"},
                                 {"args", jsonArgs},
                                 {"result", -1}};
        QCOMPARE(lines[0], QJsonDocument(result).toJson(QJsonDocument::Compact));
        const QJsonObject error{
            {"time", QJsonDocument::fromJson(lines[1]).object()["time"]},
            {"object", "/Application"},
            {"member", "openDB"},
            {"args", QJsonArray{kAwkward}},
            {"error", QJsonObject{{"name", standin::core::kRefusedError}, {"message", kAwkward}}}};
        QCOMPARE(lines[1], QJsonDocument(error).toJson(QJsonDocument::Compact));
        QVERIFY(QDateTime::fromString(result["time"].toString(), Qt::ISODateWithMs).isValid());
    }

    // Names and database lines are trimmed and turned down as QString did.
    void textIsTrimmedAndJudgedAsQtDoes() {
        for (const char* text : {"", " \t\r\n", "\xc2\xa0\xe3\x80\x80name\xe2\x80\xa8", " a b ",
                                 "\xc2\x85x\xc2\x85", "na\xc2\x9fme", "na\x7fme",
                                 "\xe2\x80\x8bzero-width", "caf\xc3\xa9", "\xff bad \xff"}) {
            const QString qt = QString::fromUtf8(text);
            if (qt.toUtf8() == text)
                QCOMPARE(QString::fromStdString(core::trimmed(text)), qt.trimmed());
            QCOMPARE(core::isBlank(text), qt.trimmed().isEmpty());
            const bool clean =
                !qt.trimmed().isEmpty() && std::none_of(qt.begin(), qt.end(), [](QChar c) {
                    return c.category() == QChar::Other_Control;
                });
            QCOMPARE(core::isCleanName(text), clean);
        }
    }

    void theProfileIsWrittenAndReadAsQtWroteIt() {
        QTemporaryDir dir;
        const QString path = dir.filePath("profile.json");
        const QJsonObject placed{
            {"name", kAwkward},         {"program", "/opt/v"}, {"workingFolder", ""},
            {"caption", "C"},           {"toolTip", "T"},      {"smallIcon", "s"},
            {"largeIcon", "l"},         {"commandType", 2},    {"toolbar", QJsonArray{1, 6}},
            {"toolsMenu", QJsonArray{}}};
        const QJsonObject qtProfile{{"defaultContactLayout", kAwkward},
                                    {"defaultGroupLayout", ""},
                                    {"startupMacro", "/m.mpr"},
                                    {"lastUserName", "Ann"},
                                    {"auxCommands", QJsonArray{placed}}};
        const QByteArray qtBytes = QJsonDocument(qtProfile).toJson();
        QVERIFY(writeFile(path, qtBytes));

        std::string problem;
        const core::ProfileFile profileFile(path.toStdString());
        const core::Profile profile = profileFile.load(problem);
        QCOMPARE(problem, std::string());
        QCOMPARE(profile.defaultContactLayout, kAwkward.toStdString());
        QCOMPARE(profile.lastUserName, std::string("Ann"));
        QCOMPARE(profile.auxCommands.size(), std::size_t(1));
        QCOMPARE(profile.auxCommands[0].commandType, 2);
        QCOMPARE(profile.auxCommands[0].toolbarViews, (std::set<int>{1, 6}));

        QVERIFY(QFile::remove(path));
        QVERIFY(profileFile.save(profile));
        QCOMPARE(readAll(path), qtBytes);
    }
};

static RegisterTest<QtFormTest> registration("QtFormTest");

} // namespace standin::test

#include "QtFormTest.moc"
