#include "logon/LogonRequest.h"

#include "base/ErrorNumbers.h"
#include "base/FailureReport.h"
#include "base/Utf8.h"
#include "cipher/modEnCrypt.h"
#include "settings/PerUserStore.h"
#include "settings/SettingsSchema.h"
#include "settings/Windows1252.h"

#include <charconv>

namespace vm::logon {

namespace {

bool typableAsItself(char32_t c) {
    return c >= 0x20 && !(c >= 0x7F && c <= 0x9F);
}

[[noreturn]] void refuse(std::string_view what) {
    throw Failure(err::kUnexpected,
                  std::string(what) + " holds a character that cannot be typed as itself");
}

std::u32string usernameCharacters(std::string_view text) {
    std::u32string chars;
    for (std::size_t pos = 0; pos < text.size();) {
        const std::optional<char32_t> c = utf8::decode(text, pos);
        if (!c || !typableAsItself(*c))
            refuse("The user name");
        chars += *c;
    }
    return chars;
}

// The characters of Windows-1252 bytes, converted one byte at a time so that
// every intermediate lives in a buffer wiped here: converting the whole text
// at once could reallocate and leave a copy in freed memory.
SecretText passwordCharacters(std::string_view bytes) {
    SecretText chars(bytes.size());
    for (const char byte : bytes) {
        std::string encoded = windows1252::toUtf8(std::string_view(&byte, 1));
        std::size_t pos = 0;
        const char32_t c = utf8::decode(encoded, pos).value_or(0);
        wipe(encoded);
        if (!typableAsItself(c))
            refuse("The password");
        chars.append(c);
    }
    return chars;
}

// "1" and "0" as the main program writes them; any other non-zero number, or
// "True" in any letter case, also reads as true.
bool asBoolean(std::string_view text) {
    long value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error == std::errc() && end == text.data() + text.size())
        return value != 0;
    return windows1252::equalsIgnoreCase(text, "True");
}

SecretText decipheredPassword(PerUserStore& store) {
    std::string enciphered = store.GetSetting(schema::kLogon, schema::kPassword);
    const WipeOnExit wipeEnciphered(enciphered);
    std::string clear = modEnCrypt::DecryptText(enciphered, std::string(modEnCrypt::kCipherKey));
    const WipeOnExit wipeClear(clear);
    return passwordCharacters(clear);
}

} // namespace

std::optional<LogonRequest> readLogonRequest(PerUserStore& store) {
    const std::string username = store.GetSetting(schema::kLogon, schema::kUsername);
    if (username.empty())
        return std::nullopt;
    const bool usePassword = asBoolean(store.GetSetting(schema::kLogon, schema::kUsePassword, "0"));
    LogonRequest request{usernameCharacters(username), usePassword,
                         usePassword ? decipheredPassword(store) : SecretText()};
    // Nothing reads the hand-over's password again. Deliberately unchecked: a
    // store that refuses the deletion keeps it as before, and the logon goes on.
    (void)store.DeleteSetting(schema::kLogon, schema::kPassword);
    return request;
}

} // namespace vm::logon
