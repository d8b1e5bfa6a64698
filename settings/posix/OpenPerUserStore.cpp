#include "settings/PerUserStore.h"

namespace vm {

std::unique_ptr<PerUserStore> openPerUserStore(std::string_view applicationName) {
    return std::make_unique<FilePerUserStore>(std::string(applicationName));
}

} // namespace vm
