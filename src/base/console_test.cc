#include "base/console.h"

#include <gtest/gtest.h>

#include "base/end_run.h"
#include "base/fake_console.h"

namespace quillon {
namespace {

TEST(ConsoleTest, ScriptedKeysArriveOneByteAtATime) {
  FakeConsole device("1\xFF\n");
  Console console(&device);
  EXPECT_EQ(console.wait_key(), "1");
  EXPECT_EQ(console.read_key(), "\xFF");
  EXPECT_EQ(console.wait_key(), "\n");
  EXPECT_THROW(console.read_key(), RunEnded);
  EXPECT_THROW(console.wait_key(), RunEnded);
  EXPECT_EQ(device.transcript(), "");
}

TEST(ConsoleTest, AskLineEchoesTheAnswerWithoutItsLineEnd) {
  FakeConsole device("red, green\r\n  12\nx\ry\n\nlast");
  Console console(&device);
  EXPECT_EQ(console.ask_line("colour "), "red, green");
  EXPECT_EQ(console.ask_line("size"), "  12");
  EXPECT_EQ(console.ask_line(""), "x\ry");
  EXPECT_EQ(console.ask_line("empty"), "");
  EXPECT_EQ(console.ask_line("end"), "last");
  EXPECT_EQ(console.ask_line("more"), "");
  console.flush();
  EXPECT_EQ(device.transcript(),
            "colour ? red, green\r\nsize?   12\r\n? x\ry\r\nempty? \r\nend? last\r\nmore? \r\n");
  EXPECT_THROW(console.wait_key(), RunEnded);
  EXPECT_EQ(device.transcript().substr(device.transcript().size() - 8), "more? \r\n");
}

TEST(ConsoleTest, NumbersUseTheConsolesPrintZones) {
  FakeConsole device;
  Console console(&device);
  console.print_text("ab");
  console.print_number(5, Ending::kZone);
  console.print_text("|\r\n");
  console.print_number(-12, Ending::kZone);
  console.print_number(0, Ending::kLine);
  console.flush();
  EXPECT_EQ(device.transcript(), "ab 5          |\r\n-12            0\r\n");
}

TEST(ConsoleTest, LongOutputReachesTheDeviceWithoutAFlush) {
  FakeConsole device;
  Console console(&device);
  console.print_text(std::string(10000, 'x'));
  EXPECT_EQ(device.transcript().size(), 10000u);
}

}  // namespace
}  // namespace quillon
