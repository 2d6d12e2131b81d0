#include <iostream>

#include "convert.h"

int main(int argc, char** argv) {
  return kvt::runConvert(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr);
}
