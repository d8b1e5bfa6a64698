#include "platform/qt/QtPrompter.h"

#include <QApplication>
#include <QMessageBox>

#include <iostream>

namespace vm {

namespace {

QString qt(std::string_view text) {
    // Message texts break lines with a lone carriage return.
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()))
        .replace(QLatin1String("\r\n"), QLatin1String("\n"))
        .replace(QLatin1Char('\r'), QLatin1Char('\n'));
}

QMessageBox::Icon qtIcon(Prompter::Icon icon) {
    switch (icon) {
    case Prompter::Icon::Information:
        return QMessageBox::Information;
    case Prompter::Icon::Exclamation:
        return QMessageBox::Warning;
    case Prompter::Icon::Question:
        return QMessageBox::Question;
    case Prompter::Icon::Critical:
        return QMessageBox::Critical;
    case Prompter::Icon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons qtButtons(Prompter::Buttons buttons) {
    switch (buttons) {
    case Prompter::Buttons::OkCancel:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case Prompter::Buttons::YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    case Prompter::Buttons::YesNoCancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case Prompter::Buttons::Ok:
        break;
    }
    return QMessageBox::Ok;
}

} // namespace

Prompter::Answer QtPrompter::ask(std::string_view text, std::string_view caption, Buttons buttons,
                                 Icon icon) {
    // Every message also goes to standard error, one line each, where the
    // session's journal or a terminal keeps what the user was told.
    std::cerr << caption << ": "
              << qt(text).replace(QLatin1Char('\n'), QLatin1Char(' ')).toStdString() << std::endl;
    // Owned by the modal window in front, when there is one, even while it
    // does not have the focus: a window that stays above all others would
    // otherwise cover the message.
    QWidget* owner = QApplication::activeModalWidget();
    QMessageBox box(qtIcon(icon), qt(caption), qt(text), qtButtons(buttons),
                    owner ? owner : QApplication::activeWindow());
    box.setObjectName("messageBox");
    switch (box.exec()) {
    case QMessageBox::Cancel:
        return Answer::Cancel;
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    default:
        return buttons == Buttons::YesNo ? Answer::No : Answer::Ok;
    }
}

} // namespace vm
