// tombreli-compare: the folder comparison of the window, for scripts and for
// measuring. Lists two folders as the window's lists do and prints the names
// only in the first, in both, and only in the second.

#include "CompareFileNames.h"
#include "CurrentFolders.h"
#include "DisplayName.h"
#include "FolderList.h"
#include "Host.h"
#include "InParallel.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

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
    "FOLDER2 (\"> \"), in that order, one name a line, as the window shows it:\n"
    "a line break, a backslash, a byte that is not UTF-8 or a character that\n"
    "draws nothing is written as an escape (\\n, \\\\, \\xHH, \\uHHHH), so that\n"
    "every line is one name. With -z the names are written as raw bytes.\n"
    "\n"
    "  --only1        print the names only in FOLDER1\n"
    "  --both         print the names in both folders\n"
    "  --only2        print the names only in FOLDER2\n"
    "                 (with one of these the names are printed without marks;\n"
    "                  they may be combined)\n"
    "  -z             write each name as its bytes, ended with NUL\n"
    "  -h, --help     print this help and exit\n"
    "  -V, --version  print the version and exit\n"
    "\n"
    "Exit status: 0 when both folders hold the same names, 1 when they differ,\n"
    "2 on trouble (a folder that does not exist or cannot be read).\n";

// As GNU programs give it: the name and version, then the copyright and the licence.
constexpr std::string_view Version = "tombreli-compare " TOMBRELI_VERSION "\n"
                                     "Copyright (C) " TOMBRELI_COPYRIGHT "\n"
                                     "License GPL-3.0-or-later: GNU GPL version 3 or later "
                                     "<https://gnu.org/licenses/gpl.html>.\n"
                                     "This is free software: you are free to change and redistribute it.\n"
                                     "There is NO WARRANTY, to the extent permitted by law.\n";

struct Options
{
    bool only1 = false;
    bool both = false;
    bool only2 = false;
    char end = '\n';
    std::string folders[2];
};

void say(std::string_view text)
{
    std::fwrite(text.data(), 1, text.size(), stderr);
}

// Returns -1 when the options are good, else the exit status.
int parse(const std::vector<std::string>& args, Options& options)
{
    int folders = 0;
    bool endOfOptions = false;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        if (!endOfOptions && (arg == "--help" || arg == "-h")) {
            std::fwrite(Usage.data(), 1, Usage.size(), stdout);
            std::fwrite(Help.data(), 1, Help.size(), stdout);
            return Same;
        }
        if (!endOfOptions && (arg == "--version" || arg == "-V")) {
            std::fwrite(Version.data(), 1, Version.size(), stdout);
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
        } else if (arg.empty()) {
            // Taken as a path it would be the working folder, which it does not name.
            say("tombreli-compare: an empty argument names no folder\n");
            return Trouble;
        } else if (folders < 2) {
            options.folders[folders++] = args[i];
        } else {
            say("tombreli-compare: too many folders\n");
            say(Usage);
            return Trouble;
        }
    }
    if (folders != 2) {
        say(folders == 0 ? "tombreli-compare: FOLDER1 and FOLDER2 are missing\n"
                         : "tombreli-compare: FOLDER2 is missing\n");
        say(Usage);
        return Trouble;
    }
    if (!options.only1 && !options.both && !options.only2) {
        options.only1 = options.both = options.only2 = true;
    }
    return -1;
}

// One folder listed as the window lists it, or what went wrong.
struct Listing
{
    explicit Listing(const std::string& workingFolder)
        : folders(hostPathSyntax(), hostFileServices(), workingFolder)
    {
    }

    void open(const std::string& folder)
    {
        // The argument names the folder itself, so a failure must not fall back to another one.
        if (const std::error_code error = folders.enter(folder)) {
            problem = DisplayName(folder) + ": " + error.message();
            return;
        }
        list.emplace(folders, hostFileServices(), hostNameOrder());
        if (const std::error_code error = list->Open()) {
            problem = DisplayName(folder) + ": cannot read the folder: " + error.message();
        }
    }

    CurrentFolders folders;
    std::optional<FolderList> list;
    std::string problem;
};

// Writes the names of one group, the entries of `names` whose flag is
// `wanted`, a name at a time through the output buffer. A raw name on a line
// of its own could hold a line break and pass for two names, one of them in
// another group; so lines carry the names as the window shows them.
bool write(const NameList& names, const std::vector<std::uint8_t>& flags, std::uint8_t wanted,
           std::string_view mark, char end)
{
    // Lines are gathered into large writes: a call or three a name would cost more than the name.
    constexpr std::size_t Batch = 1 << 16;
    std::string lines;
    lines.reserve(Batch + 1024);
    const auto flush = [&] {
        const bool written = std::fwrite(lines.data(), 1, lines.size(), stdout) == lines.size();
        lines.clear();
        return written;
    };
    constexpr std::size_t Ahead = 16;
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (i % Ahead == 0) {
            PrefetchNames(names, i + Ahead, i + 2 * Ahead);
        }
        if (flags[i] != wanted) {
            continue;
        }
        lines += mark;
        if (end == '\0') {
            lines += names[i];
        } else {
            AppendDisplayName(lines, names[i]);
        }
        lines += end;
        if (lines.size() >= Batch && !flush()) {
            return false;
        }
    }
    return flush();
}

int run(int argc, char** argv)
{
    Options options;
    if (const int status = parse(programArguments(argc, argv), options); status >= 0) {
        return status;
    }
    // Each argument is taken from the working folder, not from the other one;
    // the two folders are read at the same time.
    const std::string workingFolder = hostFileServices().workingFolder();
    // Left for the system to reclaim when the process ends: freeing two
    // million names one by one takes longer than comparing them. Reachable
    // from here, so that leak checkers do not take them for lost.
    static auto* const lasting = new std::array<Listing, 2>{Listing(workingFolder), Listing(workingFolder)};
    std::array<Listing, 2>& listings = *lasting;
    InParallel(
        true, [&] { listings[0].open(options.folders[0]); }, [&] { listings[1].open(options.folders[1]); });
    for (const Listing& listing : listings) {
        if (!listing.problem.empty()) {
            say("tombreli-compare: " + listing.problem + "\n");
            return Trouble;
        }
    }

    // The groups are read from the lists by position: copies of a million
    // names would cost their memory and their time.
    const NameList& list1 = listings[0].list->Items();
    const NameList& list2 = listings[1].list->Items();
    const NameMatches matches = MatchFileNames(list1, list2);
    const bool marked = int(options.only1) + int(options.both) + int(options.only2) > 1;
    static char buffer[1 << 20];
    std::setvbuf(stdout, buffer, _IOFBF, sizeof buffer);
    const bool written =
        (!options.only1 || write(list1, matches.inList2, 0, marked ? "< " : "", options.end)) &&
        (!options.both || write(list1, matches.inList2, 1, marked ? "= " : "", options.end)) &&
        (!options.only2 || write(list2, matches.inList1, 0, marked ? "> " : "", options.end)) &&
        std::fflush(stdout) == 0;
    if (!written) {
        say("tombreli-compare: cannot write the result: ");
        say(std::strerror(errno));
        say("\n");
        return Trouble;
    }
    const auto allMatched = [](const std::vector<std::uint8_t>& flags) {
        return std::find(flags.begin(), flags.end(), 0) == flags.end();
    };
    return allMatched(matches.inList2) && allMatched(matches.inList1) ? Same : Differ;
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
