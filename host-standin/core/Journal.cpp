#include "Journal.h"

#include "FilePaths.h"
#include "Refusal.h"

#include <chrono>
#include <cstdio>
#include <fstream>

namespace standin::core {

namespace {

// As Qt writes an instant in ISO 8601 with milliseconds.
std::string utcNow() {
    using namespace std::chrono;
    const auto now = floor<milliseconds>(system_clock::now());
    const auto day = floor<days>(now);
    const year_month_day date(day);
    const hh_mm_ss time(now - day);
    char text[32];
    std::snprintf(
        text, sizeof text, "%04d-%02u-%02uT%02d:%02d:%02d.%03dZ", static_cast<int>(date.year()),
        static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()),
        static_cast<int>(time.hours().count()), static_cast<int>(time.minutes().count()),
        static_cast<int>(time.seconds().count()), static_cast<int>(time.subseconds().count()));
    return text;
}

// Qt writes an object's members sorted by name; so do these lines.
Json::Object entry(const std::string& object, const std::string& member, Json::Array args,
                   const char* outcomeName, Json outcome) {
    return {{"args", std::move(args)},
            {"member", member},
            {"object", object},
            {outcomeName, std::move(outcome)},
            {"time", utcNow()}};
}

} // namespace

void Journal::recordResult(const std::string& object, const std::string& member, Json::Array args,
                           Json result) const {
    append(entry(object, member, std::move(args), "result", std::move(result)));
}

void Journal::recordError(const std::string& object, const std::string& member, Json::Array args,
                          const std::string& message) const {
    append(entry(object, member, std::move(args), "error",
                 Json::Object{{"message", message}, {"name", kRefusedError}}));
}

void Journal::append(const Json& entry) const {
    if (path_.empty())
        return;
    // One write per line, appended: a reader never sees half an entry.
    const std::string line = entry.toText() + '\n';
    std::ofstream file(pathOf(path_), std::ios::binary | std::ios::app);
    file.write(line.data(), static_cast<std::streamsize>(line.size()));
}

} // namespace standin::core
