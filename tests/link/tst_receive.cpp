#include "LinkFixture.h"
#include "link/CommandSequencer.h"
#include "link/ReceiveHandler.h"
#include "link/StatusRecord.h"
#include "support/TestRegistry.h"
#include "ui/Colors.h"
#include "ui/Pointer.h"

#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>

namespace {

const QByteArray kAck("\x04", 1);

// A 112-byte status record with the given bytes (numbered from 1) set, every other byte 0.
QByteArray StatusRecordBytes(std::initializer_list<std::pair<int, int>> bytes) {
    QByteArray r(112, '\0');
    for (const auto& [n, value] : bytes) r[n - 1] = static_cast<char>(value);
    return r;
}

// Status record of a logger numbered 1234, type 80, limits 50..200, mode 1, present reading shown.
QByteArray statusWith(std::initializer_list<std::pair<int, int>> memory) {
    QByteArray r = StatusRecordBytes({{4, 1},
                                      {11, 80},
                                      {24, 0x88},
                                      {28, 0xD2},
                                      {29, 0x04},
                                      {35, 50},
                                      {36, 200},
                                      {44, 0xFF},
                                      {45, 0x03}});
    for (const auto& [n, value] : memory) r[n - 1] = static_cast<char>(value);
    return r;
}

} // namespace

class ReceiveTest : public QObject {
    Q_OBJECT

    std::unique_ptr<LinkFixture> f;

    // Sends Status and answers it with the bytes given, in one write or in two.
    void answerStatus(const QByteArray& answer, bool split) {
        f->st.LinkState = 1;
        Timer1_Timer(f->w);
        QCOMPARE(f->line.read(2), QByteArray("\0R", 2));
        if (split) {
            QVERIFY(f->line.write(answer.left(1)));
            QTRY_COMPARE(f->st.StatusPhase, qint16(1));
            QVERIFY(f->line.write(answer.mid(1)));
        } else {
            QVERIFY(f->line.write(answer));
        }
    }

    // A status record taken in, then a requested transfer answered with the bytes given.
    void transfer(const QByteArray& status, const QByteArray& answer) {
        ApplyStatusRecord(f->w, *ParseStatusRecord(status));
        f->st.LinkState = 2;
        f->st.DownloadRequested = 1;
        Timer2_Timer(f->w);
        QCOMPARE(f->line.read(2), QByteArray("\0T", 2));
        QVERIFY(f->line.write(answer));
    }

private slots:
    void init() {
        f = std::make_unique<LinkFixture>();
        QVERIFY(f->opened);
    }
    void cleanup() {
        f.reset();
        ui::SetPointer(ui::Pointer::Default);
    }

    void statusPanel_data() {
        QTest::addColumn<QString>("range");
        QTest::addColumn<bool>("split");
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("flags");
        QTest::addColumn<QStringList>("labels"); // Label22, Label6, Label11, Label19, Label34
        QTest::newRow("250 V, one read")
            << "250 Volt" << false << 80 << 0x88
            << QStringList{"25,140", "200", "50", "255.75", "Exception IN"};
        QTest::newRow("500 V, acknowledge apart")
            << "500 Volt" << true << 80 << 0x08
            << QStringList{"25,140", "400", "100", "511.5", "Exception OUT"};
        QTest::newRow("present hidden") << "250 Volt" << false << 80 << 0x80
                                        << QStringList{"25,140", "200", "50", "", "Exception IN"};
        QTest::newRow("another type keeps the limit labels hidden")
            << "250 Volt" << false << 81 << 0x88 << QStringList{"25,140", "", "", "255.75", ""};
    }
    void statusPanel() {
        QFETCH(QString, range);
        QFETCH(bool, split);
        QFETCH(int, type);
        QFETCH(int, flags);
        QFETCH(QStringList, labels);
        AppState& st = f->st;
        Log1& w = f->w;
        st.VoltageRange = range;
        w.mnuSetup->setVisible(type != 80);
        QSignalSpy events(w.MSComm1, &MSComm1::OnComm);
        answerStatus(kAck + statusWith({{68, 10}, {70, 1}, {11, type}, {24, flags}}), split);
        QTRY_COMPARE(st.LoggerOnline, qint16(1));
        if (split) {
            QCOMPARE(ui::BackColor(w.Label15), ui::BgrColor(0xC0C000));
            QCOMPARE(w.Label15->text(), QStringLiteral("Reading status"));
        }
        QCOMPARE(int(st.LinkState), 0);
        QCOMPARE(st.StatusPhase, qint16(0));
        QCOMPARE(st.StatusFresh, qint16(1));
        QCOMPARE(int(st.LoggerRecordCount), 25140);
        QCOMPARE(w.Frame1->title(), QStringLiteral("Logger 1234 online"));
        const QList<QLabel*> shown = {w.Label22, w.Label6, w.Label11, w.Label19, w.Label34};
        for (int i = 0; i < shown.size(); ++i) {
            QCOMPARE(shown[i]->isVisibleTo(&w), !labels[i].isEmpty());
            if (!labels[i].isEmpty()) QCOMPARE(shown[i]->text(), labels[i]);
        }
        QCOMPARE(w.Label26->isVisibleTo(&w), !labels[3].isEmpty());
        QCOMPARE(w.Label13->text(), QStringLiteral("COM 1"));
        QVERIFY(w.Label2->isVisibleTo(&w) && w.Label5->isVisibleTo(&w));
        QCOMPARE(w.mnuSetup->isVisible(), type == 80);
        QCOMPARE(st.PollMisses, qint16(0));
    }

    void limitsRule_data() {
        QTest::addColumn<int>("confirmed");
        QTest::addColumn<double>("wantHigh");
        QTest::addColumn<double>("wantMode");
        QTest::addColumn<int>("confirmedAfter");
        QTest::addColumn<int>("restart");
        QTest::addColumn<double>("highAfter");
        QTest::newRow("nothing waits: the logger's limits are taken")
            << 1 << 120.0 << 2.0 << 1 << 0 << 400.0;
        QTest::newRow("the wanted limits are reported") << 0 << 200.0 << 1.0 << 1 << 1 << 200.0;
        QTest::newRow("not yet reported") << 0 << 120.0 << 1.0 << 0 << 0 << 120.0;
        QTest::newRow("another mode reported") << 0 << 200.0 << 2.0 << 0 << 0 << 200.0;
    }
    void limitsRule() {
        QFETCH(int, confirmed);
        QFETCH(double, wantHigh);
        QFETCH(double, wantMode);
        QFETCH(int, confirmedAfter);
        QFETCH(int, restart);
        QFETCH(double, highAfter);
        AppState& st = f->st;
        st.VoltageRange = QStringLiteral("500 Volt");
        st.LimitsConfirmed = confirmed;
        st.LimitHigh = wantHigh;
        st.LimitLow = 50;
        st.LimitMode = wantMode;
        ApplyStatusRecord(f->w, *ParseStatusRecord(statusWith({})));
        QCOMPARE(int(st.LimitsConfirmed), confirmedAfter);
        QCOMPARE(int(st.RestartPending), restart);
        QCOMPARE(st.LimitHigh.value(), highAfter);
    }

    void unusableAnswersIgnored_data() {
        QTest::addColumn<QByteArray>("answer");
        QTest::newRow("wrong acknowledge") << QByteArray("\x15", 1);
        QTest::newRow("bank 3") << kAck + statusWith({{68, 10}, {70, 3}});
        QTest::newRow("block index 409") << kAck + statusWith({{68, 0x99}, {69, 0x01}});
    }
    void unusableAnswersIgnored() {
        QFETCH(QByteArray, answer);
        AppState& st = f->st;
        // What the last good record said stays.
        ApplyStatusRecord(f->w, *ParseStatusRecord(statusWith({{68, 5}})));
        st.LoggerOnline = 0;
        QSignalSpy events(f->w.MSComm1, &MSComm1::OnComm);
        answerStatus(answer, false);
        QTRY_VERIFY(events.size() >= 1);
        QTRY_COMPARE(st.ReceivedAhead.size() + f->w.MSComm1->inBufferCount(), 0);
        QCOMPARE(st.LoggerOnline, qint16(0));
        QCOMPARE(int(st.LinkState), 1); // the next poll asks again
        QCOMPARE(st.StatusPhase, qint16(0));
        QCOMPARE(int(st.LoggerRecordCount), 300);
        QCOMPARE(int(st.BankBytes[1]), 400);
    }

    // A record that stops short is waited for, then dropped by the periodic refresh; its bytes
    // must not spoil the next answer.
    void shortRecordDropped() {
        AppState& st = f->st;
        answerStatus(kAck + statusWith({{68, 10}}).left(60), false);
        QTRY_COMPARE(st.StatusPhase, qint16(1));
        QTRY_COMPARE(st.ReceivedAhead.size() + f->w.MSComm1->inBufferCount(), 60);
        QTest::qWait(50);
        QCOMPARE(st.LoggerOnline, qint16(0));
        Timer5_Timer(f->w);
        answerStatus(kAck + statusWith({{68, 10}}), false);
        QTRY_COMPARE(st.LoggerOnline, qint16(1));
        QCOMPARE(int(st.LoggerRecordCount), 600);
    }

    void emptyMemoryAtTheAcknowledge() {
        AppState& st = f->st;
        st.RecordCount = 3;
        f->w.ProgressBar1->setValue(100);
        transfer(statusWith({}), kAck);
        QTRY_COMPARE(st.DownloadRequested, qint16(0));
        QCOMPARE(int(st.LinkState), 0);
        QCOMPARE(st.Transferring, qint16(0));
        QCOMPARE(int(st.RecordCount), 3);
        QCOMPARE(f->w.ProgressBar1->value(), 100);
    }
};

// Bytes that come in one chunk across the threshold reach the handler in two steps, so a
// handler that takes its bytes at the threshold loses none of them to a small buffer.
class SerialChunkTest : public QObject {
    Q_OBJECT
private slots:
    void chunkAcrossThreshold() {
        Pty line;
        qputenv("VESTO_COM1", line.slavePath().toLocal8Bit());
        MSComm1 port;
        port.setInBufferSize(150);
        port.setRThreshold(100);
        QByteArray got;
        QList<int> events;
        connect(&port, &MSComm1::OnComm, &port, [&] {
            events << port.commEvent();
            if (port.commEvent() == MSComm1::EvReceive) got += port.input();
        });
        QCOMPARE(port.setPortOpen(true), 0);
        QByteArray sent;
        for (int i = 0; i < 300; ++i) sent.append(char(i * 13));
        QVERIFY(line.write(sent));
        QTRY_COMPARE(got.size(), 300);
        QCOMPARE(got, sent);
        QVERIFY(!events.contains(int(MSComm1::EvOverflow)));
        qunsetenv("VESTO_COM1");
    }
};

VESTO_TEST(ReceiveTest)
VESTO_TEST(SerialChunkTest)
#include "tst_receive.moc"
