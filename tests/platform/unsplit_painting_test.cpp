// Painting handed to a pool thread: once, finished before the caller goes on, failures passed
// back, and no wait for itself when the caller is a pool thread already.
#include "platform/unsplit_painting.h"

#include <gtest/gtest.h>

#include <QThread>
#include <QThreadPool>
#include <atomic>
#include <stdexcept>
#include <thread>

namespace {

TEST(PaintUnsplit, RunsOnceAndIsDoneOnReturn) {
  for (int round = 0; round < 50; ++round) {
    int calls = 0;
    std::vector<int> written;
    PaintUnsplit([&] {
      ++calls;
      std::this_thread::sleep_for(std::chrono::microseconds(round % 5 == 0 ? 2000 : 0));
      written.assign(1000, round);
    });
    ASSERT_EQ(calls, 1) << round;
    ASSERT_EQ(written, std::vector<int>(1000, round)) << round;
  }
}

TEST(PaintUnsplit, ThrowsWhatThePaintingThrew) {
  int after = 0;
  EXPECT_THROW(PaintUnsplit([&] { throw std::runtime_error("out of pixels"); }), std::runtime_error);
  try {
    PaintUnsplit([] { throw std::invalid_argument("bad band"); });
    ADD_FAILURE() << "nothing thrown";
  } catch (const std::invalid_argument& e) {
    EXPECT_STREQ(e.what(), "bad band");
  }
  PaintUnsplit([&] { ++after; });  // the pool is not left short of a thread
  EXPECT_EQ(after, 1);
}

// Called from a pool thread, it paints right there, though another pool thread is free; and
// with every pool thread calling it at once, none waits for a thread that only it could free.
TEST(PaintUnsplit, FromInsidePoolTasksRunsInlineWithoutDeadlock) {
  QThreadPool* pool = QThreadPool::globalInstance();
  const int threads = pool->maxThreadCount();
  pool->setMaxThreadCount(qMax(2, threads));  // a free thread beside the task, on one core too
  std::atomic<bool> same{false};
  pool->start([&] {
    QThread* self = QThread::currentThread();
    PaintUnsplit([&] { same = QThread::currentThread() == self; });
  });
  ASSERT_TRUE(pool->waitForDone(10000));
  EXPECT_TRUE(same);

  const int tasks = pool->maxThreadCount();
  std::atomic<int> inlineCalls{0}, finished{0}, started{0};
  for (int i = 0; i < tasks; ++i)
    pool->start([&] {
      ++started;
      while (started < tasks) std::this_thread::yield();  // every pool thread taken
      QThread* self = QThread::currentThread();
      PaintUnsplit([&] {
        if (QThread::currentThread() == self) ++inlineCalls;
      });
      ++finished;
    });
  ASSERT_TRUE(pool->waitForDone(10000));
  EXPECT_EQ(finished, tasks);
  EXPECT_EQ(inlineCalls, tasks);
  pool->setMaxThreadCount(threads);
}

// With the whole pool busy elsewhere, the caller does not wait for it.
TEST(PaintUnsplit, PaintsOnTheCallerWhenNoPoolThreadIsFree) {
  QThreadPool* pool = QThreadPool::globalInstance();
  std::atomic<bool> release{false};
  std::atomic<int> busy{0};
  const int threads = pool->maxThreadCount();
  for (int i = 0; i < threads; ++i)
    pool->start([&] {
      ++busy;
      while (!release) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    });
  while (busy < threads) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  QThread* on = nullptr;
  PaintUnsplit([&] { on = QThread::currentThread(); });
  release = true;
  ASSERT_TRUE(pool->waitForDone(10000));
  EXPECT_EQ(on, QThread::currentThread());
}

}  // namespace
