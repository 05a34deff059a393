#include "index/group_pages.h"

#include "index/group_index_pages.h"
#include "index/page_annotation.h"
#include "index/search_pages.h"

namespace quillon {

void write_group_pages(Run& run, int group_count, const WordFileIndex& word_files,
                       const std::string& destination_site) {
  prepare_copy_folder(run);
  PageLinks links;
  for (int group = 1; group <= group_count; ++group) {
    annotate_group_pages(run, group, word_files, &links);
    write_group_index_page(run, group);
    write_group_search_page(run, group, destination_site);
  }
}

}  // namespace quillon
