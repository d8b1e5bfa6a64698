#include "settings/IniLib.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <fstream>

namespace {

namespace fs = std::filesystem;

const char* const kLocationKeys[] = {"Attached Email",
                                     "Database",
                                     "Document",
                                     "Document Template",
                                     "Email Root Folder",
                                     "Layout",
                                     "Macro",
                                     "NetLinks",
                                     "Query",
                                     "Report, Label, Envelope",
                                     "Synchronize",
                                     "Spelling Dictionary"};

// A settings file as the program writes it, of about `size` bytes: the
// General section and one section of 16 keys per database.
class SettingsFile {
public:
    explicit SettingsFile(std::size_t size) {
        path_ =
            (fs::temp_directory_path() /
             ("IniLibBench" +
              std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()) + ".ini"))
                .string();
        std::string sort;
        std::string databases;
        for (int n = 0; databases.size() < size; ++n) {
            lastDatabase_ = "Customer database " + std::to_string(n);
            const std::string folder = "C:\\ACT\\" + lastDatabase_;
            sort += (n ? ";" : "") + lastDatabase_;
            databases += "[" + lastDatabase_ + "]\r\nPath=" + folder +
                         "\\contacts.dbf\r\nCLY=" + folder + "\\standard.cly\r\nGLY=" + folder +
                         "\\groups.gly\r\nStartupMacro=\r\n";
            for (const char* key : kLocationKeys)
                databases += std::string(key) + "=" + folder + "\\" + key + "\r\n";
        }
        std::ofstream(path_, std::ios::binary)
            << " \r\n[General]\r\nSort=" << sort
            << "\r\nQuickSwitch=;;;;;;;\r\nQuickSwitchStartup=0\r\nQuickSwitchScheme=0\r\n"
            << databases;
    }
    ~SettingsFile() {
        std::error_code ignored;
        fs::remove(path_, ignored);
        fs::remove(path_ + ".lock", ignored);
    }
    SettingsFile(const SettingsFile&) = delete;
    SettingsFile& operator=(const SettingsFile&) = delete;

    const std::string& path() const { return path_; }
    const std::string& lastDatabase() const { return lastDatabase_; }

private:
    std::string path_;
    std::string lastDatabase_;
};

// The last database's section is the one found last.
void BM_GetKeyValue(benchmark::State& state) {
    const SettingsFile file(static_cast<std::size_t>(state.range(0)));
    vm::IniLib ini;
    ini.sIniPath = file.path();
    for (auto _ : state)
        benchmark::DoNotOptimize(ini.GetKeyValue(file.lastDatabase(), "Path", ""));
}

// Every iteration changes the value, so every write replaces the file.
void BM_SetKeyValue(benchmark::State& state) {
    const SettingsFile file(static_cast<std::size_t>(state.range(0)));
    vm::IniLib ini;
    ini.sIniPath = file.path();
    bool odd = false;
    for (auto _ : state) {
        odd = !odd;
        if (!ini.SetKeyValue(file.lastDatabase(), "StartupMacro", odd ? "C:\\m.mpr" : ""))
            state.SkipWithError("write failed");
    }
}

BENCHMARK(BM_GetKeyValue)
    ->Arg(10 << 10)
    ->Arg(100 << 10)
    ->Arg(1 << 20)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SetKeyValue)
    ->Arg(10 << 10)
    ->Arg(100 << 10)
    ->Arg(1 << 20)
    ->Unit(benchmark::kMicrosecond);

} // namespace
