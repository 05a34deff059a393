#include "base/console.h"

#include <gtest/gtest.h>

#include "support/fake_console.h"

namespace quillon {
namespace {

TEST(ConsoleTest, AskLineEchoesTheAnswerWithoutItsLineEnd) {
  FakeConsole device("red, green\r\nx\ry\n\nlast");
  Console console(&device);
  EXPECT_EQ(console.ask_line("colour "), "red, green");
  EXPECT_EQ(console.ask_line(""), "x\ry");
  EXPECT_EQ(console.ask_line("empty"), "");
  EXPECT_EQ(console.ask_line("end"), "last");
  EXPECT_EQ(console.ask_line("more"), "");
  console.flush();
  EXPECT_EQ(device.transcript(),
            "colour ? red, green\r\n? x\ry\r\nempty? \r\nend? last\r\nmore? \r\n");
}

TEST(ConsoleTest, LongOutputReachesTheDeviceWithoutAFlush) {
  FakeConsole device;
  Console console(&device);
  console.print_text(std::string(10000, 'x'));
  EXPECT_EQ(device.transcript().size(), 10000u);
}

}  // namespace
}  // namespace quillon
