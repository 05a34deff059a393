// The destination answer, the duplicate check and the clean-named working
// copies, on the fake disk as the selection leaves it.

#include "compare/working_copies.h"

#include <gtest/gtest.h>

#include "app/phase_table.h"
#include "run/work_files.h"
#include "support/test_run.h"

namespace quillon {
namespace {

std::string Duplicate(const std::string& first, const std::string& second) {
  return "\r\n----- duplicate files -----\r\n" + first + "\r\n" + second +
         "\r\n\r\n<1> continue\r\n<2> end\r\n";
}

class WorkingCopiesTest : public ::testing::Test {
 protected:
  void Start(const std::string& keys) {
    t = std::make_unique<FakeRun>(keys);
    t->disk.AddDir("txt_wrk");
    t->disk.AddDir("htm_wrk");
    t->disk.AddDir("txt_in");
  }
  bool Prepare() { return RunPhases(t->run, state, "destination address", "working copies"); }
  // The transcript after the destination prompt and its answer.
  std::string AfterPrompt(const std::string& answer) {
    std::string transcript = t->transcript();
    std::string head = ") =? " + answer + "\r\n\r\n";
    size_t at = transcript.find(head);
    EXPECT_NE(at, std::string::npos) << transcript;
    return at == std::string::npos ? transcript : transcript.substr(at + head.size());
  }
  std::unique_ptr<FakeRun> t;
  RunState state;
};

TEST_F(WorkingCopiesTest, DestinationIsOneFieldAsTyped) {
  for (const auto& answer :
       {std::make_pair("", ""), std::make_pair("shop.example, other", "shop.example"),
        std::make_pair("  \tsite.org  ", "site.org  "), std::make_pair("\"a, b\" c", "a, b")}) {
    Start(std::string(answer.first) + "\n");
    EXPECT_TRUE(Prepare());
    EXPECT_EQ(state.destination_site, answer.second) << answer.first;
    AfterPrompt(answer.first);
  }
}

TEST(PageNumberPadTest, LastRuleThatHoldsWins) {
  const std::pair<int, const char*> cases[] = {
      {0, ""}, {1, ""}, {2, "00"}, {10, "00"}, {11, "000"}, {101, "0000"}, {1000001, "00000000"}};
  for (const auto& c : cases) {
    EXPECT_EQ(work_files::page_number_pad_for(c.first), c.second) << c.first;
  }
}

// Key 1 and key 2 at a duplicate are the end-to-end cases. Here an empty
// first file repeats in every file, a leading part in the longer file, and a
// longer first file is no duplicate of a shorter one: each of its lines past
// the end counts as a difference, also where it equals the last line read.
TEST_F(WorkingCopiesTest, EveryPairOnceInListingOrder) {
  Start("\n111111");
  t->disk.AddFile("txt_in/0.txt", "");
  t->disk.AddFile("txt_in/a.txt", "x\r\n");
  t->disk.AddFile("txt_in/b.txt", "x\r\nx\r\n");
  t->disk.AddFile("txt_in/c.txt", "z\r\n");
  t->disk.AddFile("txt_in/d.txt", "x\r\n");
  EXPECT_TRUE(Prepare());
  EXPECT_EQ(AfterPrompt(""), Duplicate("0.txt", "a.txt") + Duplicate("0.txt", "b.txt") +
                                 Duplicate("0.txt", "c.txt") + Duplicate("0.txt", "d.txt") +
                                 Duplicate("a.txt", "b.txt") + Duplicate("a.txt", "d.txt"));
}

}  // namespace
}  // namespace quillon
