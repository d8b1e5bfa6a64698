// A stand-in for the host's windows in the logon tests: a frame and, owned by
// it, a "Login to" dialog with a name and a password field, where Alt+N
// focuses the name field as in the host. It prints "shown" when the dialog
// shows, "typing" when the first character reaches the name field and
// "stolen" when the other window (below) has taken the focus; when its
// standard input closes it prints what the fields hold and ends. Its options
// are those of the parser below; --focus-thief has a second window owned by
// the frame take the focus right after the dialog shows, --claim-frame makes
// it a decoy whose dialog declares itself owned by another program's frame.
#include <QApplication>
#include <QCommandLineParser>
#include <QDialog>
#include <QDialogButtonBox>
#include <QElapsedTimer>
#include <QFormLayout>
#include <QLineEdit>
#include <QMainWindow>
#include <QSocketNotifier>
#include <QTimer>

#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <cstdio>
#include <unistd.h>

namespace {

void say(const char* line) {
    std::printf("%s\n", line);
    std::fflush(stdout);
}

// What a hostile program can do on X11: name any window as its dialog's owner.
void claimOwner(QWidget& dialog, unsigned long owner) {
    Display* display = qApp->nativeInterface<QNativeInterface::QX11Application>()->display();
    XChangeProperty(display, static_cast<Window>(dialog.winId()), XA_WM_TRANSIENT_FOR, XA_WINDOW,
                    32, PropModeReplace, reinterpret_cast<const unsigned char*>(&owner), 1);
    XFlush(display);
}

class LoginDialog : public QDialog {
public:
    LoginDialog(QWidget* frame, const QString& title) : QDialog(frame) {
        setWindowTitle(title);
        name.setText("old-name");
        password.setText("old-pass");
        auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
        connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
        connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
        auto* form = new QFormLayout(this);
        form->addRow("&Name:", &name); // the label's mnemonic moves the focus to its field
        form->addRow("&Password:", &password);
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
    QCommandLineParser options;
    options.addOptions({{"class", "frame class", "name", "ACT3.0FrameClass"},
                        {"title", "dialog title", "title", "Login to Demo"},
                        {"show-after", "shows the dialog that long after the frame", "ms", "0"},
                        {"focus-thief", "steal the focus once the dialog shows"},
                        {"steal-on-first-key", "steal the focus on the first key"},
                        {"tell-frame", "print frame=<window id> before shown"},
                        {"claim-frame", "owner to claim", "id", "0"}});
    options.process(app);
    // Qt names every window's class after the application.
    QApplication::setApplicationName(options.value("class"));

    QMainWindow frame;
    frame.setWindowTitle("Demo host");
    frame.resize(400, 300);
    frame.show();

    LoginDialog dialog(&frame, options.value("title"));
    QDialog thief(&frame);
    thief.setWindowTitle("Notes");
    QLineEdit notes(&thief);
    QElapsedTimer sinceShown;
    qint64 answeredMs = -1;
    QObject::connect(&dialog, &QDialog::accepted, [&] { answeredMs = sinceShown.elapsed(); });
    QObject::connect(&app, &QApplication::focusChanged, [&](QWidget*, QWidget* now) {
        if (now == &notes)
            say("stolen");
    });
    const auto stealFocus = [&] {
        thief.show();
        thief.activateWindow();
        notes.setFocus();
    };
    const bool stealOnFirstKey = options.isSet("steal-on-first-key");
    QObject::connect(&dialog.name, &QLineEdit::textChanged, [&](const QString& text) {
        if (text.size() != 1)
            return;
        say("typing");
        if (stealOnFirstKey)
            stealFocus();
    });
    if (options.isSet("tell-frame"))
        std::printf("frame=%llu\n", static_cast<unsigned long long>(frame.winId()));
    QTimer::singleShot(options.value("show-after").toInt(), [&] {
        dialog.show();
        dialog.activateWindow();
        if (const unsigned long owner = options.value("claim-frame").toULong())
            claimOwner(dialog, owner);
        sinceShown.start();
        if (options.isSet("focus-thief"))
            QTimer::singleShot(50, stealFocus);
        say("shown");
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
