#pragma once

#include <QObject>

class QSocketNotifier;

namespace standin {

// Turns SIGTERM and SIGINT (a session ending, Ctrl+C in a terminal) into a
// Qt signal, so that the host closes as if its user had closed it.
class TerminationWatch : public QObject {
    Q_OBJECT
public:
    explicit TerminationWatch(QObject* parent = nullptr);
    ~TerminationWatch() override;

signals:
    void terminationRequested();

private:
    QSocketNotifier* notifier_ = nullptr;
};

} // namespace standin
