#pragma once

#include "Host.h"

#include <QHash>
#include <QMainWindow>
#include <QPointer>

class QGroupBox;
class QMenu;
class QTableWidget;
class QToolBar;

namespace standin {

class ElidedLabel;
class LoginDialog;

// The host's frame window: what the host holds, in plain words, and the
// commands other programs have placed on its toolbar and Tools menu.
class HostFrame : public QMainWindow, public LoginPrompt {
    Q_OBJECT
public:
    explicit HostFrame(Host& host);

    // Answers once the dialog is closed; the frame goes on meanwhile.
    void askLogin(const std::string& databaseName, const std::string& suggestedUser,
                  const std::function<void()>& shown, Answered answered) override;

public slots:
    // Closing asked for by automation rather than by the user.
    void closeByCommand();

signals:
    // The user is closing the frame; the host ends once the frame is closed.
    void userClosing();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QGroupBox* section(const QString& title, const QList<QPair<QString, QString>>& rows);
    QGroupBox* commandsSection();
    void setValue(const QString& value, const QString& text);
    void refresh();
    void refreshCommands();
    void startCommand(const AuxCommand& command);

    Host& host_;
    QHash<QString, ElidedLabel*> values_;
    QToolBar* toolbar_;
    QMenu* toolsMenu_;
    QTableWidget* commandTable_;
    QPointer<LoginDialog> login_;
    bool closingByCommand_ = false;
};

} // namespace standin
