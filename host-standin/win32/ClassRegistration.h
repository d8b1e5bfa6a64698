#pragma once

#include <windows.h>

#include <string>

namespace standin::win {

// A class as an installer writes it under HKLM\Software\Classes (wine reads no
// per-user classes): CLSID\{id} with its server and ProgID, and the ProgID's
// CLSID. `serverKey` is LocalServer32 or InprocServer32; an in-process class
// also names its threading model.
struct ClassEntry {
    std::wstring clsid;
    std::wstring progId;
    std::wstring description;
    std::wstring serverKey;
    std::wstring serverCommand;
    std::wstring threadingModel;
};

// Keeps the first failure of a series of steps that all run.
struct FirstFailure {
    HRESULT result = S_OK;
    void operator()(HRESULT outcome) {
        if (SUCCEEDED(result))
            result = outcome;
    }
};

// Both return the first failing registry call's error, S_OK when all went.
HRESULT registerClass(const ClassEntry& entry);
// Removes the CLSID key and the ProgID, when the ProgID still names this class.
HRESULT unregisterClass(const ClassEntry& entry);

// Sets a text value of a key below HKLM\Software\Classes, creating the key;
// an empty `name` is the key's default value.
HRESULT setClassesValue(const std::wstring& key, const std::wstring& name,
                        const std::wstring& value);
// The default value of a key below HKLM\Software\Classes; empty when missing.
std::wstring classesValue(const std::wstring& key);
// Removes a key below HKLM\Software\Classes with everything under it; a key
// that is not there is no failure.
HRESULT removeClassesKey(const std::wstring& key);

// The full path of a program or DLL; null is the running program.
std::wstring modulePath(HMODULE module);

} // namespace standin::win
