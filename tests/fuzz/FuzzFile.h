#pragma once

#include "TestSupport.h"

namespace vm::fuzz {

// A scratch file of the fuzz target's own, rewritten for every input; its
// folder goes when the target ends.
inline std::string scratchFile(const char* name) {
    static const test::TempDir folder;
    return folder.file(name);
}

} // namespace vm::fuzz
