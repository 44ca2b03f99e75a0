#include "platform/unsplit_painting.h"

#include <QSemaphore>
#include <QThread>
#include <QThreadPool>
#include <exception>

void PaintUnsplit(const std::function<void()>& paint) {
  QThreadPool* pool = QThreadPool::globalInstance();
  if (!pool || pool->contains(QThread::currentThread())) {
    paint();
    return;
  }
  QSemaphore done;
  std::exception_ptr failure;
  const bool started = pool->tryStart([&] {
    try {
      paint();
    } catch (...) {
      failure = std::current_exception();
    }
    done.release();
  });
  // Every pool thread busy (work of someone else's): waiting for one could wait for long.
  if (!started) {
    paint();
    return;
  }
  done.acquire();
  if (failure) std::rethrow_exception(failure);
}
