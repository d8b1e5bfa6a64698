#pragma once

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

} // namespace standin::test
