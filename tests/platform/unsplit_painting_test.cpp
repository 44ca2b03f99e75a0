// Painting handed to a pool thread: once, finished before the caller goes on, failures passed
// back, and no waiting for a thread that the caller itself holds or that is not free.
#include "platform/unsplit_painting.h"

#include <gtest/gtest.h>

#include <QThread>
#include <QThreadPool>
#include <atomic>
#include <stdexcept>
#include <thread>

namespace {

TEST(PaintUnsplit, RunsOnceIsDoneOnReturnAndThrowsWhatThePaintingThrew) {
  for (int round = 0; round < 30; ++round) {
    int calls = 0;
    std::vector<int> written;
    PaintUnsplit([&] {
      ++calls;
      if (round % 5 == 0) std::this_thread::sleep_for(std::chrono::milliseconds(2));
      written.assign(1000, round);
    });
    ASSERT_EQ(calls, 1) << round;
    ASSERT_EQ(written, std::vector<int>(1000, round)) << round;
  }
  try {
    PaintUnsplit([] { throw std::invalid_argument("bad band"); });
    ADD_FAILURE() << "nothing thrown";
  } catch (const std::invalid_argument& e) {
    EXPECT_STREQ(e.what(), "bad band");
  }
  int after = 0;
  PaintUnsplit([&] { ++after; });  // the thread that threw is back in the pool
  EXPECT_EQ(after, 1);
}

// From a pool thread it paints right there, though another pool thread is free; with every pool
// thread calling it at once, all finish.
TEST(PaintUnsplit, FromInsidePoolTasksRunsInlineWithoutDeadlock) {
  QThreadPool* pool = QThreadPool::globalInstance();
  const int threads = pool->maxThreadCount();
  pool->setMaxThreadCount(qMax(2, threads));  // a free thread beside the task, on one core too
  const int tasks = pool->maxThreadCount();
  std::atomic<int> inlineCalls{0}, started{0};
  for (int round = 0; round < 2; ++round) {
    const int n = round == 0 ? 1 : tasks;
    started = 0;
    inlineCalls = 0;
    for (int i = 0; i < n; ++i)
      pool->start([&, n] {
        ++started;
        // every pool thread taken in the second round; bounded, so a pool that cannot start
        // them all fails the test instead of hanging it
        const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (started < n && std::chrono::steady_clock::now() < until) std::this_thread::yield();
        QThread* self = QThread::currentThread();
        PaintUnsplit([&] { inlineCalls += QThread::currentThread() == self; });
      });
    ASSERT_TRUE(pool->waitForDone(10000));
    EXPECT_EQ(inlineCalls, n);
  }
  pool->setMaxThreadCount(threads);
}

// With the whole pool busy elsewhere, the caller does not wait for it.
TEST(PaintUnsplit, PaintsOnTheCallerWhenNoPoolThreadIsFree) {
  QThreadPool* pool = QThreadPool::globalInstance();
  std::atomic<bool> release{false};
  std::atomic<int> busy{0};
  for (int i = 0; i < pool->maxThreadCount(); ++i)
    pool->start([&] {
      ++busy;
      while (!release) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    });
  const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  while (busy < pool->maxThreadCount() && std::chrono::steady_clock::now() < until)
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  if (busy < pool->maxThreadCount()) {
    release = true;
    pool->waitForDone(10000);
    FAIL() << "the pool did not start a task on every thread";
  }
  QThread* on = nullptr;
  PaintUnsplit([&] { on = QThread::currentThread(); });
  release = true;
  ASSERT_TRUE(pool->waitForDone(10000));
  EXPECT_EQ(on, QThread::currentThread());
}

}  // namespace
