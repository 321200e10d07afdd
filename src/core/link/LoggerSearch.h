#pragma once
// Looks for the logger on a list of serial devices, one after the other: each is opened with
// the logger's line settings (4800 baud, 8 data bits, no parity, 2 stop bits) and asked for its
// status as the polling does. The first device that answers with the acknowledge byte and a
// whole status record that can be true is the logger. Everything runs from the event loop, so
// the window that started the search stays responsive and can stop it at any moment.

#include <QHash>
#include <QList>
#include <QObject>
#include <QStringList>
#include <QTimer>

class QSerialPort;
struct SerialDevice;

// The devices a search asks, in order: the four COM options' devices first, then every other
// device offered (two paths of one device, a by-id link and its node, count once). `shownAs`
// gets the name each is shown by: the option's path as typed, a detected device by its node.
QStringList SearchOrder(const QStringList& optionPaths, const QList<SerialDevice>& offered,
                        QHash<QString, QString>* shownAs = nullptr);
// The same device: a by-id link and the node it points to are one.
QString SameDevice(const QString& path);

class LoggerSearch : public QObject {
    Q_OBJECT
public:
    // How long one device may take to answer.
    static constexpr int kPerDeviceMs = 1000;
    // A device that is still busy with an earlier answer ignores a command: it is asked again
    // after this long without an acknowledge.
    static constexpr int kAskAgainMs = 300;

    explicit LoggerSearch(QObject* parent = nullptr);
    ~LoggerSearch() override;

    void start(const QStringList& paths);
    // Stops at once: the device being asked is let go before this returns.
    void cancel();
    bool running() const { return running_; }

signals:
    void trying(const QString& path);
    // The device could not be opened: another program holds it, or the user may not use it.
    void inUse(const QString& path);
    void notPermitted(const QString& path);
    void found(const QString& path, int loggerNumber);
    // Every device was asked and none answered.
    void nothingFound();

private:
    void next();
    void ask();
    void received();
    void release();

    QStringList paths_;
    qsizetype index_ = -1;
    QSerialPort* port_ = nullptr;
    QByteArray got_;
    QTimer deviceTime_, askAgain_;
    bool running_ = false;
};
