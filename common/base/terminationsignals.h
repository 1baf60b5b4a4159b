#pragma once

#include <QObject>

#include <functional>

class QSocketNotifier;

// Turns SIGTERM and SIGINT into a call on the event loop, so a logout or a
// service manager closes a window exactly as its close box does.
class TerminationSignals : public QObject
{
    Q_OBJECT
public:
    explicit TerminationSignals(std::function<void()> onSignal, QObject *parent = nullptr);
    ~TerminationSignals() override;

private:
    void handleSignal();

    std::function<void()> m_onSignal;
    QSocketNotifier *m_notifier = nullptr;
};
