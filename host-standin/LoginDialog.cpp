#include "LoginDialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace standin {

LoginDialog::LoginDialog(QWidget* frame, const QString& databaseName, const QString& suggestedUser)
    : QDialog(frame), userName_(new QLineEdit(suggestedUser)), password_(new QLineEdit) {
    setWindowTitle(tr("Login to %1").arg(databaseName));
    setWindowModality(Qt::ApplicationModal);
    userName_->setObjectName(QStringLiteral("userName"));
    password_->setObjectName(QStringLiteral("password"));
    password_->setEchoMode(QLineEdit::Password);

    auto* intro = new QLabel(tr("Enter your user name and password for %1.").arg(databaseName));
    intro->setWordWrap(true);

    auto* fields = new QFormLayout;
    auto* nameLabel = new QLabel(tr("&Name:"));
    auto* passwordLabel = new QLabel(tr("&Password:"));
    nameLabel->setBuddy(userName_);
    passwordLabel->setBuddy(password_);
    fields->addRow(nameLabel, userName_);
    fields->addRow(passwordLabel, password_);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Ok)->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addLayout(fields);
    layout->addWidget(buttons);
    setMinimumWidth(340);
    (suggestedUser.isEmpty() ? userName_ : password_)->setFocus();
}

QString LoginDialog::userName() const {
    return userName_->text();
}
QString LoginDialog::password() const {
    return password_->text();
}

} // namespace standin
