#pragma once

#include <QDialog>

class QLineEdit;

namespace standin {

// "Login to <database>": owned by the frame window, so that the window
// manager sees it as the frame's transient.
class LoginDialog : public QDialog {
    Q_OBJECT
public:
    LoginDialog(QWidget* frame, const QString& databaseName, const QString& suggestedUser);

    QString userName() const;
    QString password() const;

private:
    QLineEdit* userName_;
    QLineEdit* password_;
};

} // namespace standin
