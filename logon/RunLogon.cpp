#include "logon/RunLogon.h"

#include "base/FailureReport.h"
#include "settings/PerUserStore.h"
#include "settings/SettingsSchema.h"

namespace vm::logon {

void runLogon(Pacer& pacer, const std::function<void(Form1& form)>& answer) {
    guarded({"Form1", "Sub", "Form_Load"}, [&] {
        const auto store = openPerUserStore(schema::kApplicationName);
        Form1 form(*store, pacer);
        // The window system is opened only when there is something to type.
        if (form.Form_Load())
            answer(form);
    });
}

} // namespace vm::logon
