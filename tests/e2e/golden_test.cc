// The complete reference run: its console transcript and every file it
// leaves behind, byte for byte; and the same run ended at each opening
// screen, before it touches the folder.

#include <gtest/gtest.h>

#include <filesystem>

#include "support/test_run.h"
#include "workspace.h"

namespace quillon {
namespace e2e {
namespace {

// Beside the source tree, as on a developer's machine and in CI.
const std::string kGolden = SourcePath("testdata/golden/basic/");

// Sinks and probe listings hold dates and free space; the record of the
// program's own files and the changes pages are its own additions.
bool Compared(const std::string& path) {
  return path != "out_null.list" && path != "out_null.txt" && path != "check_01.txt" &&
         path != "check_02.txt" && path != ".quillon-files" &&
         path.compare(0, 15, "htm_out/changes") != 0;
}

// The transcript without the line that names the changes page.
std::string WithoutChangesLine(const std::string& transcript) {
  std::string kept;
  for (size_t at = 0; at < transcript.size();) {
    size_t end = transcript.find('\n', at);
    end = end == std::string::npos ? transcript.size() : end + 1;
    if (transcript.compare(at, 9, "Changes: ") != 0) kept.append(transcript, at, end - at);
    at = end;
  }
  return kept;
}

TEST(GoldenTest, BasicRunMatchesTranscriptAndFiles) {
  std::string keys = ReadFile(kGolden + "keys");
  if (keys.empty()) GTEST_SKIP() << "no reference run at " << kGolden;
  Workspace workspace;
  for (const char* name : {"a.txt", "b.txt"}) {
    workspace.write(std::string("compare_in/") + name,
                    ReadFile(kGolden + "input_compare_in/" + name));
  }
  Outcome outcome = RunQuillon(workspace, keys);
  EXPECT_EQ(outcome.status, 0);
  EXPECT_EQ(WithoutChangesLine(outcome.transcript), ReadFile(kGolden + "transcript"));
  EXPECT_NE(outcome.transcript.find("\r\nChanges: htm_out/changes.htm\r\n<...> any key"),
            std::string::npos);

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

// The reference transcript up to and including the menu of screen `screens`.
std::string UpToScreen(int screens) {
  std::string transcript = ReadFile(kGolden + "transcript");
  size_t at = 0;
  for (int i = 0; i < screens && at != std::string::npos; ++i) {
    at = transcript.find("<2>", at);
    if (at != std::string::npos) at = transcript.find("\r\n", at) + 2;
  }
  return at == std::string::npos ? "<no such screen>" : transcript.substr(0, at);
}

// Key 2 or the end of scripted input ends the run; other keys change nothing.
TEST(GoldenTest, OpeningScreensEndTheRunQuietly) {
  const std::pair<std::string, int> cases[] = {{"2", 1}, {"1", 2}, {"x\n31\xffH12", 3}};
  for (const auto& keys_and_screens : cases) {
    SCOPED_TRACE(keys_and_screens.first);
    Workspace workspace;
    std::filesystem::create_directory(workspace.root() + "/compare_in");
    Outcome outcome = RunQuillon(workspace, keys_and_screens.first);
    EXPECT_EQ(outcome.status, 0);
    EXPECT_EQ(outcome.transcript, UpToScreen(keys_and_screens.second));
    EXPECT_FALSE(workspace.Exists("txt_wrk"));
  }
}

}  // namespace
}  // namespace e2e
}  // namespace quillon
