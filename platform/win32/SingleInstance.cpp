#include "platform/SingleInstance.h"

#include <windows.h>

namespace vm {

namespace {

class MutexInstance : public SingleInstance {
public:
    ~MutexInstance() override {
        if (mutex_)
            ::CloseHandle(mutex_);
    }

    bool claim(const std::string& name) override {
        if (mutex_)
            return true;
        const std::string session = "Local\\" + name + ".instance";
        HANDLE mutex = ::CreateMutexA(nullptr, FALSE, session.c_str());
        if (!mutex)
            return true;
        if (::GetLastError() == ERROR_ALREADY_EXISTS) {
            ::CloseHandle(mutex);
            return false;
        }
        mutex_ = mutex;
        return true;
    }

private:
    HANDLE mutex_ = nullptr;
};

} // namespace

std::unique_ptr<SingleInstance> makeSingleInstance() {
    return std::make_unique<MutexInstance>();
}

} // namespace vm
