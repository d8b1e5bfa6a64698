#include "base/FailureReport.h"

#include "base/ErrorNumbers.h"

#include <iostream>
#include <mutex>
#include <new>

namespace vm {

namespace {

struct ReporterState {
    std::mutex mutex;
    Prompter* prompter = nullptr;
    std::string title = "Velmaris";
    std::string localizedSupport;
};

ReporterState& state() {
    static ReporterState s;
    return s;
}

struct Described {
    int number;
    std::string description;
    unsigned line;
};

Described describe(const std::exception_ptr& failure, unsigned caughtLine) {
    try {
        std::rethrow_exception(failure);
    } catch (const Failure& f) {
        // A failure raised outside this program (the host's) has no line of
        // its own: the statement that called out is the one that failed.
        return {f.number(), f.what(), f.line() != 0 ? f.line() : caughtLine};
    } catch (const std::bad_alloc&) {
        return {err::kOutOfMemory, "Out of memory", caughtLine};
    } catch (const std::overflow_error& e) {
        return {err::kOverflow, e.what(), caughtLine};
    } catch (const std::exception& e) {
        return {err::kUnexpected, e.what(), caughtLine};
    } catch (...) {
        return {err::kUnexpected, "Unknown failure", caughtLine};
    }
}

} // namespace

Failure::Failure(int number, const std::string& description, std::source_location where)
    : std::runtime_error(description), number_(number), line_(where.line()) {}

void throwObjectNotSet(std::source_location where) {
    throw Failure(err::kObjectNotSet, "Object variable or With block variable not set", where);
}

std::string fixedSupportSentence() {
    return std::string("Please contact ") + kSupportAddress + " with this error message.";
}

std::string failureReportText(int number, std::string_view description, const Procedure& where,
                              unsigned line, std::string_view supportSentence) {
    std::string text = "Error " + std::to_string(number) + ": '";
    text += description;
    text += "'\rin ";
    text += where.module;
    text += ": ";
    text += where.kind;
    text += ' ';
    text += where.name;
    text += " - Line # " + std::to_string(line) + "\r\r";
    text += supportSentence;
    return text;
}

void FailureReporter::install(Prompter* prompter, std::string programTitle) {
    auto& s = state();
    std::lock_guard lock(s.mutex);
    s.prompter = prompter;
    s.title = std::move(programTitle);
}

void FailureReporter::setLocalizedSupport(std::string sentence) {
    auto& s = state();
    std::lock_guard lock(s.mutex);
    s.localizedSupport = std::move(sentence);
}

void FailureReporter::report(const Procedure& where, const std::exception_ptr& failure,
                             Support support, std::source_location caught) {
    const Described d = describe(failure, caught.line());
    auto& s = state();
    std::unique_lock lock(s.mutex);
    const std::string sentence = support == Support::Localized && !s.localizedSupport.empty()
                                     ? s.localizedSupport
                                     : fixedSupportSentence();
    const std::string text = failureReportText(d.number, d.description, where, d.line, sentence);
    const std::string caption = s.title + " error";
    Prompter* prompter = s.prompter;
    lock.unlock();
    if (prompter) {
        prompter->ask(text, caption, Prompter::Buttons::Ok, Prompter::Icon::None);
    } else {
        std::cerr << caption << ": " << text << '\n';
    }
}

} // namespace vm
