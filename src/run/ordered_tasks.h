// Numbered tasks run on several threads, with their outcome taken in task
// order: what they note and throw, and the point at which each is done, are
// seen by the calling thread as if one task had run after the other.

#ifndef QUILLON_RUN_ORDERED_TASKS_H_
#define QUILLON_RUN_ORDERED_TASKS_H_

#include <cstddef>
#include <functional>

#include "base/failure_log.h"

namespace quillon {

/// The threads `jobs` asks for: 0 for one per core the machine has.
int threads_for_jobs(int jobs);

/// What a task gets: its number, the worker it runs on (from 0, below the
/// number of threads) and its own failure log.
using OrderedTask = std::function<void(size_t task, int worker, FailureLog* failures)>;

/// Runs tasks 0 to count-1 on `threads` threads (the calling thread alone
/// for 1), each task once, taken in order. `done(task)` is called on the
/// calling thread for each task in order, as soon as it and every task
/// before it have ended well. A task that notes a failure or throws stops
/// the tasks not yet begun; once every thread has ended, the failures of the
/// tasks up to the first that failed are added to `failures` in task order,
/// and the exception of the first task that threw (in task order, before
/// any that failed) is thrown again.
void run_ordered_tasks(int threads, size_t count, const OrderedTask& task,
                       const std::function<void(size_t task)>& done, FailureLog* failures);

}  // namespace quillon

#endif  // QUILLON_RUN_ORDERED_TASKS_H_
