#pragma once
// One run of a function on the process-wide thread pool, with a start and an end
// that every thread checker can see.
//
// The pool hands work to its threads under Qt's own locks; ThreadSanitizer does
// not see those (Qt's libraries are not instrumented) and would take the data a
// run shares with its starter for a race. So the function goes over under a
// standard mutex here, and the end of the run is announced under one: what the
// run did happens before wait() returns, and what the starter did before start()
// happens before the run.

#include <functional>
#include <memory>

class PoolTask
{
public:
    PoolTask() = default;
    ~PoolTask();   // waits for the run
    PoolTask(const PoolTask&) = delete;
    PoolTask& operator=(const PoolTask&) = delete;

    // Waits for the previous run, then runs fn once on the global thread pool.
    void start(std::function<void()> fn);
    // Returns when the run started last has ended (at once when there is none).
    void wait();
    void waitForFinished() { wait(); }   // the name QFuture gives it
    // True from start() until the run has ended.
    bool running() const;

private:
    struct Shared;
    std::shared_ptr<Shared> shared;
};
