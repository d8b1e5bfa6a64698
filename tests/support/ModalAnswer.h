#pragma once

#include <QApplication>
#include <QDeadlineTimer>
#include <QTimer>
#include <QWidget>

#include <functional>

namespace vm::test {

// Runs `answer` on the next modal window named `name` once it shows; gives
// up, saying which it waited for, when none shows within ten seconds.
inline void answerModal(const QString& name, std::function<void(QWidget&)> answer,
                        QDeadlineTimer deadline = QDeadlineTimer(10000)) {
    QTimer::singleShot(10, [=] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal && modal->objectName() == name)
            answer(*modal);
        else if (!deadline.hasExpired())
            answerModal(name, answer, deadline);
        else
            qWarning("waited ten seconds in vain for the modal window %s", qPrintable(name));
    });
}

} // namespace vm::test
