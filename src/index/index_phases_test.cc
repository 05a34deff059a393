// The index phases up to the annotated pages, on the comparison page of the
// reference run, in both strategies.

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "base/test_run.h"
#include "index/occurrence_lists.h"
#include "index/page_annotation.h"
#include "index/page_preparation.h"
#include "index/word_extraction.h"
#include "index/word_records.h"

namespace quillon {
namespace {

const std::string kGolden = std::string(QUILLON_SOURCE_DIR) + "/testdata/golden/basic/after/";

std::string GoldenFile(const std::string& path) {
  std::ifstream in(kGolden + path, std::ios::binary);
  std::stringstream content;
  content << in.rdbuf();
  return content.str();
}

void AnnotateAll(Run& run) {
  prepare_pages(run);
  extract_words(run);
  build_word_records(run);
  WordFileIndex index;
  build_occurrence_lists(run, &index);
  prepare_copy_folder(run);
  PageLinks links;
  for (int g = 1; g <= run.settings.group_count; ++g) annotate_group_pages(run, g, &index, &links);
}

class IndexPhasesGoldenTest : public ::testing::TestWithParam<Strategy> {};

TEST_P(IndexPhasesGoldenTest, AnnotatedPageAndOccurrenceListMatchTheReferenceRun) {
  std::string compare = GoldenFile("htm_wrk/compare.htm");
  if (compare.empty()) GTEST_SKIP() << "no reference run here";
  DiskRun test;
  test.run.strategy = GetParam();
  test.run.settings.page_number_pad = "00";
  test.Write("htm_wrk/compare.htm", compare);
  test.Write("txt_in/a.txt", GoldenFile("txt_in/a.txt"));
  test.Write("htm_in/old.htm", "stale");
  AnnotateAll(test.run);
  EXPECT_EQ(test.Read("page_01.htm"), GoldenFile("htm_out/page_01.htm"));
  EXPECT_EQ(test.Read("wrd_24/wrd_24_1.txt"), GoldenFile("wrd_24/wrd_24_1.txt"));
  EXPECT_EQ(test.Read("txt_in/compare.htm"), compare);
  EXPECT_EQ(test.Read("htm_in/compare.htm"), compare);
}

INSTANTIATE_TEST_SUITE_P(BothStrategies, IndexPhasesGoldenTest,
                         ::testing::Values(Strategy::kReference, Strategy::kFast));

}  // namespace
}  // namespace quillon
