#pragma once

#include "logon/SecretText.h"

#include <optional>
#include <string>

namespace vm {
class PerUserStore;
}

namespace vm::logon {

// What Velmaris hands over in the per-user section Logon, ready to type.
struct LogonRequest {
    std::u32string username;
    bool usePassword = false;
    // Deciphered; left empty, and never deciphered, when it is not to be typed.
    SecretText password;
};

// Nothing when no user name is waiting. Throws Failure when the user name or
// the password holds a character that cannot be typed as itself: a tab or a
// line break would act as a key and carry the rest into another field.
std::optional<LogonRequest> readLogonRequest(PerUserStore& store);

} // namespace vm::logon
