// Fails one allocation at a time, the n-th of an operation for every n, both
// those made with `new` and those ICU makes through its own memory functions,
// and checks that the operation then either completes or raises its
// documented error with its data whole: never an abort, a leak or a list that
// mixes the names of two folders.

#include "CompareFileNames.h"
#include "CurrentFolders.h"
#include "FolderList.h"
#include "IcuNameOrder.h"
#include "PosixFileServices.h"
#include "PosixPathSyntax.h"
#include "TempFolder.h"

#include <gtest/gtest.h>
#include <unicode/uclean.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <new>
#include <optional>
#include <random>
#include <set>
#include <string>
#include <typeinfo>

namespace {

// While armed, allocations are counted and the one numbered `failAt` fails.
std::atomic<bool> armed{false};
std::atomic<long> allocations{0};
std::atomic<long> failAt{-1};
std::atomic<bool> injected{false};

bool failsNow()
{
    if (!armed.load(std::memory_order_relaxed)) {
        return false;
    }
    if (allocations.fetch_add(1, std::memory_order_relaxed) != failAt.load(std::memory_order_relaxed)) {
        return false;
    }
    injected = true;
    return true;
}

void* allocate(std::size_t size)
{
    if (failsNow()) {
        throw std::bad_alloc();
    }
    if (void* memory = std::malloc(size == 0 ? 1 : size)) {
        return memory;
    }
    throw std::bad_alloc();
}

void* allocateOrNull(std::size_t size) noexcept
{
    return failsNow() ? nullptr : std::malloc(size == 0 ? 1 : size);
}

void* icuAlloc(const void*, std::size_t size)
{
    return allocateOrNull(size);
}

void* icuRealloc(const void*, void* memory, std::size_t size)
{
    return failsNow() ? nullptr : std::realloc(memory, size);
}

void icuFree(const void*, void* memory)
{
    std::free(memory);
}

} // namespace

void* operator new(std::size_t size)
{
    return allocate(size);
}
void* operator new[](std::size_t size)
{
    return allocate(size);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept
{
    return allocateOrNull(size);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept
{
    return allocateOrNull(size);
}
void operator delete(void* memory) noexcept
{
    std::free(memory);
}
void operator delete[](void* memory) noexcept
{
    std::free(memory);
}
void operator delete(void* memory, std::size_t) noexcept
{
    std::free(memory);
}
void operator delete[](void* memory, std::size_t) noexcept
{
    std::free(memory);
}
void operator delete(void* memory, const std::nothrow_t&) noexcept
{
    std::free(memory);
}
void operator delete[](void* memory, const std::nothrow_t&) noexcept
{
    std::free(memory);
}

namespace tombreli {
namespace {

using test::TempFolder;

// How each run ended, by outcome, for the report of a test.
using Outcomes = std::map<std::string, long>;

void report(const char* what, const Outcomes& outcomes)
{
    std::string text = std::string(what) + ":";
    for (const auto& [outcome, count] : outcomes) {
        text += " " + outcome + " " + std::to_string(count) + ";";
    }
    testing::Test::RecordProperty(what, text);
    std::printf("%s\n", text.c_str());
}

// Runs `operation` with allocation n failing, for n = 0, 1, 2, ... until a
// run makes fewer allocations than n. Every n up to `dense`; past it, a step
// of a 40th of n keeps the sanitizer build's run short.
template <typename Operation> void failEachAllocation(long dense, Operation operation)
{
    for (long n = 0;; n += n < dense ? 1 : n / 40) {
        allocations = 0;
        failAt = n;
        injected = false;
        armed = true;
        operation(n);
        armed = false;
        if (!injected) {
            return;
        }
    }
}

// Names that take every path of the name order: plain ASCII (with "ch"),
// ASCII with characters that need full collation, Japanese, and bytes that
// are not text.
std::set<std::string> folderNames(std::size_t count, std::uint32_t seed)
{
    static const char* const japanese[] = {"写真", "旅行", "資料", "報告書", "データ"};
    static const char latin[] = "abchXYZ0129_-";
    std::mt19937 random(seed);
    std::set<std::string> names;
    while (names.size() < count) {
        std::string name;
        switch (random() % 8) {
        case 0:
            name = japanese[random() % std::size(japanese)];
            break;
        case 1:
            name = "\xFF";
            break;
        case 2:
            name = "a'b";
            break;
        default:
            break;
        }
        for (std::size_t n = 1 + random() % 12; n > 0; --n) {
            name += latin[random() % (sizeof latin - 1)];
        }
        names.insert(name + ".txt");
    }
    return names;
}

class FailingAllocations : public testing::Test
{
protected:
    static NameList sorted(const std::set<std::string>& names)
    {
        NameList list(names.begin(), names.end());
        IcuNameOrder(Locale).sort(list);
        return list;
    }

    // Czech collates "ch" as one letter, after "h": a failure that loses
    // the contraction puts names in a wrong order.
    static constexpr const char* Locale = "cs_CZ";
    TempFolder root;
    PosixPathSyntax syntax;
    PosixFileServices files;
};

TEST_F(FailingAllocations, AFolderReadCompletesOrRaisesListInsertErrorWithOneFoldersNames)
{
    const std::set<std::string> large = folderNames(2000, 1);
    const std::set<std::string> small = folderNames(40, 2);
    root.createDir("large");
    root.createDir("small");
    for (const std::string& name : large) {
        root.createFile("large/" + name);
    }
    for (const std::string& name : small) {
        root.createFile("small/" + name);
    }
    const std::map<std::string, NameList> expected = {{root.path("large"), sorted(large)},
                                                      {root.path("small"), sorted(small)}};

    // Every allocation of the read, with an order made beforehand; then the
    // order made in the run too, so that its ranking of the characters meets
    // a failure. That one makes most of the allocations and costs most of a
    // run, so its allocations are sampled past the first few hundred.
    const IcuNameOrder prepared(Locale);
    for (const bool orderInTheRun : {false, true}) {
        Outcomes outcomes;
        failEachAllocation(orderInTheRun ? 300 : 1000000, [&](long n) {
            std::string outcome;
            std::optional<CurrentFolders> folders;
            std::optional<IcuNameOrder> made;
            std::optional<FolderList> list;
            try {
                folders.emplace(syntax, files, root.path("small"));
                if (orderInTheRun) {
                    made.emplace(Locale);
                }
                list.emplace(*folders, files, made ? *made : prepared);
                list->Open();
                list->ShowFolderOfPath(root.path("large") + "/");
                outcome = "completed";
            } catch (const ListInsertError&) {
                outcome = "ListInsertError";
            } catch (const std::bad_alloc&) {
                outcome = "std::bad_alloc";
            } catch (const std::exception& error) {
                outcome = std::string("unexpected ") + typeid(error).name() + ": " + error.what();
            }
            armed = false;
            ++outcomes[outcome];
            ASSERT_TRUE(outcome == "completed" || outcome == "ListInsertError" || outcome == "std::bad_alloc")
                << "allocation " << n << ": " << outcome;
            if (!list) {
                return;
            }
            const auto shown = expected.find(list->Directory());
            ASSERT_NE(shown, expected.end()) << "allocation " << n << ": " << list->Directory();
            if (outcome == "ListInsertError") {
                // Whatever was kept is the shown folder's, in its order.
                const NameList& all = shown->second;
                std::size_t at = 0;
                for (const std::string_view name : list->Items()) {
                    while (at < all.size() && all[at] != name) {
                        ++at;
                    }
                    ASSERT_LT(at, all.size())
                        << "allocation " << n << ": " << name << " is not of " << list->Directory();
                }
            } else {
                EXPECT_EQ(list->Items(), shown->second) << "allocation " << n << ": " << outcome;
                EXPECT_EQ(list->Directory(), root.path(outcome == "completed" ? "large" : "small"));
                if (made) {
                    EXPECT_EQ(made->localeName(), Locale) << "allocation " << n << ": another order taken";
                }
            }
        });
        report(orderInTheRun ? "folder read, order made in the run" : "folder read", outcomes);
        EXPECT_GT(outcomes["completed"], 0);
    }
}

TEST_F(FailingAllocations, AComparisonOnTwoThreadsCompletesOrRaisesBadAlloc)
{
    std::set<std::string> names1 = folderNames(12000, 3);
    const std::set<std::string> names2 = folderNames(12000, 4);
    const NameList list1(names1.begin(), names1.end());
    const NameList list2(names2.begin(), names2.end());
    const ComparisonResult expected = CompareFileNames(list1, list2);
    ASSERT_FALSE(expected.InBoth.empty());

    Outcomes outcomes;
    failEachAllocation(1000000, [&](long n) {
        try {
            const ComparisonResult result = CompareFileNames(list1, list2);
            armed = false;
            ++outcomes["completed"];
            EXPECT_EQ(result.InBoth, expected.InBoth) << "allocation " << n;
            EXPECT_EQ(result.OnlyInFolder1, expected.OnlyInFolder1) << "allocation " << n;
            EXPECT_EQ(result.OnlyInFolder2, expected.OnlyInFolder2) << "allocation " << n;
        } catch (const std::bad_alloc&) {
            ++outcomes["std::bad_alloc"];
        }
    });
    report("comparison", outcomes);
    EXPECT_GT(outcomes["std::bad_alloc"], 0);
}

} // namespace
} // namespace tombreli

int main(int argc, char** argv)
{
    // Before ICU is first used, as ICU requires.
    UErrorCode status = U_ZERO_ERROR;
    u_setMemoryFunctions(nullptr, icuAlloc, icuRealloc, icuFree, &status);
    if (U_FAILURE(status)) {
        std::fprintf(stderr, "cannot take over ICU's memory functions: %s\n", u_errorName(status));
        return 1;
    }
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
