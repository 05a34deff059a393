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
  for (int group = 1; group <= table.group_count; ++group) {
    write_occurrence_copy(run, table, group);
    annotate_group_pages(run, table, group, &links);
    write_group_index_page(run, table, group);
    write_group_search_page(run, table, group, destination_site);
  }
}

}  // namespace quillon
