// Start-up to the first mapped window: Velmaris (its main window, or its
// QuickSwitch window when the settings ask for it) against a plain
// QMainWindow, one holding a list view and menus, one holding the main
// window's widgets with its three rows and texts, and a bare frameless
// topmost window of the QuickSwitch window's size.
// Prints the wall-clock time (ns since the epoch) at which the window was
// first exposed and the peak memory (kB resident, or the peak working set on
// Windows) until then, and ends; bench/startup-bench.sh measures from the
// launch.

#include "main/gui/Application.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QTreeWidget>
#include <QWindow>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#ifdef _WIN32
#include <windows.h>

#include <psapi.h>
#else
#include <sys/resource.h>
#endif

namespace {

long long peakKilobytes() {
#ifdef _WIN32
    PROCESS_MEMORY_COUNTERS counters{};
    ::K32GetProcessMemoryInfo(::GetCurrentProcess(), &counters, sizeof counters);
    return static_cast<long long>(counters.PeakWorkingSetSize / 1024);
#else
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
#endif
}

class ExposeWatch : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* window = qobject_cast<QWindow*>(watched);
        if (!seen_ && event->type() == QEvent::Expose && window && window->isExposed()) {
            seen_ = true;
            const auto now = std::chrono::system_clock::now().time_since_epoch();
            std::printf("%lld %lld\n",
                        static_cast<long long>(
                            std::chrono::duration_cast<std::chrono::nanoseconds>(now).count()),
                        peakKilobytes());
            std::fflush(stdout);
            // At once: the window may be a modal one inside the start-up, which
            // an event loop's end would only return into.
            std::_Exit(0);
        }
        return false;
    }

private:
    bool seen_ = false;
};

// Whichever window shows first.
void watch(QWidget&) {
    static ExposeWatch watcher;
    qApp->installEventFilter(&watcher);
}

// The main window's widgets, rows and texts, placed by hand, without its
// logic, its stores or the host: what drawing the window itself costs.
void addMainWindowsWidgets(QMainWindow& window) {
    auto* central = new QWidget(&window);
    window.setCentralWidget(central);
    auto* list = new QTreeWidget(central);
    list->setGeometry(16, 14, 420, 180);
    list->setRootIsDecorated(false);
    list->setHeaderLabels({"Database", "Contact Layout", "Group Layout", "Opening Macro", ""});
    const QIcon icon = QApplication::style()->standardIcon(QStyle::SP_DriveHDIcon);
    for (const char* name : {"Database 001", "Database 002", "Database 003"}) {
        auto* row = new QTreeWidgetItem(list, {name, "/srv/velmaris/demo/standard.cly",
                                               "/srv/velmaris/demo/standard.gly",
                                               "/srv/velmaris/demo/welcome.mpr"});
        row->setIcon(0, icon);
    }
    list->setCurrentItem(list->topLevelItem(0));
    auto* views = new QGroupBox("Open in", central);
    views->setGeometry(17, 200, 300, 95);
    const char* names[] = {"Contact View",       "Contact List View",     "Groups View",
                           "Task List View",     "Monthly Calendar View", "Weekly Calendar View",
                           "Daily Calendar View"};
    for (int i = 0; i < 7; ++i) {
        auto* option = new QRadioButton(views);
        option->setGeometry(i < 4 ? 8 : 150, 18 + (i % 4) * 18, 17, 17);
        auto* label = new QLabel(names[i], views);
        label->setGeometry(i < 4 ? 26 : 168, 18 + (i % 4) * 18, 120, 17);
    }
    (new QPushButton("Open", central))->setGeometry(450, 15, 67, 22);
    (new QPushButton("Close", central))->setGeometry(450, 44, 67, 22);
    (new QLabel("More at", central))->setGeometry(300, 305, 60, 16);
    (new QLabel("<a href=\"https://velmaris.example\">velmaris.example</a>", central))
        ->setGeometry(364, 305, 120, 16);
    const std::pair<const char*, int> menus[] = {
        {"File", 2}, {"Edit", 3}, {"Options", 4}, {"Help", 4}};
    for (const auto& [title, items] : menus) {
        QMenu* menu = window.menuBar()->addMenu(title);
        for (int i = 0; i < items; ++i)
            menu->addAction(QStringLiteral("%1 %2").arg(title).arg(i + 1));
    }
}

} // namespace

int main(int argc, char* argv[]) {
    const bool bare = argc > 1 && std::strcmp(argv[1], "bare") == 0;
    const bool withList = argc > 1 && std::strcmp(argv[1], "list") == 0;
    const bool withWidgets = argc > 1 && std::strcmp(argv[1], "widgets") == 0;
    const bool topmostWithName = argc > 1 && std::strcmp(argv[1], "topmost-name") == 0;
    if (topmostWithName || (argc > 1 && std::strcmp(argv[1], "topmost") == 0)) {
        QApplication app(argc, argv);
        QWidget window(nullptr, Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
        window.resize(324, 160);
        // Any window that writes a name loads the font database first.
        if (topmostWithName)
            new QLabel(QStringLiteral("Sales Team"), &window);
        watch(window);
        window.show();
        return app.exec();
    }
    if (bare || withList || withWidgets) {
        QApplication app(argc, argv);
        QMainWindow window;
        window.resize(565, 346);
        // The same kinds of widgets as the main window, without its logic:
        // a list view is the costliest thing a window of this size shows.
        if (withList) {
            auto* list = new QTreeWidget(&window);
            list->setColumnCount(5);
            window.setCentralWidget(list);
            for (const char* title : {"File", "Edit", "Options", "Help"})
                window.menuBar()->addMenu(title)->addAction(title);
        }
        if (withWidgets)
            addMainWindowsWidgets(window);
        watch(window);
        window.show();
        return app.exec();
    }
    return vm::runVelmaris(argc, argv, watch);
}
