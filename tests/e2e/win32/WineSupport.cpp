#include "e2e/win32/WineSupport.h"

#include "TestSupport.h"
#include "platform/win32/AnsiText.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <thread>

namespace vm::test {

using namespace std::chrono_literals;

Child::Child(const std::string& commandLine, const std::string& errorOutput) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    HANDLE error = INVALID_HANDLE_VALUE;
    if (!errorOutput.empty()) {
        SECURITY_ATTRIBUTES inherited{sizeof inherited, nullptr, TRUE};
        error =
            ::CreateFileA(errorOutput.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                          &inherited, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdError = error;
        startup.hStdOutput = error;
    }
    std::wstring line = win32::toWide(commandLine).value();
    if (!::CreateProcessW(nullptr, line.data(), nullptr, nullptr, error != INVALID_HANDLE_VALUE, 0,
                          nullptr, nullptr, &startup, &process_))
        process_ = {};
    else
        ::CloseHandle(process_.hThread);
    if (error != INVALID_HANDLE_VALUE)
        ::CloseHandle(error);
}

Child::~Child() {
    if (!process_.hProcess)
        return;
    // Given time to end by itself first: a COM server killed while it
    // withdraws its classes leaves them registered with wine for a while.
    if (::WaitForSingleObject(process_.hProcess, 15000) == WAIT_TIMEOUT)
        ::TerminateProcess(process_.hProcess, 1);
    ::WaitForSingleObject(process_.hProcess, 10000);
    ::CloseHandle(process_.hProcess);
}

std::optional<DWORD> Child::wait(std::chrono::milliseconds limit) {
    if (!process_.hProcess ||
        ::WaitForSingleObject(process_.hProcess, static_cast<DWORD>(limit.count())) !=
            WAIT_OBJECT_0)
        return std::nullopt;
    DWORD code = 0;
    ::GetExitCodeProcess(process_.hProcess, &code);
    return code;
}

std::string windowsPath(const std::string& path) {
    char full[MAX_PATH] = {};
    ::GetFullPathNameA(path.c_str(), MAX_PATH, full, nullptr);
    return full;
}

std::string quoted(const std::string& path) {
    return "\"" + path + "\"";
}

std::vector<std::pair<std::string, std::string>> journalEntries(const std::string& journal) {
    std::vector<std::pair<std::string, std::string>> entries;
    const std::string text = readBytes(journal);
    for (std::size_t start = 0, end; start < text.size(); start = end + 1) {
        end = std::min(text.find('\n', start), text.size());
        const std::string line = text.substr(start, end - start);
        const std::size_t member = line.find("\"member\":\"");
        if (member == std::string::npos)
            continue;
        const std::size_t from = member + 10;
        entries.emplace_back(line.substr(from, line.find('"', from) - from), line);
    }
    return entries;
}

std::optional<std::string> lastJournalLine(const std::string& journal, const std::string& member) {
    std::optional<std::string> found;
    for (const auto& [name, line] : journalEntries(journal))
        if (name == member)
            found = line;
    return found;
}

void registerHostStandin(const std::string& program) {
    Child server(quoted(program) + " /RegServer");
    EXPECT_EQ(server.wait(60s), DWORD{0});
}

bool closeHosts() {
    HWND asked = nullptr;
    return eventually([&] {
        HWND frame = ::FindWindowA("ACT3.0FrameClass", nullptr);
        if (frame && frame != asked)
            ::PostMessageA(frame, WM_CLOSE, 0, 0);
        asked = frame;
        return !frame;
    });
}

} // namespace vm::test
