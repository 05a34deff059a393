#include "app/run_driver.h"

int main(int argc, char** argv) { return quillon::run_main(argc > 0 ? argv[0] : ""); }
