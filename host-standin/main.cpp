#include "BusObjects.h"
#include "Host.h"
#include "HostFrame.h"
#include "TerminationWatch.h"

#include <QApplication>

#include <cstdio>

// host-standin [database file]
int main(int argc, char* argv[]) {
    // The X11 class of every window comes from the application name; Velmaris
    // and logon know the host's frame by it.
    QApplication::setApplicationName(QStringLiteral("ACT3.0FrameClass"));
    QApplication app(argc, argv);

    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        std::fprintf(stderr, "host-standin: no D-Bus session bus: %s\n",
                     qPrintable(bus.lastError().message()));
        return 1;
    }
    standin::Host host(standin::Journal::fromEnvironment(), standin::Host::defaultProfilePath(),
                       vm::RegistryFile(), standin::Host::defaultDataFolder());
    standin::HostService service(bus, host);
    if (!service.start()) {
        std::fprintf(stderr, "host-standin: another host already serves the session bus\n");
        return 1;
    }
    standin::HostFrame frame(host);
    host.setLoginPrompt(&frame);
    QObject::connect(&frame, &standin::HostFrame::userClosing, &service,
                     &standin::HostService::announceClose);
    standin::TerminationWatch termination;
    QObject::connect(&termination, &standin::TerminationWatch::terminationRequested, &frame,
                     &QWidget::close);

    frame.show();
    host.startUp(QApplication::arguments().value(1));
    const int status = app.exec();
    service.settle();
    return status;
}
