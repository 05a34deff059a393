#include "base/console.h"

#include <gtest/gtest.h>

#include "support/fake_console.h"

namespace quillon {
namespace {

// How answers are echoed is in every transcript of the end-to-end tests and
// the golden run; a bare CR inside an answer and the end of input are not.
TEST(ConsoleTest, AskLineKeepsABareCrAndReadsNothingAfterTheEnd) {
  FakeConsole device("x\ry\nlast");
  Console console(&device);
  EXPECT_EQ(console.ask_line(""), "x\ry");
  EXPECT_EQ(console.ask_line("end"), "last");
  EXPECT_EQ(console.ask_line("more"), "");
}

TEST(ConsoleTest, LongOutputReachesTheDeviceWithoutAFlush) {
  FakeConsole device;
  Console console(&device);
  console.print_text(std::string(10000, 'x'));
  EXPECT_EQ(device.transcript().size(), 10000u);
}

// Lines at a terminal go out when complete; the progress line waits half a
// second after the last line, is drawn at most ten times a second, and is
// erased before the next line. Nothing of it reaches a file, a terminal
// without cursor control, or a quiet run.
TEST(ConsoleTest, ProgressLineOnlyAtATerminalWithCursorControl) {
  using std::chrono::milliseconds;
  const char kBar[] = "[#####               ] 25% work\x1b[K\r";
  const struct {
    Output output;
    bool quiet;
    std::string after_line, after_progress, at_end;
  } cases[] = {
      {Output::kSmartTerminal, false, "a\r\n", std::string("a\r\n") + kBar,
       std::string("a\r\n") + kBar + "[##########          ] 50% work\x1b[K\r\x1b[Kb\r\n"},
      {Output::kSmartTerminal, true, "a\r\n", "a\r\n", "a\r\nb\r\n"},
      {Output::kPlainTerminal, false, "a\r\n", "a\r\n", "a\r\nb\r\n"},
      {Output::kFile, false, "", "a\r\n", "a\r\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.output) * 2 + c.quiet);
    FakeConsole device;
    device.set_output(c.output);
    Console console(&device);
    console.show_progress(!c.quiet);
    console.print_line("a");
    EXPECT_EQ(device.transcript(), c.after_line);
    console.progress(1, 4, "work");
    device.advance(milliseconds(600));
    console.progress(1, 4, "work");
    EXPECT_EQ(device.transcript(), c.after_progress);
    device.advance(milliseconds(50));
    console.progress(2, 4, "work");
    EXPECT_EQ(device.transcript(), c.after_progress);
    device.advance(milliseconds(50));
    console.progress(2, 4, "work");
    console.print_line("b");
    EXPECT_EQ(device.transcript(), c.at_end);
  }
}

}  // namespace
}  // namespace quillon
