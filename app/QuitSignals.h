#pragma once
// The signals that end the program from outside (SIGTERM, SIGINT, SIGHUP at
// logout), turned into a Qt signal on the user-interface thread, so the
// program can store what it must and end through its normal shut-down.
#include <QObject>

class QSocketNotifier;

namespace vorlix {

class TQuitSignals : public QObject {
    Q_OBJECT
public:
    // Installs the handlers; one instance per program.
    explicit TQuitSignals(QObject* parent = nullptr);
    ~TQuitSignals() override;

signals:
    void Received(int signalNumber);

private:
    void ReadPending();

    QSocketNotifier* notifier_ = nullptr;
};

}  // namespace vorlix
