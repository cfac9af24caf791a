// The notification loop against the GUI thread: what the two threads share while both
// run, what is left of the loop after it ends, and the pool task it runs on. Also run
// under ThreadSanitizer.
#include "rig.h"

#include "device/pacing.h"
#include "device/pool_task.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QRegularExpression>
#include <QThread>
#include <QThreadPool>
#include <QtTest>

#include <atomic>
#include <chrono>
#include <memory>
#include <thread>

namespace {

// Longer than two turns of the loop: a loop still running would have read a report by then.
constexpr int kQuietMs = 2 * pacing::kNotifyReadTimeoutMs + 200;
constexpr int kDeliveryTimeoutMs = 5000;

struct Announcement {
    int stage;
    QString text;
    bool onGuiThread;
};

// The link on the virtual mouse, with the announcements it delivers collected on the
// GUI thread, as the main window receives them.
struct Rig : LinkRig {
    QObject receiver;
    QList<Announcement> heard;
    std::atomic<int> heardCount{0};

    Rig()
    {
        link->hid553_03H_SetKeyboardoption(0, 0, 0, 0x40);   // the mouse is told to notify, as at connection
        QObject::connect(link.get(), &Hid_Thread::dpiSwitched, &receiver,
                         [this](int stage, const QString& text) {
                             heard.append({stage, text, QThread::currentThread() == qApp->thread()});
                             heardCount.fetch_add(1);
                         },
                         Qt::QueuedConnection);
    }
    // True when exactly count announcements have arrived (a hang guard of seconds).
    bool waitHeard(int count)
    {
        QElapsedTimer clock;
        clock.start();
        while (heardCount.load() < count && clock.elapsed() < kDeliveryTimeoutMs)
            QTest::qWait(5);
        QCoreApplication::processEvents();
        return heardCount.load() == count;
    }
};

} // namespace

class TstNotificationThread : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { pacing::setTimeScale(0.05); }
    void cleanupTestCase() { pacing::setTimeScale(1.0); }
    void cleanup() { dpi_switch_messages::reset(); }

    // Presses while the GUI thread replaces the texts the loop picks and sends commands:
    // every announcement arrives on the GUI thread, in the order of the presses, its text
    // whole and of its stage (stage 0 takes the eighth), and a replacement is never undone;
    // every line of the shared wire log is whole, with every command and report in it once.
    void announcementsWhileTextsAndCommandsChange()
    {
        Rig rig;
        rig.link->startListening(0);
        QVERIFY(rig.link->listening);
        rig.mark();
        constexpr int kPresses = 40;
        constexpr int kCommands = (kPresses + 2) / 3;
        for (int n = 0; n < kPresses; ++n) {
            QStringList texts;
            for (int i = 0; i < dpi_switch_messages::kCount; ++i)
                texts << QStringLiteral("g%1-s%2").arg(n).arg(i);
            dpi_switch_messages::replace(texts);
            rig.mouse->pressDpiButton(n % 8);
            if (n % 3 == 0)   // the loop reads the report while the command runs
                QVERIFY(rig.link->hid553_0BH_SetCurrentDPI(static_cast<uchar>(n % 7)));
            if (n % 4 == 3)   // the mouse keeps a short queue
                QVERIFY(rig.waitHeard(n + 1));
        }
        QVERIFY(rig.waitHeard(kPresses));
        int lastGeneration = -1;
        const QRegularExpression form(QStringLiteral("^g(\\d+)-s(\\d) $"));
        for (int n = 0; n < kPresses; ++n) {
            const Announcement& a = rig.heard[n];
            QCOMPARE(a.stage, n % 8);
            QVERIFY(a.onGuiThread);
            const QRegularExpressionMatch m = form.match(a.text);
            QVERIFY2(m.hasMatch(), qPrintable(a.text));
            QCOMPARE(m.captured(2).toInt(), (a.stage + 7) % 8);
            const int generation = m.captured(1).toInt();
            QVERIFY(generation >= n);   // replaced before the press, never older
            QVERIFY(generation >= lastGeneration);
            lastGeneration = generation;
        }
        for (const QByteArray& line : readFileBytes(rig.logPath).split('\n'))
            QVERIFY2(line.isEmpty() || parseWireLogLine(QString::fromUtf8(line)).has_value(), line.constData());
        int reports = 0;
        for (const WireLogEntry& e : rig.entries())
            reports += e.path == QLatin1String(VirtualMouse::kNotifyPath) && e.result == protocol::kNotifyReportSize;
        QCOMPARE(countOf(rig.steps(), "SET_FEATURE"), kCommands);
        QCOMPARE(reports, kPresses);
    }

    // Restarting replaces the loop and stopping ends the only one: while reports keep
    // coming, what was queued before the stop still arrives, and after it no report is
    // read or delivered any more. (Destroying the window ends it too: tst_widget.)
    void loopEndsForGood()
    {
        Rig rig;
        for (int i = 0; i < 3; ++i)
            rig.link->startListening(0);
        std::atomic<bool> stop{false};
        std::thread hand([&] {
            while (!stop) {
                rig.mouse->pressDpiButton(1);
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            }
        });
        QTRY_VERIFY_WITH_TIMEOUT(rig.heardCount.load() >= 3, kDeliveryTimeoutMs);
        rig.link->stopListening();
        QVERIFY(!rig.link->listening);
        rig.mark();
        QCoreApplication::processEvents();
        const int heardAtTheEnd = rig.heardCount.load();
        QTest::qWait(kQuietMs);
        stop = true;
        hand.join();
        QCOMPARE(rig.heardCount.load(), heardAtTheEnd);
        QVERIFY(entriesWithOp(rig.entries(), "OPEN").isEmpty());
    }

    // The task under the loop: the function runs on a pool thread and, when wait()
    // returns, has ended with its captures destroyed (there, not later by whoever
    // waits); a new start waits for the run before it; the destructor waits for the last.
    void poolTaskRunsOneAtATime()
    {
        // Two runs side by side must be possible, or the overlap check proves nothing.
        QVERIFY(QThreadPool::globalInstance()->maxThreadCount() >= 2);
        auto held = std::make_shared<int>(7);
        const std::weak_ptr<int> watch = held;
        std::atomic<bool> onPoolThread{false};
        std::atomic<int> seen{0}, running{0}, overlaps{0}, runs{0};
        const auto body = [&] {
            overlaps.fetch_add(running.fetch_add(1) != 0 ? 1 : 0);
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
            running.fetch_sub(1);
            runs.fetch_add(1);
        };
        {
            PoolTask task;
            QThread* const gui = QThread::currentThread();
            task.start([held, &onPoolThread, &seen, gui] {
                std::this_thread::sleep_for(std::chrono::milliseconds(150));
                onPoolThread = QThread::currentThread() != gui;
                seen = *held;
            });
            held.reset();
            QVERIFY(task.running());
            task.wait();
            QVERIFY(!task.running());
            QVERIFY(onPoolThread);
            QCOMPARE(seen.load(), 7);
            QVERIFY(watch.expired());
            for (int i = 0; i < 4; ++i)
                task.start(body);
        }
        QCOMPARE(runs.load(), 4);
        QCOMPARE(overlaps.load(), 0);
    }
};

QTEST_MAIN(TstNotificationThread)
#include "tst_notification_thread.moc"
