// Writes the stepping site's database into the folder given, for the browser tests.
#include <iostream>

#include "SteppingSite.h"

int main(int argc, char** argv) {
  std::string error;
  if (argc != 2 || !vigil::web::test::WriteSteppingSite(argv[1], error)) {
    std::cerr << "write_stepping_site FOLDER: " << error << "\n";
    return 1;
  }
  return 0;
}
