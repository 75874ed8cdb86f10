#include "RunCompare.h"

#include "TempFolder.h"

#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

namespace tombreli::test {

namespace {

std::string slurp(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

} // namespace

Outcome runCompare(const std::vector<std::string>& args, const std::string& workingFolder)
{
    const TempFolder capture;
    const std::string outPath = capture.path("out");
    const std::string errPath = capture.path("err");
    // The program built beside the tests, unless the environment names a copy of it.
    const char* const named = std::getenv("TOMBRELI_COMPARE");
    const char* const program = named != nullptr && *named != '\0' ? named : TOMBRELI_COMPARE;
    const pid_t child = fork();
    if (child == 0) {
        std::vector<char*> argv{const_cast<char*>(program)};
        for (const std::string& arg : args) {
            argv.push_back(const_cast<char*>(arg.c_str()));
        }
        argv.push_back(nullptr);
        const int out = open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        const int err = open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (out < 0 || err < 0 || dup2(out, 1) < 0 || dup2(err, 2) < 0 || chdir(workingFolder.c_str()) != 0) {
            _exit(127);
        }
        execv(program, argv.data());
        _exit(127);
    }
    Outcome outcome;
    int status = 0;
    waitpid(child, &status, 0);
    outcome.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    outcome.out = slurp(outPath);
    outcome.err = slurp(errPath);
    return outcome;
}

} // namespace tombreli::test
