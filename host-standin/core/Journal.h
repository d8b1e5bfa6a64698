#pragma once

#include "Json.h"

#include <string>

namespace standin::core {

// With HOST_STANDIN_JOURNAL naming a file, every automation call the host
// receives and every login attempt is appended to it, one JSON object a line,
// in the Linux host's form, members sorted by name as Qt writes them:
//   {"args":["C:\\data\\sales.dbf"],"member":"openDB","object":"/Application",
//    "result":null,"time":"2024-05-01T10:00:00.000Z"}
// or, for a refused call, "error":{"message":...,"name":...} in place of "result".
// Nothing is written when the variable is unset or empty.
class Journal {
public:
    static constexpr const char* kVariable = "HOST_STANDIN_JOURNAL";

    explicit Journal(std::string path = {}) : path_(std::move(path)) {}

    void recordResult(const std::string& object, const std::string& member, Json::Array args,
                      Json result) const;
    void recordError(const std::string& object, const std::string& member, Json::Array args,
                     const std::string& message) const;

private:
    void append(const Json& entry) const;
    std::string path_;
};

} // namespace standin::core
