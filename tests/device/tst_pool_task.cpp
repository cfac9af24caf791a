// A run on the global thread pool: wait(), the destructor and a new start come after it.
#include "device/pool_task.h"

#include <QThread>
#include <QThreadPool>
#include <QtTest>

#include <atomic>
#include <chrono>
#include <memory>
#include <thread>

namespace {
constexpr auto kSlowRun = std::chrono::milliseconds(150);
}

class TstPoolTask : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        // Two runs side by side must be possible, or the ordering test proves nothing.
        QVERIFY(QThreadPool::globalInstance()->maxThreadCount() >= 2);
    }

    // The function runs on a pool thread; when wait() returns it has ended and what
    // it captured is destroyed (on the pool thread, not later by whoever waits).
    void runEndsWithItsCapturesBeforeWaitReturns()
    {
        PoolTask task;
        auto held = std::make_shared<int>(7);
        std::weak_ptr<int> watch = held;
        std::atomic<bool> onPoolThread{false};
        std::atomic<int> seen{0};
        QThread* const gui = QThread::currentThread();
        task.start([held, &onPoolThread, &seen, gui] {
            std::this_thread::sleep_for(kSlowRun);
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
    }

    // A second start waits until the first run has ended: the runs never overlap.
    void startWaitsForThePreviousRun()
    {
        PoolTask task;
        std::atomic<int> running{0};
        std::atomic<int> overlaps{0};
        std::atomic<int> runs{0};
        auto body = [&] {
            if (running.fetch_add(1) != 0)
                overlaps.fetch_add(1);
            std::this_thread::sleep_for(kSlowRun / 3);
            running.fetch_sub(1);
            runs.fetch_add(1);
        };
        for (int i = 0; i < 4; ++i)
            task.start(body);
        task.wait();
        QCOMPARE(runs.load(), 4);
        QCOMPARE(overlaps.load(), 0);
    }

    void destructionWaitsForTheRun()
    {
        std::atomic<bool> finished{false};
        {
            PoolTask task;
            task.start([&finished] {
                std::this_thread::sleep_for(kSlowRun);
                finished = true;
            });
        }
        QVERIFY(finished);
    }
};

QTEST_GUILESS_MAIN(TstPoolTask)
#include "tst_pool_task.moc"
