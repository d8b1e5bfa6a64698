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
    const vm::FileProgram answer = vm::QtShell().programFor(argv[1]);
    switch (answer.status) {
    case vm::FileProgram::Status::Found:
        std::printf("found %s\n", answer.path.c_str());
        break;
    case vm::FileProgram::Status::NoneRegistered:
        std::printf("none\n");
        break;
    case vm::FileProgram::Status::Failed:
        std::printf("failed\n");
        break;
    }
    return 0;
}
