#include "main/gui/Application.h"

int main(int argc, char* argv[]) {
    return vm::runVelmaris(argc, argv);
}
