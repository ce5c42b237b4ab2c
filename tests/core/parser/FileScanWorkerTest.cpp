// The worker that runs the call pass's variable scan beside the reading: every file's scan runs, in
// the order handed in, on the text handed in, and a scan that fails stops the rest and surfaces in
// the reading thread.

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "core/parser/FileScanWorker.h"

namespace tally::test {

TEST(FileScanWorker, RunsEveryScanInOrderOnTheTextHandedIn) {
    std::vector<std::string> seen;  // written by the worker alone until finish() returns
    FileScanWorker worker([&](std::string_view text, const std::string& path) {
        seen.push_back(path + "=" + std::string(text));
    });
    std::vector<std::string> expected;
    for (int k = 0; k < 200; ++k) {
        // Long texts live on the heap, short ones inside the string: both must arrive whole.
        std::string text = k % 2 ? std::string(100 + k, static_cast<char>('a' + k % 26)) : std::to_string(k);
        expected.push_back("f" + std::to_string(k) + "=" + text);
        worker.add(std::move(text), "f" + std::to_string(k));
    }
    worker.finish();
    EXPECT_EQ(seen, expected);
    worker.add("late", "g");  // the worker goes on after a finish
    worker.finish();
    EXPECT_EQ(seen.back(), "g=late");
}

TEST(FileScanWorker, AFailedScanStopsTheRestAndIsThrownToTheReader) {
    std::atomic<int> ran{0};
    FileScanWorker worker([&](std::string_view, const std::string& path) {
        if (path == "bad") throw std::runtime_error("scan failed");
        ++ran;
    });
    worker.add("x", "good");
    worker.add("x", "bad");
    bool thrown = false;
    try {
        for (int k = 0; k < 50; ++k) worker.add("x", "after");  // throws once the failure is seen
        worker.finish();
    } catch (const std::runtime_error& e) {
        thrown = std::string(e.what()) == "scan failed";
    }
    EXPECT_TRUE(thrown);
    EXPECT_EQ(ran.load(), 1);  // nothing after the failed scan ran
    EXPECT_THROW(worker.finish(), std::runtime_error);
}

TEST(FileScanWorker, GoesAwayWithScansStillQueuedOnceTheRunningOneEnds) {
    std::atomic<bool> running{false};
    std::atomic<int> ran{0};
    {
        FileScanWorker worker([&](std::string_view, const std::string&) {
            running = true;
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
            ++ran;
            running = false;
        });
        for (int k = 0; k < 6; ++k) worker.add(std::string(1000, 'x'), "f");
    }  // no finish(): the thread stops after the scan under way, which the scan's owner may still hold
    EXPECT_FALSE(running.load());
    EXPECT_GE(ran.load(), 1);
}

}  // namespace tally::test
