// The complete reference run: its console transcript and every file it
// leaves behind, byte for byte.

#include <gtest/gtest.h>

#include "base/test_run.h"
#include "workspace.h"

namespace quillon {
namespace e2e {
namespace {

// Beside the source tree, as on a developer's machine and in CI.
const std::string kGolden = SourcePath("testdata/golden/basic/");

// Sinks and probe listings hold dates and free space.
bool Compared(const std::string& path) {
  return path != "out_null.list" && path != "out_null.txt" && path != "check_01.txt" &&
         path != "check_02.txt";
}

TEST(GoldenTest, BasicRunMatchesTranscriptAndFiles) {
  std::string keys = ReadFile(kGolden + "keys");
  if (keys.empty()) GTEST_SKIP() << "no reference run at " << kGolden;
  Workspace workspace;
  for (const char* name : {"a.txt", "b.txt"}) {
    workspace.Write(std::string("compare_in/") + name,
                    ReadFile(kGolden + "input_compare_in/" + name));
  }
  Outcome outcome = RunQuillon(workspace, keys);
  EXPECT_EQ(outcome.status, 0);
  EXPECT_EQ(outcome.transcript, ReadFile(kGolden + "transcript"));

  FileMap expected = FilesBelow(kGolden + "after");
  for (auto& file : expected) file.second = WithoutClock(file.second);
  FileMap actual;
  for (const auto& file : workspace.Files()) {
    if (Compared(file.first)) actual[file.first] = WithoutClock(file.second);
  }
  for (const auto& file : expected) {
    ASSERT_TRUE(actual.count(file.first)) << "missing " << file.first;
    EXPECT_EQ(actual[file.first], file.second) << file.first;
  }
  for (const auto& file : actual) EXPECT_TRUE(expected.count(file.first)) << "extra " << file.first;
}

}  // namespace
}  // namespace e2e
}  // namespace quillon
