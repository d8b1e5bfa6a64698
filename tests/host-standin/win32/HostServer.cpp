#include "HostServer.h"

#include "ComText.h"
#include "FrameMessages.h"
#include "TestSupport.h"
#include "host-standin/core/FilePaths.h"
#include "host/com/HostComNames.h"
#include "support/Eventually.h"

#include <chrono>
#include <cstdlib>
#include <fstream>

namespace standin::win::test {

using namespace standin::core;

namespace {

constexpr auto kPatience = std::chrono::seconds(20);

std::wstring windowsPath(const std::string& path) {
    return std::filesystem::absolute(pathOf(path)).lexically_normal().wstring();
}

bool launch(std::wstring commandLine, PROCESS_INFORMATION& process) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    return ::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                            nullptr, &startup, &process);
}

bool runToEnd(const std::wstring& commandLine) {
    PROCESS_INFORMATION process{};
    if (!launch(commandLine, process))
        return false;
    DWORD status = 1;
    ::WaitForSingleObject(process.hProcess, 60000);
    ::GetExitCodeProcess(process.hProcess, &status);
    ::CloseHandle(process.hProcess);
    ::CloseHandle(process.hThread);
    return status == 0;
}

const std::wstring& executable() {
    static const std::wstring path = windowsPath(HOST_STANDIN_EXECUTABLE);
    return path;
}

} // namespace

Value::Value(const std::wstring& text) : Value() {
    vt = VT_BSTR;
    bstrVal = ::SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
}

Value::Value(short number) : Value() {
    vt = VT_I2;
    iVal = number;
}

Value::Value(long number) : Value() {
    vt = VT_I4;
    lVal = number;
}

std::wstring Value::text() const {
    return vt == VT_BSTR ? std::wstring(bstrVal, ::SysStringLen(bstrVal)) : std::wstring();
}

DISPID idOf(IDispatch* object, const wchar_t* member) {
    DISPID id = DISPID_UNKNOWN;
    LPOLESTR name = const_cast<LPOLESTR>(member);
    object->GetIDsOfNames(IID_NULL, &name, 1, LOCALE_USER_DEFAULT, &id);
    return id;
}

Reply invoke(IDispatch* object, const wchar_t* member, WORD flags,
             const std::vector<const VARIANT*>& args) {
    std::vector<VARIANT> reversed;
    for (auto it = args.rbegin(); it != args.rend(); ++it)
        reversed.push_back(**it);
    DISPID put = DISPID_PROPERTYPUT;
    DISPPARAMS params{reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
    if (flags == DISPATCH_PROPERTYPUT) {
        params.rgdispidNamedArgs = &put;
        params.cNamedArgs = 1;
    }
    EXCEPINFO exception{};
    UINT argumentError = 0;
    Reply reply;
    reply.result = object->Invoke(idOf(object, member), IID_NULL, LOCALE_USER_DEFAULT, flags,
                                  &params, &reply.value, &exception, &argumentError);
    if (exception.bstrDescription)
        reply.description = exception.bstrDescription;
    ::SysFreeString(exception.bstrDescription);
    ::SysFreeString(exception.bstrSource);
    ::SysFreeString(exception.bstrHelpFile);
    return reply;
}

IDispatch* create(const char* progId, DWORD context) {
    CLSID clsid{};
    IDispatch* object = nullptr;
    if (SUCCEEDED(::CLSIDFromProgID(wideOf(progId).c_str(), &clsid)))
        ::CoCreateInstance(clsid, nullptr, context, IID_IDispatch,
                           reinterpret_cast<void**>(&object));
    return object;
}

std::wstring demoFile(const char* name) {
    return windowsPath(std::string(VM_DEMO_DIR) + "/" + name);
}

HostServer::HostServer() {
    static const bool registered = runToEnd(L"\"" + executable() + L"\" /RegServer");
    static vm::test::TempDir folder;
    static int count = 0;
    folder_ = windowsPath(folder.file("host" + std::to_string(++count)));
    std::filesystem::create_directories(folder_);
    // The host inherits both: its journal and its per-user folder.
    ::SetEnvironmentVariableW(L"HOST_STANDIN_JOURNAL", (folder_ + L"\\journal.jsonl").c_str());
    ::SetEnvironmentVariableW(L"LOCALAPPDATA", folder_.c_str());
    if (!registered)
        ADD_FAILURE() << "host-standin.exe /RegServer failed";
}

HostServer::~HostServer() {
    if (!process_.hProcess)
        return;
    // A host that is still there goes as its user would close it: under wine
    // a killed one leaves its classes registered, unreachable, for a while.
    if (frame_ && ::IsWindow(frame_))
        ::PostMessageW(frame_, WM_CLOSE, 0, 0);
    if (!waitForExit())
        ::TerminateProcess(process_.hProcess, 1);
    ::CloseHandle(process_.hProcess);
    ::CloseHandle(process_.hThread);
}

void HostServer::close() {
    if (!frame_ || !::IsWindow(frame_))
        return;
    // The host's own way out, so that it ends as it would for a client.
    if (IDispatch* app = create(vm::hostcom::kApplicationProgId, CLSCTX_LOCAL_SERVER)) {
        call(app, L"Command", Value(150L));
        app->Release();
    }
    EXPECT_TRUE(waitForExit()) << "the host did not end on Command(150)";
}

bool HostServer::start() {
    if (!launch(L"\"" + executable() + L"\"", process_))
        return false;
    const auto shown = [this] {
        frame_ = ::FindWindowW(kFrameClass, nullptr);
        return frame_ && ::IsWindowVisible(frame_);
    };
    const auto ended = [this] {
        return ::WaitForSingleObject(process_.hProcess, 0) == WAIT_OBJECT_0;
    };
    return vm::test::eventually([&] { return shown() || ended(); }, kPatience) && !ended();
}

bool HostServer::waitForExit() {
    return ::WaitForSingleObject(
               process_.hProcess,
               static_cast<DWORD>(std::chrono::milliseconds(kPatience).count())) == WAIT_OBJECT_0;
}

std::vector<Json> HostServer::journalOf(const std::string& object,
                                        const std::string& member) const {
    std::vector<Json> found;
    std::ifstream file(std::filesystem::path(folder_ + L"\\journal.jsonl"));
    for (std::string line; std::getline(file, line);) {
        Json entry = Json::parse(line);
        if (entry["object"].textOrEmpty() == object && entry["member"].textOrEmpty() == member)
            found.push_back(std::move(entry));
    }
    return found;
}

void HostTest::SetUp() {
    if (!std::getenv("DISPLAY"))
        GTEST_SKIP() << "The host's frame needs a display; DISPLAY is not set.";
    ASSERT_EQ(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED), S_OK);
    comStarted_ = true;
}

void HostTest::TearDown() {
    if (comStarted_)
        ::CoUninitialize();
}

void RunningHostTest::SetUp() {
    HostTest::SetUp();
    if (IsSkipped() || HasFatalFailure())
        return;
    beforeStart();
    ASSERT_TRUE(host_.start()) << "the host's frame did not show";
    app_ = create(vm::hostcom::kApplicationProgId, CLSCTX_LOCAL_SERVER);
    ASSERT_NE(app_, nullptr) << "ACTOLE.APPOBJECT did not reach the running host";
}

void RunningHostTest::TearDown() {
    if (app_)
        app_->Release();
    host_.close();
    HostTest::TearDown();
}

std::wstring RunningHostTest::text(const wchar_t* member) {
    const Reply reply = call(app_, member);
    EXPECT_EQ(reply.result, S_OK) << member;
    return reply.value.text();
}

} // namespace standin::win::test
