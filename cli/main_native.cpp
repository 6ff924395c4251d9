// presovol-calc on a system whose texts are UTF-8: the arguments and the output as they are.
#include "cli/calc_command.h"
#include "sizing/catalogue_file.h"

#include <iostream>

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv, argv + argc);
    return cli::RunCalc(args, {std::cin, std::cout, std::cerr, false}, sizing::CataloguePlaces());
}
