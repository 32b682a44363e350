// vigil-results: the results database for the office and the station, and the replication
// server's copy of it (--pg).
#include <iostream>
#include <string>
#include <vector>

#include "replication/ServerResults.h"

int main(int argc, char** argv) {
  std::vector<std::string> arguments(argv + 1, argv + argc);
  return vigil::replication::RunResultsProgram(arguments, std::cout, std::cerr);
}
