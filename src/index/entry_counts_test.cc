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

TEST(EntryCountsTest, CountsLinesThatContainTheIdAnywhere) {
  FakeRun fake;
  fake.disk.AddFile("wrd_11_1.txt",
                    Record({"page_01.htm", "1", "1", "xid00000007y", "id00000003", "1"}) +
                        Record({"page_01.htm", "1", "9", "id00000007", "id00000007", "1"}) +
                        Record({"page_01.htm", "2", "1", "id000000071", "id00000004", "1"}));
  EntryCounts counts(fake.run);
  EXPECT_EQ(counts.Count("id00000007", "1", "9"), "3");
  EXPECT_EQ(counts.Count("id00000099", "1", "9"), "0");
}

// Words that look like ids, and a lone CR or a word too long for one field,
// which split their record when it is read back.
const char* const kPool[] = {
    "apple",       "Apple",     "APPLE",       "the",     "dog.", "xid00000003y", "id000000012",
    "cid00000001", "id0000000", "Tid00000000", "end\rof", "bab",  "abba"};

// The group occurrence files and wrd_15.txt of a generated run; now and
// then a group file has gone missing.
void WriteGeneratedRun(FakeDisk& disk, unsigned seed) {
  std::mt19937 random(seed);
  auto pick = [&](int low, int high) {
    return std::uniform_int_distribution<int>(low, high)(random);
  };
  std::vector<std::string> words(std::begin(kPool), std::end(kPool));
  if (pick(0, 7) == 0) words.push_back(std::string(4100, 'w') + "id00000001");
  std::shuffle(words.begin(), words.end(), random);
  words.resize(pick(1, static_cast<int>(words.size())));
  int groups = pick(1, 4);
  std::vector<std::vector<std::string>> all;  // group, page, line, position, word
  for (int page = pick(1, groups * 2); page > 0; --page) {
    for (int line = pick(1, 4); line > 0; --line) {
      for (int n = pick(1, 5); n > 0; --n) {
        all.push_back({std::to_string((page + 1) / 2), "page_0" + std::to_string(page) + ".htm",
                       right_aligned(line, 10), right_aligned(n * 7, 6),
                       words[pick(0, words.size() - 1)]});
      }
    }
  }
  std::reverse(all.begin(), all.end());  // into document order
  // Ids by the sorted lower-case words, occurrences in document order.
  std::vector<std::string> lowered;
  for (const auto& o : all) lowered.push_back(to_lower(o[4]));
  std::sort(lowered.begin(), lowered.end());
  std::map<std::string, int> seen;
  std::vector<std::string> group_files(groups + 1);
  std::string index_input;
  for (const auto& o : all) {
    long first = std::lower_bound(lowered.begin(), lowered.end(), to_lower(o[4])) - lowered.begin();
    std::string digits = std::to_string(first);
    std::string id = "id" + std::string(8 - digits.size(), '0') + digits;
    std::string number = std::to_string(++seen[id]);
    group_files[std::stoi(o[0])] += Record({o[1], o[2], o[3], o[4], id, number});
    index_input += Record({id, right_aligned(std::stoi(o[0]), 5), o[1], o[2], o[3], o[4], number});
  }
  disk.AddFile("wrd_15.txt", index_input);
  for (int g = 1; g <= groups; ++g) {
    if (pick(0, 9) > 0) disk.AddFile("wrd_11_" + std::to_string(g) + ".txt", group_files[g]);
  }
}

// Everything but the ".txt" work files the run deletes; the sorted input is
// kept to tell a sort fault from a count fault.
std::string IndexWith(Strategy strategy, unsigned seed) {
  FakeRun fake;
  WriteGeneratedRun(fake.disk, seed);
  fake.run.strategy = strategy;
  write_word_index(fake.run);
  std::string outcome = fake.transcript() + std::to_string(fake.run.settings.word_total);
  for (const auto& file : fake.disk.Files()) {
    bool work_file = file.first.size() > 4 && file.first.rfind(".txt") == file.first.size() - 4;
    if (!work_file || file.first == "wrd_16.txt") {
      outcome += "\n== " + file.first + "\n" + WithoutClock(file.second);
    }
  }
  return outcome;
}

TEST(EntryCountsTest, OnePassGivesTheBytesOfOneCommandPerEntry) {
  for (unsigned seed = 1; seed <= 300; ++seed) {
    ASSERT_EQ(IndexWith(Strategy::kFast, seed), IndexWith(Strategy::kReference, seed))
        << "seed " << seed;
  }
}

}  // namespace
}  // namespace quillon
