#include "index/indexing.h"

#include "index/delivery.h"
#include "index/group_index_pages.h"
#include "index/occurrence_lists.h"
#include "index/page_annotation.h"
#include "index/page_preparation.h"
#include "index/search_pages.h"
#include "index/word_extraction.h"
#include "index/word_file_index.h"
#include "index/word_index_page.h"
#include "index/word_records.h"

namespace quillon {

void run_indexing(Run& run) {
  prepare_pages(run);
  extract_words(run);
  build_word_records(run);
  WordFileIndex word_files;
  build_occurrence_lists(run, &word_files);
  prepare_copy_folder(run);
  PageLinks links;
  for (int group = 1; group <= run.settings.group_count; ++group) {
    annotate_group_pages(run, group, &word_files, &links);
    write_group_index_page(run, group);
    write_group_search_page(run, group);
  }
  write_word_index(run);
  deliver_results(run);
}

}  // namespace quillon
