// Jobs on several threads are handed on in their order, and Ctrl-C reaches the running ones and
// those not yet begun; scans of different prefixes run side by side as scan --all runs them.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <sstream>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "cli/InOrder.h"
#include "cli/ScanRunner.h"
#include "tests/fixtures/TestPrefix.h"

namespace {

using cli::InOrderJobs;
using cli::RunInOrder;

TEST(InOrder, EveryJobIsDeliveredOnceInOrderAfterItRan) {
    for (const unsigned threads : {1u, 2u, 5u}) {
        constexpr std::size_t kJobs = 9;
        std::vector<std::string> made(kJobs);
        std::vector<std::string> delivered;
        InOrderJobs jobs;
        jobs.count = kJobs;
        jobs.threads = threads;
        // Later jobs finish first when they run side by side.
        jobs.run = [&made](std::size_t i, const std::atomic<bool>&) {
            std::this_thread::sleep_for(std::chrono::milliseconds(2 * (kJobs - i)));
            made[i] = "job " + std::to_string(i);
        };
        jobs.deliver = [&](std::size_t i) { delivered.push_back(made[i]); };
        RunInOrder(jobs);
        std::vector<std::string> expected;
        for (std::size_t i = 0; i < kJobs; ++i) expected.push_back("job " + std::to_string(i));
        EXPECT_EQ(delivered, expected) << threads << " threads";
    }
}

TEST(InOrder, AnInterruptCancelsTheRunningJobAndThoseAfterIt) {
    constexpr std::size_t kJobs = 3;
    std::vector<char> sawCancel(kJobs, 0);
    InOrderJobs jobs;
    jobs.count = kJobs;
    jobs.threads = 1;
    // The first job runs until it is cancelled (given up after a minute, failing the test).
    jobs.run = [&sawCancel](std::size_t i, const std::atomic<bool>& cancel) {
        for (int waited = 0; i == 0 && !cancel.load() && waited < 60000; ++waited)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        sawCancel[i] = cancel.load();
    };
    std::size_t delivered = 0;
    jobs.deliver = [&delivered](std::size_t) { ++delivered; };
    jobs.interrupted = [] { return true; };
    RunInOrder(jobs);
    EXPECT_EQ(delivered, kJobs);
    EXPECT_EQ(sawCancel, std::vector<char>(kJobs, 1));
}

TEST(InOrder, AJobsExceptionReachesTheCallerInItsTurn) {
    std::vector<std::size_t> delivered;
    InOrderJobs jobs;
    jobs.count = 5;
    jobs.threads = 2;
    jobs.run = [](std::size_t i, const std::atomic<bool>&) {
        if (i == 2) throw std::runtime_error("job 2 failed");
    };
    jobs.deliver = [&delivered](std::size_t i) { delivered.push_back(i); };
    std::string what;
    try {
        RunInOrder(jobs);
    } catch (const std::runtime_error& e) {
        what = e.what();
    }
    EXPECT_EQ(what, "job 2 failed");
    EXPECT_EQ(delivered, (std::vector<std::size_t>{0, 1}));
}

// Each scan has its own prefix, services and host; what one finds is its prefix's alone.
TEST(InOrder, ScansOfSeveralPrefixesRunSideBySide) {
    constexpr std::size_t kPrefixes = 4;
    std::vector<std::unique_ptr<fixtures::TestPrefix>> prefixes;
    for (std::size_t i = 0; i < kPrefixes; ++i) {
        prefixes.push_back(std::make_unique<fixtures::TestPrefix>());
        for (std::size_t dead = 0; dead <= i; ++dead)
            prefixes.back()->SetString(
                fixtures::Hive::User, "Software\\Microsoft\\Windows\\CurrentVersion\\Run",
                "Gone" + std::to_string(dead), "C:\\Gone" + std::to_string(dead) + "\\gone.exe");
        prefixes.back()->WriteHives();
    }
    std::vector<int> found(kPrefixes, -1);
    InOrderJobs jobs;
    jobs.count = kPrefixes;
    jobs.threads = 2;
    jobs.run = [&](std::size_t i, const std::atomic<bool>& cancel) {
        cli::GlobalOptions global;
        global.prefix = prefixes[i]->Dir();
        cli::SelectionOptions selection;
        selection.sections = "Startup Programs";
        std::ostringstream messages;
        cli::ScanRun run(false, &cancel);
        run.messages = &messages;
        run.host.SetQuiet(true);
        if (cli::RunScan(global, selection, run) == cli::kExitSuccess)
            found[i] = run.session->Results().total;
    };
    std::vector<int> delivered;
    jobs.deliver = [&](std::size_t i) { delivered.push_back(found[i]); };
    RunInOrder(jobs);
    EXPECT_EQ(delivered, (std::vector<int>{1, 2, 3, 4}));
}

}  // namespace
