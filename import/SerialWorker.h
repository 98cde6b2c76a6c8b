#pragma once
// Runs jobs one after another on a thread of its own, in the order they were handed over. The
// importer gives it the waits on the disk that need not hold up the database's commits.
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

class SerialWorker {
public:
    // When no thread can be started, every job runs at once on the caller's thread instead.
    SerialWorker();
    // Runs the jobs still waiting, then ends the thread.
    ~SerialWorker();
    SerialWorker(const SerialWorker&) = delete;
    SerialWorker& operator=(const SerialWorker&) = delete;

    // A job must not throw: it reports what went wrong through what it captured.
    void post(std::function<void()> job);

private:
    void run();

    std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<std::function<void()>> jobs_;
    bool closing_ = false;
    std::thread thread_;  // last: started once the members above exist
};
