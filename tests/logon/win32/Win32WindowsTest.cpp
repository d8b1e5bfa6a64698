#include "LoginWindows.h"
#include "platform/win32/Win32KeyTyper.h"
#include "platform/win32/Win32WindowSearch.h"
#include "platform/win32/WindowHandle.h"
#include "support/Eventually.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <malloc.h>
#include <new>

namespace vm::test {
namespace {

using namespace std::chrono_literals;
using win32::idOf;

// While a UTF-16 unit is watched, every block this program frees is searched
// for it: a typed password's characters must not stay behind in freed memory.
std::atomic<unsigned> watchedUnit{0};
std::atomic<int> freedHoldingIt{0};

} // namespace

void noteFreed(void* block) {
    const unsigned unit = watchedUnit;
    if (unit == 0 || !block)
        return;
    const std::size_t size = _msize(block);
    const auto* bytes = static_cast<const unsigned char*>(block);
    for (std::size_t i = 0; i + 1 < size; i += 2)
        if (static_cast<unsigned>(bytes[i] | bytes[i + 1] << 8) == unit) {
            ++freedHoldingIt;
            return;
        }
}

namespace {

TEST(Win32Windows, FindsTheShownLoginWindowOfTheTopmostFrameThroughItsOwner) {
    if (const std::optional<std::string> reason = noDisplayReason())
        GTEST_SKIP() << *reason;
    win32::Win32WindowSearch search;
    const auto find = [&] { return search.findOwnedWindow("ACT3.0FrameClass", "Login to"); };
    LoginWindows host(L"xact3.0FRAMEclass2", L"Login to Sales");
    LoginWindows decoy(L"OtherFrameClass", L"Login to Sales");
    ASSERT_EQ(::GetParent(host.dialog), nullptr) << "an owned overlapped window has no parent";
    EXPECT_EQ(find(), idOf(host.dialog));

    // Above the first: only its own window counts, with the title's case.
    LoginWindows later(L"ACT3.0FrameClassic", L"login to Sales");
    EXPECT_EQ(find(), std::nullopt);
    ::SetWindowTextW(later.dialog, L"Login to Sales");
    EXPECT_EQ(find(), idOf(later.dialog));
    ::ShowWindow(later.dialog, SW_HIDE);
    EXPECT_EQ(find(), std::nullopt) << "a hidden window cannot take the keystrokes";
}

TEST(Win32KeyTyper, TypesOnlyWhatCanBeTypedAndACharacterBeyondU_FFFFAsItself) {
    win32::Win32KeyTyper typer;
    EXPECT_THROW(typer.prepare(std::u32string(U"ab\0", 3)), std::invalid_argument);
    EXPECT_THROW(typer.prepare(std::u32string(1, char32_t(0xD800))), std::invalid_argument);
    EXPECT_THROW(typer.prepare(U"a\tb"), std::invalid_argument);
    typer.prepare(U"Zo\u00EB \U0001F600");

    if (const std::optional<std::string> reason = noDisplayReason())
        GTEST_SKIP() << *reason;
    // Into the name field, which has the focus; the e2e tests cover the keys.
    LoginWindows host(L"ACT3.0FrameClass", L"Login to Sales");
    ASSERT_TRUE(waitFor(
        "the focus", [&] { return typer.focusIsIn(idOf(host.dialog)); }, 5s));
    ::SetDlgItemTextW(host.dialog, LoginWindows::kName, L"");
    watchedUnit = 0xD83D; // the first half of U+1F600
    typer.type(U'\U0001F600');
    typer.finish();
    watchedUnit = 0;
    EXPECT_EQ(freedHoldingIt, 0) << "a freed buffer still holds the typed character";
    const auto typed = [&] { return host.field(LoginWindows::kName) == "\U0001F600"; };
    EXPECT_TRUE(eventually(typed, 5s)) << host.field(LoginWindows::kName);
}

} // namespace
} // namespace vm::test

// Replaced in pairs, so that what one allocates the other frees.
void* operator new(std::size_t size) {
    if (void* block = std::malloc(size == 0 ? 1 : size))
        return block;
    throw std::bad_alloc();
}

void operator delete(void* block) noexcept {
    vm::test::noteFreed(block);
    std::free(block);
}

void operator delete(void* block, std::size_t) noexcept {
    vm::test::noteFreed(block);
    std::free(block);
}
