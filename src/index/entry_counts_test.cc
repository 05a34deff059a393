#include "index/entry_counts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "base/test_run.h"
#include "base/text.h"
#include "index/word_index_page.h"

namespace quillon {
namespace {

std::string Record(const std::vector<std::string>& items) {
  std::string line;
  for (const std::string& item : items) line += (line.empty() ? "\"" : ",\"") + item + "\"";
  return line + "\r\n";
}

std::string IdText(long number) {
  std::string digits = std::to_string(number);
  return "id" + std::string(8 - digits.size(), '0') + digits;
}

TEST(EntryCountsTest, CountsLinesThatContainTheIdAnywhere) {
  FakeRun fake;
  fake.disk.AddFile("wrd_11_1.txt",
                    Record({"page_01.htm", "1", "1", "xid00000007y", "id00000003", "1"}) +
                        Record({"page_01.htm", "1", "9", "id00000007", "id00000007", "1"}) +
                        Record({"page_01.htm", "2", "1", "id000000071", "id00000004", "1"}));
  EntryCounts counts(fake.run);
  EXPECT_EQ(counts.Count("id00000007", "1", "9"), "3");
  EXPECT_EQ(counts.Count("id00000003", "1", "9"), "1");
  EXPECT_EQ(counts.Count("id00000099", "1", "9"), "0");
}

// A generated run of the stages before the index of all words: the group
// occurrence files and wrd_15.txt, with the oddities real text brings.
class GeneratedRun {
 public:
  explicit GeneratedRun(unsigned seed) : random_(seed) {}

  void WriteTo(FakeDisk& disk) {
    int groups = Pick(1, 4);
    std::vector<std::string> words = Vocabulary();
    struct Occurrence {
      int group;
      std::string page, line, position, word;
    };
    std::vector<Occurrence> all;
    int pages = Pick(1, groups * 2);
    for (int page = 1; page <= pages; ++page) {
      int group = (page + 1) / 2;
      int lines = Pick(1, 4);
      for (int line = 1; line <= lines; ++line) {
        int count = Pick(1, 5);
        for (int n = 0; n < count; ++n) {
          all.push_back({group, "page_0" + std::to_string(page) + ".htm", right_aligned(line, 10),
                         right_aligned(n * 7 + 1, 6), words[Pick(0, words.size() - 1)]});
        }
      }
    }
    // Ids by the sorted lower-case words, occurrences in document order.
    std::vector<std::string> lowered;
    for (const Occurrence& o : all) lowered.push_back(to_lower(o.word));
    std::sort(lowered.begin(), lowered.end());
    std::map<std::string, long> first;
    for (size_t i = 0; i < lowered.size(); ++i) first.emplace(lowered[i], i);
    std::map<std::string, int> seen;
    std::vector<std::string> group_files(groups + 1);
    std::string index_input;
    for (const Occurrence& o : all) {
      std::string id = IdText(first[to_lower(o.word)]);
      std::string number = std::to_string(++seen[id]);
      group_files[o.group] += Record({o.page, o.line, o.position, o.word, id, number});
      index_input +=
          Record({id, right_aligned(o.group, 5), o.page, o.line, o.position, o.word, number});
    }
    disk.AddFile("wrd_15.txt", index_input);
    for (int g = 1; g <= groups; ++g) {
      // Now and then a group file has gone missing.
      if (Pick(0, 9) > 0) disk.AddFile("wrd_11_" + std::to_string(g) + ".txt", group_files[g]);
    }
  }

 private:
  int Pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }

  std::vector<std::string> Vocabulary() {
    std::vector<std::string> pool = {"apple",       "Apple",     "APPLE",        "the",
                                     "The",         "dog.",      "xid00000003y", "id000000012",
                                     "cid00000001", "id0000000", "iid00000002",  "Tid00000000"};
    int extra = Pick(1, 6);
    for (int i = 0; i < extra; ++i) {
      std::string word;
      int length = Pick(3, 6);
      for (int c = 0; c < length; ++c) word += static_cast<char>('a' + Pick(0, 3));
      pool.push_back(word);
    }
    // A lone CR inside a word, or a word too long for one field, splits its
    // record when it is read back.
    if (Pick(0, 7) == 0) pool.push_back("end\rof");
    if (Pick(0, 15) == 0) pool.push_back(std::string(4100, 'w') + "id00000001");
    std::vector<std::string> words;
    int distinct = Pick(1, static_cast<int>(pool.size()));
    std::shuffle(pool.begin(), pool.end(), random_);
    words.assign(pool.begin(), pool.begin() + distinct);
    return words;
  }

  std::mt19937 random_;
};

struct Outcome {
  std::map<std::string, std::string> files;
  std::string transcript;
  long long total = 0;
};

Outcome IndexWith(Strategy strategy, unsigned seed) {
  FakeRun fake;
  GeneratedRun(seed).WriteTo(fake.disk);
  fake.run.strategy = strategy;
  write_word_index(fake.run);
  Outcome outcome;
  // The run deletes its ".txt" work files before it ends; the sorted input
  // is kept here to tell a sort fault from a count fault.
  for (const auto& file : fake.disk.Files()) {
    bool work_file = file.first.size() > 4 && file.first.rfind(".txt") == file.first.size() - 4;
    if (!work_file || file.first == "wrd_16.txt") {
      outcome.files[file.first] = WithoutClock(file.second);
    }
  }
  outcome.transcript = fake.transcript();
  outcome.total = fake.run.settings.word_total;
  return outcome;
}

TEST(EntryCountsTest, OnePassGivesTheBytesOfOneCommandPerEntry) {
  for (unsigned seed = 1; seed <= 300; ++seed) {
    Outcome fast = IndexWith(Strategy::kFast, seed);
    Outcome reference = IndexWith(Strategy::kReference, seed);
    ASSERT_EQ(fast.files, reference.files) << "seed " << seed;
    ASSERT_EQ(fast.transcript, reference.transcript) << "seed " << seed;
    ASSERT_EQ(fast.total, reference.total) << "seed " << seed;
  }
}

}  // namespace
}  // namespace quillon
