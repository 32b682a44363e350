// vigil-results: the results database for the office and the station.
#include <iostream>
#include <string>
#include <vector>

#include "results/ResultsTool.h"

int main(int argc, char** argv) {
  std::vector<std::string> arguments(argv + 1, argv + argc);
  return vigil::results::RunResultsTool(arguments, std::cout, std::cerr);
}
