#include "TestMain.h"

#include <QApplication>
#include <QTest>

#include <cstdio>

namespace standin::test {

std::map<std::string, TestFactory>& registeredTests() {
    static std::map<std::string, TestFactory> tests;
    return tests;
}

} // namespace standin::test

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    const auto& tests = standin::test::registeredTests();
    const auto test = argc > 1 ? tests.find(argv[1]) : tests.end();
    if (test == tests.end()) {
        std::fprintf(stderr, "usage: %s <test class> [Qt Test options]; classes:\n", argv[0]);
        for (const auto& [name, factory] : tests)
            std::fprintf(stderr, "  %s\n", name.c_str());
        return 2;
    }
    std::unique_ptr<QObject> object = test->second();
    argv[1] = argv[0];
    return QTest::qExec(object.get(), argc - 1, argv + 1);
}
