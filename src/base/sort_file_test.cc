#include "base/sort_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "base/end_run.h"
#include "base/test_run.h"

namespace quillon {
namespace {

using Lines = std::vector<std::string>;

std::string Joined(const Lines& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  return text;
}

// Short lines from a small alphabet: many duplicates, prefixes and empty lines.
Lines RandomLines(std::mt19937& random, size_t count) {
  const std::string letters = "abAB\", \xC3\xA9";
  Lines lines(count);
  for (std::string& line : lines) {
    for (size_t i = random() % 6; i > 0; --i) line += letters[random() % letters.size()];
  }
  return lines;
}

std::string SortedText(Lines lines) {
  std::sort(lines.begin(), lines.end(),
            [](const std::string& a, const std::string& b) { return compare_text(a, b) < 0; });
  return Joined(lines);
}

struct Outcome {
  std::string output;
  bool has_output = false;
  std::string transcript;
  bool ended = false;
};

// One call of sort_file on a fresh fake disk; `input` null means no input file.
Outcome Sort(Strategy strategy, const std::string* input, int taken_numbers = 0) {
  FakeRun t;
  t.run.strategy = strategy;
  if (input) t.disk.AddFile("in.txt", *input);
  t.disk.AddFile("out.txt", "stale\r\n");
  for (int number = 1; number <= taken_numbers; ++number)
    t.run.files.open_output("held.txt", number);
  t.run.sort = {"in.txt", "out.txt"};
  Outcome outcome;
  try {
    sort_file(t.run);
  } catch (const RunEnded&) {
    outcome.ended = true;
  }
  outcome.output = t.disk.Content("out.txt");
  outcome.has_output = t.disk.HasFile("out.txt");
  outcome.transcript = t.transcript();
  return outcome;
}

void ExpectBothSort(const std::string* input, const std::string& sorted) {
  for (Strategy strategy : {Strategy::kReference, Strategy::kFast}) {
    Outcome outcome = Sort(strategy, input);
    EXPECT_TRUE(outcome.has_output);
    EXPECT_EQ(outcome.output, sorted);
    EXPECT_EQ(outcome.transcript, "");
  }
}

TEST(SortFileTest, BothStrategiesSortAlike) {
  std::mt19937 random(11);
  // 103000 lines make enough runs for several merge passes.
  for (size_t count : {1, 1999, 2000, 2001, 4500, 103000}) {
    Lines lines = RandomLines(random, count);
    const std::string input = Joined(lines);
    ExpectBothSort(&input, SortedText(lines));
  }
  const std::string wide(70000, 'w');
  const std::string ends = wide + "\nb\nabc\r\n\r\nabcd\rx\nB\nabc\r";
  ExpectBothSort(&ends, "\r\nB\r\nabc\r\nabc\r\nabcd\rx\r\nb\r\n" + wide + "\r\n");
  const std::string empty;
  ExpectBothSort(&empty, "");
  ExpectBothSort(nullptr, "");
}

TEST(SortFileTest, NoInputNameEndsTheRun) {
  FakeRun t;
  EXPECT_THROW(sort_file(t.run), RunEnded);
  t.run.strategy = Strategy::kReference;
  EXPECT_THROW(sort_file(t.run), RunEnded);
  EXPECT_EQ(t.transcript(), "");
}

TEST(SortFileTest, ReferenceRunFilesAreCutAt2000LinesAndClearedOnTheNextCall) {
  FakeRun t;
  t.run.strategy = Strategy::kReference;
  t.run.sort = {"in.txt", "out.txt"};
  t.disk.AddFile("in.txt", Joined(Lines(2001, "x")));
  sort_file(t.run);
  EXPECT_EQ(t.disk.Content("file_s_2.txt"), "x\r\n");
  t.disk.AddFile("in.txt", Joined(Lines(2000, "y")));
  sort_file(t.run);
  EXPECT_FALSE(t.disk.HasFile("file_s_2.txt"));
  EXPECT_EQ(t.disk.Content("out.txt"), Joined(Lines(2000, "y")));
  EXPECT_EQ(t.disk.Content("in.txt"), Joined(Lines(2000, "y")));
}

// With too few file numbers left for a merge, both stop on the same screen.
TEST(SortFileTest, StrategiesAgreeWhenFileNumbersRunShort) {
  std::string input = Joined(Lines(4500, "z"));
  for (int taken : {255, 253, 252, 251, 200}) {
    Outcome reference = Sort(Strategy::kReference, &input, taken);
    Outcome fast = Sort(Strategy::kFast, &input, taken);
    EXPECT_EQ(fast.output, reference.output) << taken;
    EXPECT_EQ(fast.transcript, reference.transcript) << taken;
    EXPECT_EQ(fast.ended, reference.ended) << taken;
  }
  Outcome screen = Sort(Strategy::kFast, &input, 253);
  EXPECT_EQ(screen.transcript,
            "---------- sort error ----------\r\nnumber of files > file.max\r\n"
            "file.max =  3\r\nsort.input$ = in.txt\r\nsort.output$ = out.txt\r\n"
            "file.name.02$ = sort_output.txt\r\nfile.num.02 =  0\r\n");
  EXPECT_EQ(screen.output, "stale\r\n");
}

}  // namespace
}  // namespace quillon
