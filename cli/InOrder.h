#pragma once
// Independent jobs on several threads, their results handed on in the jobs' order: scan --all
// scans prefixes on every core and still prints them in the order they were found.
#include <atomic>
#include <cstddef>
#include <functional>

namespace cli {

struct InOrderJobs {
    std::size_t count = 0;
    unsigned threads = 1;  // at most this many jobs at once (at least one)
    // Runs job `index` on a worker thread. `cancel` is set once `interrupted` said yes: a long
    // job should look at it and give up; jobs not started by then still run, and should give
    // up at once.
    std::function<void(std::size_t index, const std::atomic<bool>& cancel)> run;
    // Called on the calling thread for each job in index order, as soon as it and every job
    // before it are done: what `run` left for it may be read here.
    std::function<void(std::size_t index)> deliver;
    // Asked on the calling thread while it waits (Ctrl-C); may be empty.
    std::function<bool()> interrupted;
};

// Runs every job and returns once each is delivered. Without a thread to be had, the jobs
// run on the calling thread one after the other. An exception of a job (or of `deliver`)
// reaches the caller in that job's turn, the jobs still to run cancelled.
void RunInOrder(const InOrderJobs& jobs);

}  // namespace cli
