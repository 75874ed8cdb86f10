// Benchmarks of the core: the comparison, the name order and the reading of
// a folder. The folders are those that bench/make_folders.py makes; give their
// parent in TOMBRELI_BENCH_FOLDERS (bench/run.sh does).

#include "CompareFileNames.h"
#include "CurrentFolders.h"
#include "FolderList.h"
#include "Host.h"
#include "IcuNameOrder.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <random>

namespace {

using namespace tombreli;

// Names like a user's: mixed case, digits, about a tenth Japanese, 5 to 40 bytes.
NameList realisticNames(std::size_t count, std::uint32_t seed)
{
    static const char* const japanese[] = {"写真", "旅行", "資料",   "報告書",       "議事録",
                                           "東京", "大阪", "データ", "バックアップ", "ファイル"};
    static const char latin[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789_-";
    static const char* const extensions[] = {".jpg", ".JPG", ".txt", ".pdf", ".CR2"};
    std::mt19937 random(seed);
    NameList names;
    names.reserve(count);
    while (names.size() < count) {
        std::string name;
        if (random() % 10 == 0) {
            for (std::size_t n = 1 + random() % 3; n > 0; --n) {
                name += japanese[random() % std::size(japanese)];
            }
        } else {
            for (std::size_t n = 1 + random() % 25; n > 0; --n) {
                name += latin[random() % (sizeof latin - 1)];
            }
        }
        name += std::to_string(random() % 100000);
        name += extensions[random() % std::size(extensions)];
        if (name.size() >= 5 && name.size() <= 40) {
            names.push_back(std::move(name));
        }
    }
    return names;
}

// Two lists of `n` names each, half of them shared, each in its own order.
std::pair<NameList, NameList> halfShared(std::size_t n)
{
    NameList shared = realisticNames(n / 2, 1);
    NameList list1 = shared;
    NameList list2 = shared;
    const NameList only1 = realisticNames(n - n / 2, 2);
    const NameList only2 = realisticNames(n - n / 2, 3);
    for (std::size_t i = 0; i < only1.size(); ++i) {
        list1.push_back(only1[i] + "~1");
        list2.push_back(only2[i] + "~2");
    }
    std::mt19937 random(4);
    std::shuffle(list1.begin(), list1.end(), random);
    std::shuffle(list2.begin(), list2.end(), random);
    return {list1, list2};
}

void compareFileNames(benchmark::State& state)
{
    const auto [list1, list2] = halfShared(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        benchmark::DoNotOptimize(CompareFileNames(list1, list2));
    }
    state.SetItemsProcessed(state.iterations() * state.range(0) * 2);
}
BENCHMARK(compareFileNames)
    ->Arg(1000)
    ->Arg(100000)
    ->Arg(1000000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

template <bool Shortcut> void nameOrder(benchmark::State& state)
{
    const NameList names = realisticNames(1000000, 5);
    const IcuNameOrder order(IcuNameOrder::localeFromEnvironment());
    for (auto _ : state) {
        state.PauseTiming();
        NameList copy = names;
        state.ResumeTiming();
        Shortcut ? order.sort(copy) : order.sortByCollation(copy);
        benchmark::DoNotOptimize(copy.data());
    }
}
BENCHMARK(nameOrder<true>)->Name("nameOrder/1000000")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(nameOrder<false>)
    ->Name("nameOrderByCollationAlone/1000000")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

void readFolder(benchmark::State& state)
{
    const char* base = std::getenv("TOMBRELI_BENCH_FOLDERS");
    const std::string folder =
        std::string(base != nullptr ? base : "") + "/" + std::to_string(state.range(0)) + "/a";
    if (base == nullptr || !std::filesystem::is_directory(folder)) {
        state.SkipWithError("no folder: set TOMBRELI_BENCH_FOLDERS (bench/run.sh does)");
        return;
    }
    CurrentFolders folders(hostPathSyntax(), hostFileServices(), folder);
    FolderList list(folders, hostFileServices(), hostNameOrder());
    list.Open();
    for (auto _ : state) {
        list.ReadFolder();
    }
    state.counters["names"] = static_cast<double>(list.Count());
}
BENCHMARK(readFolder)->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
