#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace vm::logon {

// Overwrites the whole buffer, spare capacity included, in a way the compiler
// may not drop as a dead store; the text is left empty with its buffer kept.
void wipe(std::string& text);
void wipe(std::u32string& text);

// Characters that must not outlive their use, such as a clear password. The
// buffer is sized once, so that growth never leaves a copy behind in freed
// memory, and every buffer that held the characters is wiped.
class SecretText {
public:
    SecretText() = default;
    explicit SecretText(std::size_t capacity) : capacity_(capacity) { chars_.reserve(capacity); }
    SecretText(SecretText&& other) noexcept;
    SecretText& operator=(SecretText&&) = delete;
    SecretText(const SecretText&) = delete;
    SecretText& operator=(const SecretText&) = delete;
    ~SecretText() { logon::wipe(chars_); }

    // Throws std::length_error rather than hold more than its capacity.
    void append(char32_t c);
    void wipe() { logon::wipe(chars_); }

    std::u32string_view view() const { return chars_; }
    bool empty() const { return chars_.empty(); }
    // Whether every character the buffer can hold is zero.
    bool wiped() const;

private:
    std::size_t capacity_ = 0;
    std::u32string chars_;
};

// Wipes a buffer when the scope ends, however it ends.
class WipeOnExit {
public:
    explicit WipeOnExit(std::string& text) : text_(text) {}
    WipeOnExit(const WipeOnExit&) = delete;
    WipeOnExit& operator=(const WipeOnExit&) = delete;
    ~WipeOnExit() { wipe(text_); }

private:
    std::string& text_;
};

} // namespace vm::logon
