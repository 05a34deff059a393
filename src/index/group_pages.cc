#include "index/group_pages.h"

#include "index/group_index_pages.h"
#include "index/page_annotation.h"
#include "index/search_pages.h"

namespace quillon {

// The straightforward procedure writes the contents page anew with every
// group index page; it is the same every time, so it is written once.
void write_group_pages(Run& run, const WordTable& table, const std::string& destination_site) {
  prepare_copy_folder(run);
  write_contents_page(run, table);
  PageLinks links;
  // Four steps a group: the annotated pages take most of the time.
  long long steps = 4LL * table.group_count;
  auto step = [&](int group, int done) {
    run.console.progress(4LL * (group - 1) + done, steps, "group pages");
  };
  for (int group = 1; group <= table.group_count; ++group) {
    step(group, 0);
    write_occurrence_copy(run, table, group);
    step(group, 1);
    annotate_group_pages(run, table, group, &links);
    step(group, 2);
    write_group_index_page(run, table, group);
    step(group, 3);
    write_group_search_page(run, table, group, destination_site);
  }
}

}  // namespace quillon
