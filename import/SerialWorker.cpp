#include "SerialWorker.h"

#include <system_error>

SerialWorker::SerialWorker()
{
    try {
        thread_ = std::thread([this] { run(); });
    } catch (const std::system_error&) {
        // Out of threads: the jobs still run, only without the overlap.
    }
}

SerialWorker::~SerialWorker()
{
    if (!thread_.joinable())
        return;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        closing_ = true;
    }
    wake_.notify_one();
    thread_.join();
}

void SerialWorker::post(std::function<void()> job)
{
    if (!thread_.joinable()) {
        job();
        return;
    }
    {
        std::lock_guard<std::mutex> lock(mutex_);
        jobs_.push_back(std::move(job));
    }
    wake_.notify_one();
}

void SerialWorker::run()
{
    for (;;) {
        std::function<void()> job;
        {
            std::unique_lock<std::mutex> lock(mutex_);
            wake_.wait(lock, [this] { return closing_ || !jobs_.empty(); });
            if (jobs_.empty())
                return;  // closing, and nothing left to run
            job = std::move(jobs_.front());
            jobs_.pop_front();
        }
        job();
    }
}
