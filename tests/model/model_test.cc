// The program against the straightforward procedure it shortens: both run
// on many generated inputs, and every file they leave and the console must
// agree byte for byte.

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "app/phase_table.h"
#include "base/end_run.h"
#include "model/model_index.h"
#include "model/model_names.h"
#include "support/test_run.h"

namespace quillon {
namespace {

// Each case is slow under the address sanitizer, so there a fifth of them runs.
#ifdef __SANITIZE_ADDRESS__
const unsigned kSeeds = 60;
#else
const unsigned kSeeds = 300;
#endif

// clang-format off
const char* const kWords[] = {
    "Apple", "apple", "APPLE", "the", "The", "dog", "dog.", "dog,", "x", "an", "fox", "Fox",
    "id00000003", "xid00000010y", "id00000001", "page_01.htm", "see:page_02.htm", "&nbsp;",
    "a&nbsp;b", "Pages_list", "C++", "AT&T", "#tag", "\xC3\x84rger", "na\xC3\xAFve", "\"quoted\"",
    "it\"s", "body", "Body", "look_at:", "href=", "<b>", "</b>", "<i>", "<br>", "<a href=\"#12\">",
    "<a href=\"#2500\">", "</a>", "<span", "class=x>", "\t", "\x01", "<p style=\"c\">"};
// clang-format on

std::string GeneratedLine(std::mt19937& random) {
  std::string line;
  int words = static_cast<int>(random() % 40);
  for (int i = 0; i < words; ++i) {
    if (!line.empty() && random() % 4 != 0) line += ' ';
    line += kWords[random() % (sizeof kWords / sizeof kWords[0])];
  }
  // Now and then the line opens or closes a block that hides its words.
  const std::string blocks[] = {"<script>" + line, line + "</script>",
                                "<style>" + line + "</style>", "<title>", "</title>"};
  size_t pick = random() % 12;
  return pick < 5 ? blocks[pick] : line;
}

std::string GeneratedPage(std::mt19937& random) {
  std::string page = "<html>\r\n";
  if (random() % 5 != 0) page += "<body>\r\n";
  int lines = static_cast<int>(random() % 30);
  for (int i = 0; i < lines; ++i) page += GeneratedLine(random) + "\r\n";
  if (random() % 4 != 0) page += "</body>\r\n";
  return page + "</html>\r\n";
}

// The folder as the comparison page leaves it, with one to five pages to
// index (or twelve), so that there are several pages and groups.
void Prepare(FakeRun& test, unsigned seed) {
  std::mt19937 random(seed);
  test.disk.AddDir("txt_in");
  test.disk.AddDir("htm_in");
  // Now and then as many pages as the parts of a large comparison.
  int pages = seed % 10 == 0 ? 12 : 1 + static_cast<int>(random() % 5);
  for (int p = 0; p < pages; ++p) {
    test.disk.AddFile("htm_wrk/p" + std::to_string(p) + ".htm", GeneratedPage(random));
  }
}

// The program runs with one thread and with two, which must not change a
// byte.
TEST(ModelTest, WholeIndexLeavesTheSameFilesAndConsole) {
  for (unsigned seed = 1; seed <= kSeeds; ++seed) {
    std::string site = seed % 3 == 0 ? "" : "shop.example.org/a&b";
    FakeRun model;
    Prepare(model, seed);
    EXPECT_THROW(model_index(model.run, "00", site), RunEnded);
    model.run.files.close_all();
    std::map<std::string, std::string> expected = model.disk.Files();
    for (int jobs : {1, 2}) {
      FakeRun program;
      Prepare(program, seed);
      RunState state;
      state.page_number_pad = "00";
      state.destination_site = site;
      state.options.jobs = jobs;
      EXPECT_THROW(run_phases(program.run, state, "page preparation"), RunEnded);
      program.run.files.close_all();
      ASSERT_EQ(program.transcript(), model.transcript()) << "seed " << seed << " jobs " << jobs;
      std::map<std::string, std::string> actual = program.disk.Files();
      ASSERT_EQ(actual.size(), expected.size()) << "seed " << seed << " jobs " << jobs;
      for (const auto& file : actual) {
        ASSERT_TRUE(expected.count(file.first)) << file.first << " seed " << seed;
        ASSERT_EQ(WithoutClock(file.second), WithoutClock(expected[file.first]))
            << file.first << " seed " << seed << " jobs " << jobs;
      }
    }
  }
}

// A folder the file-by-file index worked in may still hold its records;
// the run must take every one of them for its own, never for the user's.
TEST(ModelTest, TheModelsWorkFilesCountAsTheRunsOwn) {
  using namespace work_files;
  for (const std::string& name : {kWordRecords,
                                  kLowerCaseRecords,
                                  kSortedRecords,
                                  kIdentifiedRecords,
                                  kNumberedRecords,
                                  kDocumentOrderRecords,
                                  kWordOnlyRecords,
                                  kRankedRecords,
                                  kRankSortedRecords,
                                  kPagesWithWords,
                                  kPagesWithWordsSorted,
                                  group_page_list(3),
                                  page_occurrences("01"),
                                  group_occurrences(4),
                                  group_occurrences_sorted(4),
                                  group_word_occurrences(5),
                                  group_word_occurrences_sorted(5),
                                  kAllOccurrences,
                                  kAllOccurrencesSorted,
                                  word_file("id00000042"),
                                  group_count_file("7"),
                                  page_before_annotation("page_01.htm"),
                                  page_being_annotated("page_01.htm"),
                                  stripped_copy(kComparePage)}) {
    EXPECT_TRUE(is_work_file_name(name)) << name;
  }
}

}  // namespace
}  // namespace quillon
