#pragma once

#include "host-standin/core/Json.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace standin::win::test {

// A VARIANT that clears itself.
struct Value : VARIANT {
    Value() { ::VariantInit(this); }
    explicit Value(const std::wstring& text);
    explicit Value(short number);
    explicit Value(long number);
    Value(Value&& other) noexcept : VARIANT(other) { ::VariantInit(&other); }
    Value(const Value&) = delete;
    Value& operator=(const Value&) = delete;
    ~Value() { ::VariantClear(this); }
    std::wstring text() const;
};

// What an IDispatch call gave back.
struct Reply {
    HRESULT result = E_FAIL;
    Value value;
    std::wstring description;
};

// Calls `member` by name with the arguments in the caller's order; a put
// passes its one argument as the property's new value.
Reply invoke(IDispatch* object, const wchar_t* member, WORD flags,
             const std::vector<const VARIANT*>& args);
template <class... Args> Reply call(IDispatch* object, const wchar_t* member, const Args&... args) {
    return invoke(object, member, DISPATCH_METHOD | DISPATCH_PROPERTYGET, {&args...});
}
DISPID idOf(IDispatch* object, const wchar_t* member);
IDispatch* create(const char* progId, DWORD context);

// The stand-in host as a program of its own: registered in the wine prefix,
// started by hand with a journal and a data folder in a fresh folder, and
// closed afterwards.
class HostServer {
public:
    HostServer();
    // Closes a host still running as its user would, by force if it must.
    ~HostServer();

    // Starts the host and waits until its frame shows; false if it does not.
    bool start();
    HWND frame() const { return frame_; }
    bool waitForExit();
    // Closes the host through Command(150); needs COM on the calling thread.
    void close();
    // The journal's entries of one member.
    std::vector<core::Json> journalOf(const std::string& object, const std::string& member) const;

private:
    std::wstring folder_;
    PROCESS_INFORMATION process_{};
    HWND frame_ = nullptr;
};

// A test of the host's frame, with COM on the test's thread; skipped
// without a display.
class HostTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

private:
    bool comStarted_ = false;
};

// A test with the host running and its application object at hand.
class RunningHostTest : public HostTest {
protected:
    void SetUp() override;
    void TearDown() override;
    // What must be in place before the host starts.
    virtual void beforeStart() {}
    // A member's text answer, expected to come without refusal.
    std::wstring text(const wchar_t* member);

    HostServer host_;
    IDispatch* app_ = nullptr;
};

// The path of a demo database in Windows form.
std::wstring demoFile(const char* name);

} // namespace standin::win::test
