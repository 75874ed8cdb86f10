#pragma once

#include <string>
#include <vector>

namespace tombreli::test {

struct Outcome
{
    int status = -1; // the exit status; -1 when the program did not exit (a signal)
    std::string out;
    std::string err;
};

// Runs tombreli-compare with raw byte arguments from `workingFolder`; its
// output is kept outside the folders compared.
Outcome runCompare(const std::vector<std::string>& args, const std::string& workingFolder);

} // namespace tombreli::test
