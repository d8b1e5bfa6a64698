#pragma once

#include "base/FailureReport.h"
#include "base/Prompter.h"

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace vm::test {

// A fresh folder per test, removed afterwards.
class TempDir {
public:
    TempDir() {
        static std::atomic<int> counter{0};
        const char* base = std::getenv("VELMARIS_TEST_TMP");
        auto root = base ? std::filesystem::path(base) : std::filesystem::temp_directory_path();
        path_ = root /
                ("t" + std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()) +
                 "_" + std::to_string(counter++));
        std::filesystem::create_directories(path_);
    }
    ~TempDir() {
        std::error_code ignored;
        std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ignored);
        std::filesystem::remove_all(path_, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    std::string file(const std::string& name) const { return (path_ / name).string(); }
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

#ifndef _WIN32
// An environment variable set for the life of the object, then as it was.
class ScopedEnvironment {
public:
    ScopedEnvironment(const char* name, const std::string& value) : name_(name) {
        if (const char* old = std::getenv(name))
            saved_ = old;
        ::setenv(name, value.c_str(), 1);
    }
    ~ScopedEnvironment() { saved_ ? ::setenv(name_, saved_->c_str(), 1) : ::unsetenv(name_); }
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

private:
    const char* name_;
    std::optional<std::string> saved_;
};
#endif

inline std::string readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    // Through the buffer rather than its iterators, which GCC 12 takes for
    // possible null dereferences (-Wnull-dereference) once inlined.
    if (in)
        bytes << in.rdbuf();
    return bytes.str();
}

inline bool fileExists(const std::string& path) {
    return std::filesystem::exists(path);
}

inline void writeBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

// Answers every question with a preset answer and remembers what was asked.
class RecordingPrompter : public Prompter {
public:
    struct Asked {
        std::string text;
        std::string caption;
        Buttons buttons;
        Icon icon;
    };
    Answer answer = Answer::Ok;
    std::vector<Asked> asked;

    Answer ask(std::string_view text, std::string_view caption, Buttons buttons,
               Icon icon) override {
        asked.push_back({std::string(text), std::string(caption), buttons, icon});
        return answer;
    }
};

// Every byte value once, in order.
inline std::string allBytes() {
    std::string s;
    for (int c = 0; c < 256; ++c)
        s += static_cast<char>(c);
    return s;
}

// Failure reports go to `prompter`, captioned for `program`, for as long as
// this lives; afterwards the process-wide reporter is as a fresh program has
// it.
struct CapturedReports {
    explicit CapturedReports(std::string program = "Velmaris") {
        FailureReporter::install(&prompter, std::move(program));
    }
    ~CapturedReports() {
        FailureReporter::install(nullptr, "Velmaris");
        FailureReporter::setLocalizedSupport("");
    }
    CapturedReports(const CapturedReports&) = delete;
    CapturedReports& operator=(const CapturedReports&) = delete;
    RecordingPrompter prompter;
};

} // namespace vm::test
