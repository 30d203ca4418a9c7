// orvik-inspect: the teacher's look into students' workbook files.

#include "Inspector.h"

#include <iostream>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    const std::vector<std::string> args(argv + 1, argv + argc);
    return orvik::inspect::RunInspector(args, std::cout, std::cerr);
}
