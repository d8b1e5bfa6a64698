#pragma once

#include <QFile>
#include <QObject>

#include <functional>
#include <map>
#include <memory>
#include <string>

// Several Qt Test classes in one program; the first argument picks one, so
// that each class is its own CTest test.
namespace standin::test {

using TestFactory = std::function<std::unique_ptr<QObject>()>;
std::map<std::string, TestFactory>& registeredTests();

template <class Test> struct RegisterTest {
    explicit RegisterTest(const char* name) {
        registeredTests()[name] = [] { return std::make_unique<Test>(); };
    }
};

inline QString demo(const QString& file) {
    return QStringLiteral(DEMO_DIR "/") + file;
}

// False when the file cannot be written whole.
inline bool writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace standin::test
