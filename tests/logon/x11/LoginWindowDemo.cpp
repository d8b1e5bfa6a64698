// A stand-in for the host's windows in the logon tests: a frame and, owned by
// it, a "Login to" dialog with a name and a password field, where Alt+N
// focuses the name field as in the host. It prints "shown" when the dialog
// shows and "typing" when the first character reaches the name field; when
// when the other window (below) has taken the focus it prints "stolen"; when
// its standard input closes it prints what the fields hold and ends.
//
//   --class NAME        the frame's class (default ACT3.0FrameClass)
//   --title TITLE       the dialog's title (default "Login to Demo")
//   --show-after MS     shows the dialog that long after the frame
//   --focus-thief       a second window owned by the frame takes the focus
//                       right after the dialog shows
//   --steal-on-first-key  that window takes the focus as soon as the first
//                       character reaches the name field
//   --tell-frame        prints "frame=<window id>" before "shown"
//   --claim-frame ID    a decoy: the dialog declares itself owned by that
//                       window (another program's frame) once it shows
#include <QApplication>
#include <QCommandLineParser>
#include <QDialog>
#include <QDialogButtonBox>
#include <QElapsedTimer>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QSocketNotifier>
#include <QTimer>

#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <cstdio>
#include <unistd.h>

namespace {

struct Options {
    QString frameClass;
    QString title;
    int showAfterMs = 0;
    bool focusThief = false;
    bool stealOnFirstKey = false;
    bool tellFrame = false;
    unsigned long claimedFrame = 0;
};

Options parse(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.addOptions({{"class", "frame class", "name", "ACT3.0FrameClass"},
                       {"title", "dialog title", "title", "Login to Demo"},
                       {"show-after", "delay", "ms", "0"},
                       {"focus-thief", "steal the focus"},
                       {"steal-on-first-key", "steal the focus on the first key"},
                       {"tell-frame", "print the frame's window id"},
                       {"claim-frame", "owner to claim", "id", "0"}});
    parser.process(arguments);
    return {parser.value("class"),
            parser.value("title"),
            parser.value("show-after").toInt(),
            parser.isSet("focus-thief") || parser.isSet("steal-on-first-key"),
            parser.isSet("steal-on-first-key"),
            parser.isSet("tell-frame"),
            parser.value("claim-frame").toULong()};
}

// What a hostile program can do on X11: name any window as its dialog's owner.
void claimOwner(QWidget& dialog, unsigned long owner) {
    Display* display = qApp->nativeInterface<QNativeInterface::QX11Application>()->display();
    const Window window = static_cast<Window>(dialog.winId());
    XChangeProperty(display, window, XA_WM_TRANSIENT_FOR, XA_WINDOW, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(&owner), 1);
    XFlush(display);
}

class LoginDialog : public QDialog {
public:
    LoginDialog(QWidget* frame, const QString& title) : QDialog(frame) {
        setWindowTitle(title);
        name.setText("old-name");
        password.setText("old-pass");
        auto* nameLabel = new QLabel("&Name:");
        nameLabel->setBuddy(&name);
        auto* passwordLabel = new QLabel("&Password:");
        passwordLabel->setBuddy(&password);
        auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
        connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
        connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
        auto* form = new QFormLayout(this);
        form->addRow(nameLabel, &name);
        form->addRow(passwordLabel, &password);
        form->addRow(buttons);
        setTabOrder(&name, &password);
        // The host opens its login window with the focus in the password
        // field; Alt+N is what moves it to the name.
        password.setFocus();
    }

    QLineEdit name;
    QLineEdit password;
};

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const Options options = parse(app.arguments());
    // Qt names every window's class after the application.
    QApplication::setApplicationName(options.frameClass);

    QMainWindow frame;
    frame.setWindowTitle("Demo host");
    frame.resize(400, 300);
    frame.show();

    LoginDialog dialog(&frame, options.title);
    QDialog thief(&frame);
    thief.setWindowTitle("Notes");
    QLineEdit notes(&thief);
    QElapsedTimer sinceShown;
    qint64 answeredMs = -1;
    QObject::connect(&dialog, &QDialog::accepted, [&] { answeredMs = sinceShown.elapsed(); });

    QObject::connect(&app, &QApplication::focusChanged, [&](QWidget*, QWidget* now) {
        if (now != &notes)
            return;
        std::printf("stolen\n");
        std::fflush(stdout);
    });
    const auto stealFocus = [&] {
        thief.show();
        thief.activateWindow();
        notes.setFocus();
    };
    QObject::connect(&dialog.name, &QLineEdit::textChanged, [&](const QString& text) {
        if (text.size() != 1)
            return;
        std::printf("typing\n");
        std::fflush(stdout);
        if (options.stealOnFirstKey)
            stealFocus();
    });
    if (options.tellFrame)
        std::printf("frame=%llu\n", static_cast<unsigned long long>(frame.winId()));
    QTimer::singleShot(options.showAfterMs, [&] {
        dialog.show();
        dialog.activateWindow();
        if (options.claimedFrame)
            claimOwner(dialog, options.claimedFrame);
        sinceShown.start();
        if (options.focusThief && !options.stealOnFirstKey)
            QTimer::singleShot(50, stealFocus);
        std::printf("shown\n");
        std::fflush(stdout);
    });

    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, [&] {
        char buffer[64];
        if (read(STDIN_FILENO, buffer, sizeof buffer) > 0)
            return;
        std::printf("name=%s\npassword=%s\naccepted=%d\nthief=%s\nanswered_ms=%lld\n",
                    dialog.name.text().toUtf8().constData(),
                    dialog.password.text().toUtf8().constData(),
                    dialog.result() == QDialog::Accepted ? 1 : 0, notes.text().toUtf8().constData(),
                    static_cast<long long>(answeredMs));
        std::fflush(stdout);
        app.quit();
    });
    return app.exec();
}
