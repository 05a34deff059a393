// The one-pass strategy must give the very bytes of the straightforward
// procedure: both run on many generated sets of pages and every file they
// both leave, and the console, must agree.

#include <gtest/gtest.h>

#include <random>

#include "base/end_run.h"
#include "base/test_run.h"
#include "index/indexing.h"

namespace quillon {
namespace {

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

// Each case is slow under the address sanitizer, so there a fifth of them runs.
#ifdef __SANITIZE_ADDRESS__
const unsigned kSeeds = 60;
#else
const unsigned kSeeds = 300;
#endif

void Prepare(FakeRun& test, Strategy strategy, unsigned seed) {
  std::mt19937 random(seed);
  test.run.strategy = strategy;
  test.run.settings.page_number_pad = "00";
  test.disk.AddDir("txt_in");
  test.disk.AddDir("htm_in");
  int pages = 1 + static_cast<int>(random() % 5);
  for (int p = 0; p < pages; ++p) {
    test.disk.AddFile("htm_wrk/p" + std::to_string(p) + ".htm", GeneratedPage(random));
  }
}

// The whole index up to the results screen: everything the run leaves.
TEST(IndexStrategiesTest, WholeIndexLeavesTheSameFilesAndConsole) {
  for (unsigned seed = 1; seed <= kSeeds; ++seed) {
    FakeRun reference, fast;
    Prepare(reference, Strategy::kReference, seed);
    Prepare(fast, Strategy::kFast, seed);
    for (FakeRun* test : {&reference, &fast}) {
      EXPECT_THROW(run_indexing(test->run), RunEnded);
      test->run.files.close_all();
    }
    ASSERT_EQ(fast.transcript(), reference.transcript()) << "seed " << seed;
    std::map<std::string, std::string> expected = reference.disk.Files();
    std::map<std::string, std::string> actual = fast.disk.Files();
    ASSERT_EQ(actual.size(), expected.size()) << "seed " << seed;
    for (const auto& file : actual) {
      ASSERT_TRUE(expected.count(file.first)) << file.first << " seed " << seed;
      ASSERT_EQ(WithoutClock(file.second), WithoutClock(expected[file.first]))
          << file.first << " seed " << seed;
    }
  }
}

}  // namespace
}  // namespace quillon
