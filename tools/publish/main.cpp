#include <iostream>
#include <string>
#include <vector>

#include "publish/command_line.h"

int main(int argc, char** argv) {
  return dkl::publish::RunCommandLine(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr);
}
