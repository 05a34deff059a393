#include "index/group_pages.h"

#include <memory>
#include <vector>

#include "index/group_index_pages.h"
#include "index/page_annotation.h"
#include "index/page_work.h"
#include "index/search_pages.h"
#include "run/ordered_tasks.h"

namespace quillon {

// The straightforward procedure writes the contents page anew with every
// group index page; it is the same every time, so it is written once.
//
// A group's pages depend on the groups before it in two ways only: the
// pseudo-random draws of its search page continue the sequence where the
// group before left it, and the Before link of the first page in name order
// keeps what the pages before it set. The draws are counted first, so that
// every group knows where its sequence starts; the link is the same for
// every group as long as that page is the first rewritten (as it is for
// the pages the run numbers itself), and otherwise the groups are written
// one after the other. So the groups can be written on several threads, and
// every byte is the same for any number of them.
void write_group_pages(Run& run, const WordTable& table, const std::string& destination_site,
                       int jobs) {
  prepare_copy_folder(run.commands, run.files);
  PageWork contents(run.disk, &run.failures);
  write_contents_page(contents, table);

  size_t groups = static_cast<size_t>(table.group_count);
  std::vector<RandomFractions> draws_from(groups);
  for (size_t g = 0; g < groups; ++g) {
    draws_from[g] = run.random;
    for (long n = search_draws(table, static_cast<int>(g) + 1); n > 0; --n) {
      run.random.random_fraction();
    }
  }
  run.console.progress(0, groups, "group pages");
  bool links_apart = table.sorted_pages.empty() || table.linked_pages.empty() ||
                     table.sorted_pages.front() == table.linked_pages.front();
  int threads = links_apart ? threads_for_jobs(jobs) : 1;

  std::vector<std::unique_ptr<PageWork>> workers;
  for (int w = 0; w < threads; ++w)
    workers.push_back(std::make_unique<PageWork>(run.disk, nullptr));
  PageLinks carried;
  run_ordered_tasks(
      threads, groups,
      [&](size_t task, int worker, FailureLog* failures) {
        PageWork& work = *workers[static_cast<size_t>(worker)];
        work.failures = failures;
        int group = static_cast<int>(task) + 1;
        PageLinks own;
        RandomFractions random = draws_from[task];
        write_occurrence_copy(work, table, group);
        annotate_group_pages(work, table, group, threads == 1 ? &carried : &own);
        write_group_index_page(work, table, group);
        write_group_search_page(work, table, group, destination_site, &random);
      },
      // Each group is complete here, in group order, on the run's own
      // thread: the place for a sign of progress.
      [&](size_t task) { run.console.progress(task + 1, groups, "group pages"); }, &run.failures);
}

}  // namespace quillon
