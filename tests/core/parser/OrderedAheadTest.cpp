// Items worked on ahead by a few threads are taken in list order, each worked on exactly once, by
// the taking thread too when the others are busy; the window bounds how far ahead they get; an item
// whose result cannot be made is made again when its turn comes.

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <mutex>
#include <new>
#include <set>
#include <thread>
#include <vector>

#include "core/support/OrderedAhead.h"

namespace tally {
namespace {

struct Item {
    std::size_t k = 0;
    std::size_t square = 0;
    std::thread::id worker;
};

TEST(OrderedAhead, EveryItemIsWorkedOnOnceAndTakenInOrderOnAnyNumberOfThreads) {
    for (int threads : {1, 2, 4}) {
        std::atomic<int> works{0};
        std::mutex mutex;
        std::set<std::thread::id> workers;
        OrderedAhead<Item> ahead(
            200, 3, threads,
            [](std::size_t k) {
                auto item = std::make_unique<Item>();
                item->k = k;
                return item;
            },
            [&](std::size_t k, Item& item) {
                ++works;
                // Uneven work, so that threads overtake each other.
                if (k % 7 == 0) std::this_thread::sleep_for(std::chrono::microseconds(200));
                item.square = k * k;
                item.worker = std::this_thread::get_id();
                std::lock_guard lock(mutex);
                workers.insert(item.worker);
            });
        for (std::size_t k = 0; k < ahead.size(); ++k) {
            const Item& item = ahead.take(k);
            ASSERT_EQ(item.k, k) << threads;
            ASSERT_EQ(item.square, k * k) << threads;
        }
        EXPECT_EQ(works, 200) << threads;
        // On one thread the taking thread does all the work.
        if (threads == 1) {
            EXPECT_EQ(workers, std::set<std::thread::id>{std::this_thread::get_id()});
        }
    }
}

TEST(OrderedAhead, TheWorkersStayWithinTheWindowPastTheItemTaken) {
    std::atomic<std::size_t> furthest{0};
    OrderedAhead<Item> ahead(
        50, 4, 3, [](std::size_t) { return std::make_unique<Item>(); },
        [&](std::size_t k, Item&) {
            std::size_t seen = furthest.load();
            while (k > seen && !furthest.compare_exchange_weak(seen, k)) {
            }
        });
    for (std::size_t k = 0; k < 10; ++k) {
        ahead.take(k);
        // Give the workers time to run as far as they may.
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
        EXPECT_LT(furthest.load(), k + 4) << k;
    }
}

TEST(OrderedAhead, AnItemWhoseResultCannotBeMadeIsMadeAgainInItsTurn) {
    std::atomic<int> failures{0};
    OrderedAhead<Item> ahead(
        20, 4, 2,
        [&](std::size_t k) {
            // Item 5 fails to be made the first time, as when memory runs short on a worker.
            if (k == 5 && failures++ == 0) throw std::bad_alloc();
            auto item = std::make_unique<Item>();
            item->k = k;
            return item;
        },
        [](std::size_t k, Item& item) { item.square = k * k; });
    for (std::size_t k = 0; k < ahead.size(); ++k) {
        try {
            const Item& item = ahead.take(k);
            EXPECT_EQ(item.square, k * k);
        } catch (const std::bad_alloc&) {
            // Only when the taking thread itself made the first attempt; then it is made again.
            EXPECT_EQ(k, 5u);
            EXPECT_EQ(ahead.take(k).square, 25u);
        }
    }
    EXPECT_GE(failures, 1);
}

}  // namespace
}  // namespace tally
