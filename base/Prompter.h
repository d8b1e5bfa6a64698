#pragma once

#include <string_view>

namespace vm {

// Every message box of the system goes through this seam, so that logic can
// ask the user and tests can answer without a screen.
class Prompter {
public:
    enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel };
    enum class Icon { None, Information, Exclamation, Question, Critical };
    enum class Answer { Ok, Cancel, Yes, No };

    virtual ~Prompter() = default;
    virtual Answer ask(std::string_view text, std::string_view caption, Buttons buttons,
                       Icon icon) = 0;

    void tell(std::string_view text, std::string_view caption, Icon icon = Icon::None) {
        ask(text, caption, Buttons::Ok, icon);
    }
};

} // namespace vm
