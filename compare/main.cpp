// tombreli-compare: the folder comparison of the window, for scripts and for
// measuring. Lists two folders as the window's lists do and prints the names
// only in the first, in both, and only in the second.

#include "CompareFileNames.h"
#include "CurrentFolders.h"
#include "FolderList.h"
#include "Host.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <exception>
#include <optional>
#include <string>
#include <string_view>

namespace {

using namespace tombreli;

constexpr int Same = 0;
constexpr int Differ = 1;
constexpr int Trouble = 2;

constexpr std::string_view Usage =
    "usage: tombreli-compare [--only1] [--both] [--only2] [-z] FOLDER1 FOLDER2\n";

constexpr std::string_view Help =
    "Compares the ordinary files of two folders by name, byte for byte.\n"
    "Only the top level of each folder counts; sub-folders and hidden files are\n"
    "not listed. Each folder is listed in the order of the user's locale,\n"
    "ignoring letter case, as the TOMBRELI window lists it.\n"
    "\n"
    "Prints the names only in FOLDER1 (marked \"< \"), in both (\"= \") and only in\n"
    "FOLDER2 (\"> \"), in that order, one name a line, as raw bytes.\n"
    "\n"
    "  --only1   print the names only in FOLDER1\n"
    "  --both    print the names in both folders\n"
    "  --only2   print the names only in FOLDER2\n"
    "            (with one of these the names are printed without marks;\n"
    "             they may be combined)\n"
    "  -z        end each name with NUL instead of a newline\n"
    "  --help    print this help\n"
    "\n"
    "Exit status: 0 when both folders hold the same names, 1 when they differ,\n"
    "2 on trouble (a folder that does not exist or cannot be read).\n";

struct Options
{
    bool only1 = false;
    bool both = false;
    bool only2 = false;
    char end = '\n';
    const char* folders[2] = {nullptr, nullptr};
};

void say(std::string_view text)
{
    std::fwrite(text.data(), 1, text.size(), stderr);
}

void complain(std::string_view folder, std::string_view problem)
{
    say("tombreli-compare: ");
    say(folder);
    say(": ");
    say(problem);
    say("\n");
}

// Returns -1 when the options are good, else the exit status.
int parse(int argc, char** argv, Options& options)
{
    int folders = 0;
    bool endOfOptions = false;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (!endOfOptions && arg == "--help") {
            std::fwrite(Usage.data(), 1, Usage.size(), stdout);
            std::fwrite(Help.data(), 1, Help.size(), stdout);
            return Same;
        }
        if (!endOfOptions && arg == "--") {
            endOfOptions = true;
        } else if (!endOfOptions && arg == "--only1") {
            options.only1 = true;
        } else if (!endOfOptions && arg == "--both") {
            options.both = true;
        } else if (!endOfOptions && arg == "--only2") {
            options.only2 = true;
        } else if (!endOfOptions && arg == "-z") {
            options.end = '\0';
        } else if (!endOfOptions && arg.size() > 1 && arg.starts_with('-')) {
            say("tombreli-compare: unknown option ");
            say(arg);
            say("\n");
            say(Usage);
            return Trouble;
        } else if (folders < 2) {
            options.folders[folders++] = argv[i];
        } else {
            say("tombreli-compare: too many folders\n");
            say(Usage);
            return Trouble;
        }
    }
    if (folders != 2) {
        say(Usage);
        return Trouble;
    }
    if (!options.only1 && !options.both && !options.only2) {
        options.only1 = options.both = options.only2 = true;
    }
    return -1;
}

// Lists one folder as the window does; false after saying what went wrong.
bool open(const char* folder, CurrentFolders& folders, std::optional<FolderList>& list)
{
    // The argument names the folder itself, so a failure must not fall back to another one.
    if (const std::error_code error = folders.enter(folder)) {
        complain(folder, error.message());
        return false;
    }
    list.emplace(folders, hostFileServices(), hostNameOrder());
    if (const std::error_code error = list->Open()) {
        complain(folder, "cannot read the folder: " + error.message());
        return false;
    }
    return true;
}

void append(std::string& out, const NameList& names, std::string_view mark, char end)
{
    for (const std::string& name : names) {
        out += mark;
        out += name;
        out += end;
    }
}

int run(int argc, char** argv)
{
    Options options;
    if (const int status = parse(argc, argv, options); status >= 0) {
        return status;
    }
    // Each argument is taken from the working folder, not from the other one.
    const std::string workingFolder = hostFileServices().workingFolder();
    CurrentFolders folders[2] = {{hostPathSyntax(), hostFileServices(), workingFolder},
                                 {hostPathSyntax(), hostFileServices(), workingFolder}};
    std::optional<FolderList> lists[2];
    for (int k = 0; k < 2; ++k) {
        if (!open(options.folders[k], folders[k], lists[k])) {
            return Trouble;
        }
    }

    const ComparisonResult result = CompareFileNames(lists[0]->Items(), lists[1]->Items());
    const bool marked = int(options.only1) + int(options.both) + int(options.only2) > 1;
    std::string out;
    if (options.only1) {
        append(out, result.OnlyInFolder1, marked ? "< " : "", options.end);
    }
    if (options.both) {
        append(out, result.InBoth, marked ? "= " : "", options.end);
    }
    if (options.only2) {
        append(out, result.OnlyInFolder2, marked ? "> " : "", options.end);
    }
    if (std::fwrite(out.data(), 1, out.size(), stdout) != out.size() || std::fflush(stdout) != 0) {
        say("tombreli-compare: cannot write the result: ");
        say(std::strerror(errno));
        say("\n");
        return Trouble;
    }
    return result.OnlyInFolder1.empty() && result.OnlyInFolder2.empty() ? Same : Differ;
}

} // namespace

int main(int argc, char** argv)
{
    try {
        return run(argc, argv);
    } catch (const std::exception& error) {
        say("tombreli-compare: ");
        say(error.what());
        say("\n");
        return Trouble;
    }
}
