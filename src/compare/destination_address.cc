#include "compare/destination_address.h"

#include "base/field_reader.h"
#include "run/console_waits.h"
#include "run/product.h"

namespace quillon {

std::string ask_destination_address(Console& console) {
  console.print_line();
  console.print_line(kSeparator);
  console.print_line();
  console.print_line("The program enables targeted search.");
  console.print_line("Google search phrases will be targeted to a specific web address.");
  console.print_line(
      "If the destination web address is not specified, Google search will run all over the "
      "web.");
  console.print_line();
  std::string answer = console.ask_line(std::string("web address for destination search "
                                                    "(example: ") +
                                        kExampleHost + ") =");
  StringSource source(answer);
  std::string address = read_token_from(source);
  console.print_line();
  return address;
}

}  // namespace quillon
