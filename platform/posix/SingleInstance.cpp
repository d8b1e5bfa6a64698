#include "platform/SingleInstance.h"

#include <cstdlib>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace vm {

namespace {

// The user's runtime folder is private and emptied at log-out; without one,
// a per-user name in the temporary folder serves.
std::string lockFolder() {
    if (const char* runtime = std::getenv("XDG_RUNTIME_DIR"); runtime && *runtime)
        return runtime;
    return "/tmp";
}

class FlockInstance : public SingleInstance {
public:
    ~FlockInstance() override {
        if (fd_ >= 0)
            ::close(fd_);
    }

    bool claim(const std::string& name) override {
        if (fd_ >= 0)
            return true;
        const std::string path =
            lockFolder() + "/" + name + "-" + std::to_string(::getuid()) + ".instance";
        const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
        if (fd < 0)
            return true; // without a place for the lock, refusing to start would be worse
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
            ::close(fd);
            return false;
        }
        fd_ = fd;
        return true;
    }

private:
    int fd_ = -1;
};

} // namespace

std::unique_ptr<SingleInstance> makeSingleInstance() {
    return std::make_unique<FlockInstance>();
}

} // namespace vm
