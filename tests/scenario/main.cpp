// Runs one scenario file against the program: scenario_runner FILE.scn
#include <iostream>

#include "app/program.h"
#include "scenario_runner.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: scenario_runner FILE.scn\n";
        return 2;
    }
    const int result = extdict::scenario::runScenarioFile(argv[1], extdict::runProgram, std::cout);
    std::cout << (result == 0 ? "passed: " : "FAILED: ") << argv[1] << "\n";
    return result;
}
