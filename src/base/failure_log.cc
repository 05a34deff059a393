#include "base/failure_log.h"

namespace quillon {

namespace {

const size_t kKept = 20;

const char* Verb(DiskAction action) {
  switch (action) {
    case DiskAction::kRead:
      return "read";
    case DiskAction::kWrite:
      return "write";
    case DiskAction::kDelete:
      return "delete";
    case DiskAction::kRename:
      return "rename";
    case DiskAction::kMakeFolder:
      break;
  }
  return "create the folder";
}

}  // namespace

std::string describe(const DiskFailure& failure) {
  return std::string("could not ") + Verb(failure.action) + " " + failure.path + ": " +
         describe(failure.reason);
}

void FailureLog::note(DiskAction action, const std::string& path, DiskError reason) {
  ++count_;
  for (const DiskFailure& known : first_) {
    if (known.action == action && known.path == path) return;
  }
  if (first_.size() < kKept) first_.push_back({action, path, reason});
}

void FailureLog::add(const FailureLog& other) {
  for (const DiskFailure& failure : other.first_)
    note(failure.action, failure.path, failure.reason);
  count_ += other.count_ - static_cast<long>(other.first_.size());
}

}  // namespace quillon
