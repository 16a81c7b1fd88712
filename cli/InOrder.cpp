#include "cli/InOrder.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

namespace cli {

void RunInOrder(const InOrderJobs& jobs) {
    std::mutex mutex;
    std::condition_variable finished;
    std::vector<char> done(jobs.count, 0);               // guarded by `mutex`
    std::vector<std::exception_ptr> failed(jobs.count);  // written before `done`
    std::atomic<std::size_t> next{0};
    std::atomic<bool> cancel{false};
    auto work = [&] {
        for (std::size_t i; (i = next.fetch_add(1)) < jobs.count;) {
            try {
                jobs.run(i, cancel);
            } catch (...) {
                failed[i] = std::current_exception();
            }
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
    try {
        for (std::size_t delivered = 0; delivered < jobs.count; ++delivered) {
            std::unique_lock lock(mutex);
            // Woken by each job's end; the time limit is only for looking at Ctrl-C.
            while (!done[delivered]) {
                finished.wait_for(lock, std::chrono::milliseconds(100));
                if (jobs.interrupted && !cancel.load() && jobs.interrupted()) cancel = true;
            }
            lock.unlock();
            if (failed[delivered]) std::rethrow_exception(failed[delivered]);
            jobs.deliver(delivered);
        }
    } catch (...) {
        // The workers are joined on the way out: what they run then is cancelled.
        cancel = true;
        throw;
    }
}

}  // namespace cli
