#include "Host.h"
#include "WindowsTempFolder.h"
#include "Wtf8.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>
#include <windows.h>

namespace tombreli {
namespace {

using test::WindowsTempFolder;

struct Outcome
{
    DWORD status = ~DWORD{0};
    std::string out;
    std::string err;
};

// One argument as the C runtime and CommandLineToArgvW split it back:
// quoted when it must be, backslashes doubled only before a quote.
std::wstring quoted(const std::wstring& arg)
{
    if (!arg.empty() && arg.find_first_of(L" \t\"") == std::wstring::npos) {
        return arg;
    }
    std::wstring out = L"\"";
    std::size_t backslashes = 0;
    for (const wchar_t c : arg) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        out.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
        backslashes = 0;
        out += c;
    }
    out.append(backslashes * 2, L'\\');
    return out + L"\"";
}

std::string slurp(const std::string& path)
{
    std::ifstream in(std::filesystem::path(test::wide(path)), std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

HANDLE inheritable(const std::string& path, DWORD access, DWORD disposition)
{
    SECURITY_ATTRIBUTES security{sizeof security, nullptr, TRUE};
    return CreateFileW(test::wide(path).c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, &security,
                       disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
}

// Runs tombreli-compare.exe, which the build puts beside this program, with
// UTF-8 arguments made wide, from `workingFolder`.
Outcome runCompare(const std::vector<std::string>& args, const std::string& workingFolder)
{
    const std::string program = hostFileServices().programPath();
    const std::string compare = program.substr(0, program.rfind('\\') + 1) + "tombreli-compare.exe";
    std::wstring commandLine = quoted(test::wide(compare));
    for (const std::string& arg : args) {
        commandLine += L" " + quoted(test::wide(arg));
    }
    const WindowsTempFolder capture;
    const std::string outPath = capture.path("out");
    const std::string errPath = capture.path("err");
    const HANDLE in = inheritable("NUL", GENERIC_READ, OPEN_EXISTING);
    const HANDLE out = inheritable(outPath, GENERIC_WRITE, CREATE_ALWAYS);
    const HANDLE err = inheritable(errPath, GENERIC_WRITE, CREATE_ALWAYS);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = in;
    startup.hStdOutput = out;
    startup.hStdError = err;
    PROCESS_INFORMATION process{};
    Outcome outcome;
    const BOOL started =
        CreateProcessW(test::wide(compare).c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr,
                       test::wide(workingFolder).c_str(), &startup, &process);
    for (const HANDLE h : {in, out, err}) {
        CloseHandle(h);
    }
    if (!started) {
        ADD_FAILURE() << "cannot start " << compare << " (" << GetLastError() << ")";
        return outcome;
    }
    WaitForSingleObject(process.hProcess, INFINITE);
    GetExitCodeProcess(process.hProcess, &outcome.status);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    outcome.out = slurp(outPath);
    outcome.err = slurp(errPath);
    return outcome;
}

#define ONE "\xED\x95\x98\xEB\x82\x98"   // 하나
#define TWO "\xEB\x91\x98"               // 둘
#define KOREA "\xED\x95\x9C\xEA\xB5\xAD" // 한국
#define GRIN "\xF0\x9F\x98\x80"          // 😀
#define CAFE_ACCENT "caf\xC3\xA9"        // café

// Folders named outside the ANSI code page: through the narrow argv they
// would reach the program as "??" and be missing.
class WindowsCompareTool : public testing::Test
{
protected:
    WindowsCompareTool()
    {
        root.createDir(ONE);
        root.createDir(TWO);
        for (const char* name : {"a-" KOREA ".txt", "b-" CAFE_ACCENT ".txt", "same", "Case"}) {
            root.createFile(std::string(ONE "\\") + name);
        }
        for (const char* name : {"same", "case", "d-" GRIN ".txt", "b-cafe.txt"}) {
            root.createFile(std::string(TWO "\\") + name);
        }
        root.createDir(ONE "\\sub");
        root.createFile(TWO "\\hidden.txt", FILE_ATTRIBUTE_HIDDEN);
    }

    Outcome run(const std::vector<std::string>& args) const { return runCompare(args, root.path()); }

    WindowsTempFolder root;
};

TEST_F(WindowsCompareTool, PrintsTheThreeGroupsAsUtf8Lines)
{
    const Outcome outcome = run({ONE, TWO});
    // The C runtime's text mode ends each line as Windows does.
    EXPECT_EQ(outcome.out, "< a-" KOREA ".txt\r\n< b-" CAFE_ACCENT ".txt\r\n< Case\r\n= same\r\n"
                           "> b-cafe.txt\r\n> case\r\n> d-" GRIN ".txt\r\n");
    EXPECT_EQ(outcome.err, "");
    EXPECT_EQ(outcome.status, 1u);
}

TEST_F(WindowsCompareTool, TakesFoldersInEveryForm)
{
    root.createDir("copy " ONE);
    for (const char* name : {"a-" KOREA ".txt", "b-" CAFE_ACCENT ".txt", "same", "Case"}) {
        root.createFile(std::string("copy " ONE "\\") + name);
    }
    const std::string both = std::string("a-" KOREA ".txt") + '\0' + "b-" CAFE_ACCENT ".txt" + '\0' + "Case" +
                             '\0' + "same" + '\0';
    const std::vector<std::string> forms[] = {
        {"-z", "--both", ONE, "copy " ONE},
        {"-z", "--both", root.path(ONE), root.path("copy " ONE "\\")},
        {"-z", "--both", root.pathOnDrive(ONE), ".\\copy " ONE "\\..\\" ONE},
        {"-z", "--both", root.path(ONE).substr(0, 2) + ONE, "copy " ONE},
    };
    for (const std::vector<std::string>& args : forms) {
        const Outcome outcome = run(args);
        EXPECT_EQ(outcome.status, 0u) << args[2] << " " << args[3] << ": " << outcome.err;
        EXPECT_EQ(outcome.out, both) << args[2] << " " << args[3];
    }
}

TEST_F(WindowsCompareTool, ListsTheRootOfAnotherDrive)
{
    test::secondDrive();
    const Outcome outcome = run({"--only2", ONE, "D:"});
    EXPECT_EQ(outcome.out, "tombreli-second-drive\r\n");
    EXPECT_EQ(outcome.status, 1u) << outcome.err;
}

TEST_F(WindowsCompareTool, ReportsTroubleInUtf8)
{
    root.createFile("plain");
    const struct
    {
        std::vector<std::string> args;
        std::string message;
    } cases[] = {
        {{"\xEC\x97\x86\xEC\x9D\x8C", TWO},
         "tombreli-compare: \xEC\x97\x86\xEC\x9D\x8C: No such file or directory\r\n"},
        {{ONE, "plain"}, "tombreli-compare: plain: Not a directory\r\n"},
        {{ONE}, "usage: tombreli-compare"},
        {{"--frobnicate", ONE, TWO}, "unknown option --frobnicate"},
    };
    for (const auto& c : cases) {
        const Outcome outcome = run(c.args);
        EXPECT_EQ(outcome.status, 2u) << c.message;
        EXPECT_NE(outcome.err.find(c.message), std::string::npos) << outcome.err;
        EXPECT_EQ(outcome.out, "");
    }
}

} // namespace
} // namespace tombreli
