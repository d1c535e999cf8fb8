// Jobs: results come back on the owner's thread, a dropped job's never.

#include "platform/jobs.h"

#include <gtest/gtest.h>

#include <chrono>
#include <deque>
#include <mutex>
#include <thread>

namespace pakkon {
namespace {

// The owner's thread as a queue the test drains.
class Owner {
 public:
  JobPost poster() {
    return [this](std::function<void()> f) {
      const std::lock_guard lock(m_);
      calls_.push_back(std::move(f));
    };
  }
  // Runs what has come.
  void drain() {
    std::deque<std::function<void()>> now;
    {
      const std::lock_guard lock(m_);
      now.swap(calls_);
    }
    for (auto& f : now) f();
  }
  // Runs what comes until `done`, with a generous bound.
  template <typename F>
  bool drainUntil(F done) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (!done() && std::chrono::steady_clock::now() < end) {
      drain();
      std::this_thread::yield();
    }
    return done();
  }

 private:
  std::mutex m_;
  std::deque<std::function<void()>> calls_;
};

TEST(Jobs, ResultsAndProgressArriveOnTheOwnersThreadAndADroppedJobSaysNothing) {
  Owner owner;
  Jobs jobs(owner.poster());
  const std::thread::id me = std::this_thread::get_id();
  std::vector<int> seen;
  bool elsewhere = false;
  Job job = jobs.run([&](JobContext& c) -> JobResult {
    elsewhere = std::this_thread::get_id() != me;
    c.post([&] { seen.push_back(1); });
    return [&] { seen.push_back(2); };
  });
  EXPECT_TRUE(job.active());
  ASSERT_TRUE(owner.drainUntil([&] { return !job.active(); }));
  EXPECT_TRUE(elsewhere);
  EXPECT_EQ(seen, (std::vector<int>{1, 2}));

  // Stopped: the work sees the flag and its (stopped) answer still comes.
  std::atomic<bool> started{false};
  bool stoppedAnswer = false;
  job = jobs.run([&](JobContext& c) -> JobResult {
    started = true;
    while (!c.stop) std::this_thread::yield();
    return [&] { stoppedAnswer = true; };
  });
  while (!started) std::this_thread::yield();
  job.stop();
  ASSERT_TRUE(owner.drainUntil([&] { return stoppedAnswer; }));

  // Dropped: nothing it sends arrives, though it finishes.
  bool heard = false;
  {
    Jobs other(owner.poster());
    Job dropped = other.run([&](JobContext& c) -> JobResult {
      while (!c.stop) std::this_thread::yield();
      c.post([&] { heard = true; });
      return [&] { heard = true; };
    });
    dropped.drop();
    EXPECT_FALSE(dropped.active());
  }  // its thread has ended: all it sent is queued
  owner.drain();
  EXPECT_FALSE(heard);
}

TEST(Jobs, GoingAwayStopsAndWaitsForEveryJob) {
  Owner owner;
  std::atomic<int> ended{0};
  {
    Jobs jobs(owner.poster());
    for (int i = 0; i < 3; ++i)
      jobs.run([&](JobContext& c) -> JobResult {
        while (!c.stop) std::this_thread::yield();
        ++ended;
        return {};
      });
  }
  EXPECT_EQ(ended, 3);
}

}  // namespace
}  // namespace pakkon
