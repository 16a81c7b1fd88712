#include "cli/InOrder.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

namespace cli {

void RunInOrder(const InOrderJobs& jobs) {
    std::mutex mutex;
    std::condition_variable finished;
    std::vector<char> done(jobs.count, 0);  // guarded by `mutex`
    std::atomic<std::size_t> next{0};
    std::atomic<bool> cancel{false};
    auto work = [&] {
        for (std::size_t i; (i = next.fetch_add(1)) < jobs.count;) {
            jobs.run(i, cancel);
            {
                const std::lock_guard lock(mutex);
                done[i] = 1;
            }
            finished.notify_one();
        }
    };
    std::vector<std::jthread> workers;
    const std::size_t wanted = std::min<std::size_t>(std::max(jobs.threads, 1u), jobs.count);
    try {
        while (workers.size() < wanted) workers.emplace_back(work);
    } catch (const std::system_error&) {
        // Fewer threads than wanted: those there are share the jobs; with none, this one works.
        if (workers.empty()) work();
    }
    for (std::size_t delivered = 0; delivered < jobs.count; ++delivered) {
        std::unique_lock lock(mutex);
        // Woken by each job's end; the time limit is only for looking at Ctrl-C.
        while (!done[delivered]) {
            finished.wait_for(lock, std::chrono::milliseconds(100));
            if (jobs.interrupted && !cancel.load() && jobs.interrupted()) cancel = true;
        }
        lock.unlock();
        jobs.deliver(delivered);
    }
}

}  // namespace cli
