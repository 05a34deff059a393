#include "run/ordered_tasks.h"

#include <algorithm>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

namespace quillon {

int threads_for_jobs(int jobs) {
  if (jobs > 0) return jobs;
  unsigned cores = std::thread::hardware_concurrency();
  return cores == 0 ? 1 : static_cast<int>(cores);
}

namespace {

struct Outcome {
  FailureLog failures;
  std::exception_ptr thrown;
  bool ended = false;
  bool failed() const { return thrown || !failures.empty(); }
};

// The outcomes in task order, up to the first task that failed.
void TakeOutcomes(std::vector<Outcome>& outcomes, FailureLog* failures) {
  for (Outcome& outcome : outcomes) {
    if (!outcome.ended) return;
    failures->add(outcome.failures);
    if (outcome.thrown) std::rethrow_exception(outcome.thrown);
    if (outcome.failed()) return;
  }
}

}  // namespace

void run_ordered_tasks(int threads, size_t count, const OrderedTask& task,
                       const std::function<void(size_t task)>& done, FailureLog* failures) {
  std::vector<Outcome> outcomes(count);
  auto run = [&](size_t i, int worker) {
    try {
      task(i, worker, &outcomes[i].failures);
    } catch (...) {
      outcomes[i].thrown = std::current_exception();
    }
  };
  auto one_thread = [&] {
    for (size_t i = 0; i < count; ++i) {
      run(i, 0);
      outcomes[i].ended = true;
      if (outcomes[i].failed()) break;
      done(i);
    }
    TakeOutcomes(outcomes, failures);
  };
  if (threads <= 1 || count <= 1) return one_thread();

  std::mutex mutex;
  std::condition_variable changed;
  size_t next = 0;
  size_t reported = 0;
  bool stop = false;
  int working = 0;
  // A task's results wait until every task before it is reported; a worker
  // that ran far ahead of a slow task would pile them up, so none begins
  // more than this many tasks past the first not yet reported.
  const size_t ahead = 2 * static_cast<size_t>(threads);
  auto work = [&](int worker) {
    for (;;) {
      size_t i;
      {
        std::unique_lock<std::mutex> lock(mutex);
        changed.wait(lock, [&] { return stop || next == count || next < reported + ahead; });
        if (stop || next == count) break;
        i = next++;
      }
      run(i, worker);
      std::lock_guard<std::mutex> hold(mutex);
      outcomes[i].ended = true;
      if (outcomes[i].failed()) stop = true;
      changed.notify_all();
    }
    std::lock_guard<std::mutex> hold(mutex);
    --working;
    changed.notify_all();
  };
  std::vector<std::thread> pool;
  threads = static_cast<int>(std::min<size_t>(static_cast<size_t>(threads), count));
  for (int worker = 0; worker < threads; ++worker) {
    std::lock_guard<std::mutex> hold(mutex);
    try {
      pool.emplace_back(work, worker);
      ++working;
    } catch (const std::system_error&) {
      // Fewer threads than asked for still do all the work.
      break;
    }
  }
  if (pool.empty()) return one_thread();
  // Each task is reported on this thread once it and all before it are done.
  std::exception_ptr reporting;
  {
    std::unique_lock<std::mutex> lock(mutex);
    while (reported < count) {
      changed.wait(lock, [&] { return outcomes[reported].ended || working == 0; });
      if (!outcomes[reported].ended || outcomes[reported].failed()) break;
      lock.unlock();
      try {
        done(reported);
      } catch (...) {
        reporting = std::current_exception();
      }
      lock.lock();
      if (reporting) {
        stop = true;
        changed.notify_all();
        break;
      }
      ++reported;
      changed.notify_all();
    }
  }
  for (std::thread& thread : pool) thread.join();
  if (reporting) std::rethrow_exception(reporting);
  TakeOutcomes(outcomes, failures);
}

}  // namespace quillon
