#include "device/pool_task.h"

#include <QThreadPool>

#include <condition_variable>
#include <mutex>

struct PoolTask::Shared {
    std::mutex mutex;
    std::condition_variable ended;
    std::function<void()> fn;
    bool done = false;
};

namespace {
// Held while a run is handed to the pool, and taken first by the run: the
// wrapper the pool stores is written before and read after it.
std::mutex& handOver()
{
    static std::mutex m;
    return m;
}
} // namespace

PoolTask::~PoolTask() { wait(); }

void PoolTask::start(std::function<void()> fn)
{
    wait();
    auto s = std::make_shared<Shared>();
    s->fn = std::move(fn);
    shared = s;
    std::function<void()> run;
    {
        std::lock_guard<std::mutex> lock(handOver());
        run = [s] {
            { std::lock_guard<std::mutex> lock(handOver()); }
            std::function<void()> f;
            {
                std::lock_guard<std::mutex> lock(s->mutex);
                f.swap(s->fn);
            }
            if (f)
                f();
            f = nullptr;   // what the function holds goes on this thread, before the end is announced
            std::lock_guard<std::mutex> lock(s->mutex);
            s->done = true;
            s->ended.notify_all();
        };
    }
    QThreadPool::globalInstance()->start(std::move(run));
}

void PoolTask::wait()
{
    if (!shared)
        return;
    std::unique_lock<std::mutex> lock(shared->mutex);
    shared->ended.wait(lock, [this] { return shared->done; });
    lock.unlock();
    shared.reset();
}

bool PoolTask::running() const
{
    if (!shared)
        return false;
    std::lock_guard<std::mutex> lock(shared->mutex);
    return !shared->done;
}
