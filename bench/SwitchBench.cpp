// One switch from the Open button: Velmaris opens the database of the row
// its settings select, and this prints the wall-clock time (ns since the
// epoch) of the click. bench/switch-bench.sh reads the rest from the host's
// journal.

#include "main/gui/Application.h"

#include <QPushButton>
#include <QTimer>
#include <QWidget>

#include <chrono>
#include <cstdio>

int main(int argc, char* argv[]) {
    return vm::runVelmaris(argc, argv, [](QWidget& window) {
        QTimer::singleShot(300, &window, [&window] {
            const auto now = std::chrono::system_clock::now().time_since_epoch();
            std::printf("%lld\n",
                        static_cast<long long>(
                            std::chrono::duration_cast<std::chrono::nanoseconds>(now).count()));
            std::fflush(stdout);
            window.findChild<QPushButton*>("cmdOpen")->click();
        });
    });
}
