// Prints what the desktop shell answers when asked which program opens the
// file named on the command line: "found <path>", "none" or "failed". Run by
// shell-program-for-test.sh.
#include "platform/qt/QtShell.h"

#include <cstdio>

int main(int argc, char* argv[]) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: shell_program_for <file>\n");
        return 2;
    }
    using Status = vm::FileProgram::Status;
    const vm::FileProgram answer = vm::QtShell().programFor(argv[1]);
    std::printf("%s\n", answer.status == Status::Found            ? ("found " + answer.path).c_str()
                        : answer.status == Status::NoneRegistered ? "none"
                                                                  : "failed");
    return 0;
}
