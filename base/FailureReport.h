#pragma once

#include "base/Prompter.h"

#include <exception>
#include <source_location>
#include <stdexcept>
#include <string>
#include <string_view>

namespace vm {

// A failure raised by the system's own code: the report shows its number and
// the line that raised it.
class Failure : public std::runtime_error {
public:
    Failure(int number, const std::string& description,
            std::source_location where = std::source_location::current());
    int number() const { return number_; }
    unsigned line() const { return line_; }

private:
    int number_;
    unsigned line_;
};

// The failure of using an object that was never set (error 91), as the
// original program raised it where a host object or a selection was missing.
[[noreturn]] void throwObjectNotSet(std::source_location where = std::source_location::current());

// Names the procedure in a report: "in <module>: <kind> <name> - Line # ".
struct Procedure {
    std::string_view module;
    std::string_view kind; // "Sub", "Function" or "Property Get"
    std::string_view name;
};

// Which closing sentence a report carries: the current language's support
// text, or the fixed English copy of it.
enum class Support { Fixed, Localized };

inline constexpr const char* kSupportAddress = "support@velmaris.example";
std::string fixedSupportSentence();

std::string failureReportText(int number, std::string_view description, const Procedure& where,
                              unsigned line, std::string_view supportSentence);

// The process-wide handler for unexpected failures. Each program installs its
// prompter and title once at start; until then reports go to standard error.
class FailureReporter {
public:
    static void install(Prompter* prompter, std::string programTitle);
    static void setLocalizedSupport(std::string sentence);

    // Shows the standard report for the exception being handled. `caught`
    // gives the line when the failure carries none of its own.
    static void report(const Procedure& where, const std::exception_ptr& failure,
                       Support support = Support::Fixed,
                       std::source_location caught = std::source_location::current());
};

// Runs `body` under the standard handler: a failure is reported and `fallback`
// returned, so that the program goes on.
template <class Body, class Result>
Result guarded(const Procedure& where, Result fallback, Body&& body,
               Support support = Support::Fixed,
               std::source_location caught = std::source_location::current()) {
    try {
        return body();
    } catch (...) {
        FailureReporter::report(where, std::current_exception(), support, caught);
        return fallback;
    }
}

template <class Body>
void guarded(const Procedure& where, Body&& body, Support support = Support::Fixed,
             std::source_location caught = std::source_location::current()) {
    try {
        body();
    } catch (...) {
        FailureReporter::report(where, std::current_exception(), support, caught);
    }
}

} // namespace vm
