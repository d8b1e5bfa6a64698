#include "Json.h"

#include "base/Utf8.h"

#include <algorithm>
#include <cstdio>
#include <stdexcept>

namespace standin::core {

namespace {

class Parser {
public:
    explicit Parser(std::string_view text) : text_(text) {}

    Json document() {
        Json value = any();
        skipBlanks();
        if (pos_ != text_.size())
            fail("text after the end of the value");
        return value;
    }

private:
    [[noreturn]] void fail(const char* what) const {
        throw std::runtime_error(std::string(what) + " at offset " + std::to_string(pos_));
    }

    void skipBlanks() {
        while (pos_ < text_.size() && (text_[pos_] == ' ' || text_[pos_] == '\t' ||
                                       text_[pos_] == '\n' || text_[pos_] == '\r'))
            ++pos_;
    }

    bool take(char c) {
        skipBlanks();
        if (pos_ < text_.size() && text_[pos_] == c) {
            ++pos_;
            return true;
        }
        return false;
    }

    bool takeWord(std::string_view word) {
        if (text_.substr(pos_, word.size()) != word)
            return false;
        pos_ += word.size();
        return true;
    }

    Json any() {
        // Nesting beyond this is no profile and would only exhaust the stack.
        constexpr int kDeepest = 64;
        if (depth_ > kDeepest)
            fail("values nested too deeply");
        skipBlanks();
        if (pos_ == text_.size())
            fail("a value missing");
        const char c = text_[pos_];
        if (c == '{')
            return nested([this] { return object(); });
        if (c == '[')
            return nested([this] { return array(); });
        if (c == '"')
            return string();
        if (takeWord("null"))
            return nullptr;
        if (takeWord("true"))
            return true;
        if (takeWord("false"))
            return false;
        if (c == '-' || (c >= '0' && c <= '9'))
            return number();
        fail("an unexpected character");
    }

    template <class Read> Json nested(Read read) {
        ++depth_;
        Json value = read();
        --depth_;
        return value;
    }

    Json object() {
        ++pos_;
        Json::Object members;
        if (take('}'))
            return members;
        do {
            skipBlanks();
            if (pos_ == text_.size() || text_[pos_] != '"')
                fail("a member name missing");
            std::string name = string();
            if (!take(':'))
                fail("':' missing");
            members.emplace_back(std::move(name), any());
        } while (take(','));
        if (!take('}'))
            fail("'}' missing");
        return members;
    }

    Json array() {
        ++pos_;
        Json::Array items;
        if (take(']'))
            return items;
        do
            items.push_back(any());
        while (take(','));
        if (!take(']'))
            fail("']' missing");
        return items;
    }

    Json number() {
        const std::size_t start = pos_;
        if (text_[pos_] == '-')
            ++pos_;
        while (pos_ < text_.size() && text_[pos_] >= '0' && text_[pos_] <= '9')
            ++pos_;
        if (pos_ < text_.size() && (text_[pos_] == '.' || text_[pos_] == 'e' || text_[pos_] == 'E'))
            fail("a number that is not whole");
        const std::string digits(text_.substr(start, pos_ - start));
        if (digits == "-" || digits.size() > 18)
            fail("a number out of range");
        return static_cast<std::int64_t>(std::stoll(digits));
    }

    unsigned hex4() {
        if (pos_ + 4 > text_.size())
            fail("a cut \\u escape");
        unsigned value = 0;
        for (int i = 0; i < 4; ++i) {
            const char c = text_[pos_++];
            value <<= 4;
            if (c >= '0' && c <= '9')
                value |= static_cast<unsigned>(c - '0');
            else if (c >= 'a' && c <= 'f')
                value |= static_cast<unsigned>(c - 'a' + 10);
            else if (c >= 'A' && c <= 'F')
                value |= static_cast<unsigned>(c - 'A' + 10);
            else
                fail("a bad \\u escape");
        }
        return value;
    }

    void escape(std::string& out) {
        if (pos_ == text_.size())
            fail("a cut escape");
        const char c = text_[pos_++];
        switch (c) {
        case '"':
        case '\\':
        case '/':
            out += c;
            return;
        case 'b':
            out += '\b';
            return;
        case 'f':
            out += '\f';
            return;
        case 'n':
            out += '\n';
            return;
        case 'r':
            out += '\r';
            return;
        case 't':
            out += '\t';
            return;
        case 'u':
            break;
        default:
            fail("an unknown escape");
        }
        char32_t unit = hex4();
        if (unit >= 0xD800 && unit < 0xDC00) {
            if (!takeWord("\\u"))
                fail("a lone surrogate");
            const unsigned low = hex4();
            if (low < 0xDC00 || low > 0xDFFF)
                fail("a lone surrogate");
            unit = 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00);
        } else if (unit >= 0xDC00 && unit <= 0xDFFF) {
            fail("a lone surrogate");
        }
        vm::utf8::append(out, unit);
    }

    std::string string() {
        ++pos_;
        std::string out;
        while (true) {
            if (pos_ == text_.size())
                fail("a string without its closing quote");
            const char c = text_[pos_];
            if (c == '"') {
                ++pos_;
                return out;
            }
            if (static_cast<unsigned char>(c) < 0x20)
                fail("a control character in a string");
            if (c == '\\') {
                ++pos_;
                escape(out);
                continue;
            }
            const std::size_t before = pos_;
            if (!vm::utf8::decode(text_, pos_))
                fail("text that is not UTF-8");
            out.append(text_.substr(before, pos_ - before));
        }
    }

    std::string_view text_;
    std::size_t pos_ = 0;
    int depth_ = 0;
};

// As Qt writes JSON: members sorted by name; indented, four spaces a level,
// each member and element on a line of its own, when `indent` is not null.
void write(const Json& value, std::string& out, const int* indent) {
    const auto newLine = [&](int level) {
        if (indent) {
            out += '\n';
            out.append(4 * static_cast<std::size_t>(level), ' ');
        }
    };
    const int level = indent ? *indent + 1 : 0;
    if (value.isNull()) {
        out += "null";
    } else if (const bool* b = value.boolean()) {
        out += *b ? "true" : "false";
    } else if (const std::int64_t* n = value.number()) {
        out += std::to_string(*n);
    } else if (const std::string* s = value.text()) {
        out += quoted(*s);
    } else if (const Json::Array* a = value.array()) {
        out += '[';
        for (std::size_t i = 0; i < a->size(); ++i) {
            if (i)
                out += ',';
            newLine(level);
            write((*a)[i], out, indent ? &level : nullptr);
        }
        newLine(level - 1);
        out += ']';
    } else if (const Json::Object* o = value.object()) {
        std::vector<const std::pair<std::string, Json>*> members;
        for (const auto& member : *o)
            members.push_back(&member);
        std::stable_sort(members.begin(), members.end(), [](const auto* left, const auto* right) {
            return left->first < right->first;
        });
        out += '{';
        for (std::size_t i = 0; i < members.size(); ++i) {
            if (i)
                out += ',';
            newLine(level);
            out += quoted(members[i]->first);
            out += indent ? ": " : ":";
            write(members[i]->second, out, indent ? &level : nullptr);
        }
        newLine(level - 1);
        out += '}';
    }
}

} // namespace

namespace {

const Json& null() {
    static const Json value;
    return value;
}

} // namespace

const Json& Json::at(std::size_t index) const {
    const Array* a = array();
    return a && index < a->size() ? (*a)[index] : null();
}

const Json& Json::operator[](std::string_view name) const {
    if (const Object* o = object()) {
        for (const auto& [key, value] : *o) {
            if (key == name)
                return value;
        }
    }
    return null();
}

std::string Json::toText() const {
    std::string out;
    write(*this, out, nullptr);
    return out;
}

std::string Json::toIndentedText() const {
    std::string out;
    const int top = 0;
    write(*this, out, &top);
    return out + '\n';
}

Json Json::parse(std::string_view text) {
    return Parser(text).document();
}

std::string quoted(std::string_view text) {
    std::string out = "\"";
    for (const char c : text) {
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        case '\b':
            out += "\\b";
            break;
        case '\f':
            out += "\\f";
            break;
        default:
            if (static_cast<unsigned char>(c) < 0x20) {
                char escaped[8];
                std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
                out += escaped;
            } else {
                out += c;
            }
        }
    }
    return out + '"';
}

} // namespace standin::core
