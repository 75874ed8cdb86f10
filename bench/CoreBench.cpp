// Benchmarks of the core: the comparison (and its index beside two
// libraries' hash tables), the name order and the reading of a folder. The folders are those that
// bench/make_folders.py makes; give their parent in TOMBRELI_BENCH_FOLDERS (bench/run.sh does).

#include "CompareFileNames.h"
#include "CurrentFolders.h"
#include "FolderList.h"
#include "Host.h"
#include "IcuNameOrder.h"
#include "NameIndex.h"

#include <benchmark/benchmark.h>

#include <absl/container/flat_hash_map.h>
#include <algorithm>
#include <boost/unordered/unordered_flat_map.hpp>
#include <cstdlib>
#include <filesystem>
#include <numeric>
#include <random>
#include <string_view>
#include <vector>

namespace {

using namespace tombreli;

// Names like a user's: mixed case, digits, 5 to 40 bytes. `japaneseShare`
// of them in Japanese, the others Latin stems of 1 to `latinLength` characters.
NameList realisticNames(std::size_t count, std::uint32_t seed, unsigned japanesePercent = 10,
                        std::size_t latinLength = 25)
{
    static const char* const japanese[] = {"写真", "旅行", "資料",   "報告書",       "議事録",
                                           "東京", "大阪", "データ", "バックアップ", "ファイル"};
    static const char latin[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789_-";
    static const char* const extensions[] = {".jpg", ".JPG", ".txt", ".pdf", ".CR2"};
    std::mt19937 random(seed);
    NameList names;
    names.reserve(count, count * 24);
    while (names.size() < count) {
        std::string name;
        if (random() % 100 < japanesePercent) {
            for (std::size_t n = 1 + random() % 3; n > 0; --n) {
                name += japanese[random() % std::size(japanese)];
            }
        } else {
            for (std::size_t n = 1 + random() % latinLength; n > 0; --n) {
                name += latin[random() % (sizeof latin - 1)];
            }
        }
        name += std::to_string(random() % 100000);
        name += extensions[random() % std::size(extensions)];
        if (name.size() >= 5 && name.size() <= 40) {
            names.push_back(name);
        }
    }
    return names;
}

NameList shuffled(const NameList& names, std::mt19937& random)
{
    std::vector<std::uint32_t> order(names.size());
    std::iota(order.begin(), order.end(), 0u);
    std::shuffle(order.begin(), order.end(), random);
    NameList out;
    out.reserve(names.size(), names.byteCount());
    for (const std::uint32_t i : order) {
        out.push_back(names[i]);
    }
    return out;
}

// Two lists of `n` names each, half of them shared, each in its own order.
std::pair<NameList, NameList> halfShared(std::size_t n)
{
    const NameList shared = realisticNames(n / 2, 1);
    NameList list1 = shared;
    NameList list2 = shared;
    const NameList only1 = realisticNames(n - n / 2, 2);
    const NameList only2 = realisticNames(n - n / 2, 3);
    for (std::size_t i = 0; i < only1.size(); ++i) {
        list1.push_back(std::string(only1[i]) + "~1");
        list2.push_back(std::string(only2[i]) + "~2");
    }
    std::mt19937 random(4);
    return {shuffled(list1, random), shuffled(list2, random)};
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

// The judgement of MatchFileNames on one thread, by the core's own index.
NameMatches matchByNameIndex(const NameList& list1, const NameList& list2)
{
    const NameIndex index(list2);
    NameMatches matches;
    matches.inList2.assign(list1.size(), 0);
    std::vector<std::uint8_t> matched(index.keyCount(), 0);
    index.findEach(list1, 0, list1.size(), [&](std::size_t i, std::size_t key) {
        matches.inList2[i] = 1;
        matched[key] = 1;
    });
    matches.inList1.resize(list2.size());
    for (std::size_t j = 0; j < list2.size(); ++j) {
        matches.inList1[j] = matched[index.keyOf(j)];
    }
    return matches;
}

// The same by a library's Swiss table of views into the lists' buffers.
template <typename Map> NameMatches matchByMap(const NameList& list1, const NameList& list2)
{
    Map index;
    index.reserve(list2.size());
    std::vector<std::uint32_t> keyOf(list2.size());
    std::uint32_t keys = 0;
    for (std::size_t j = 0; j < list2.size(); ++j) {
        const auto [at, added] = index.try_emplace(list2[j], keys);
        keyOf[j] = at->second;
        keys += added ? 1 : 0;
    }
    NameMatches matches;
    matches.inList2.assign(list1.size(), 0);
    std::vector<std::uint8_t> matched(keys, 0);
    for (std::size_t i = 0; i < list1.size(); ++i) {
        const auto at = index.find(list1[i]);
        if (at != index.end()) {
            matches.inList2[i] = 1;
            matched[at->second] = 1;
        }
    }
    matches.inList1.resize(list2.size());
    for (std::size_t j = 0; j < list2.size(); ++j) {
        matches.inList1[j] = matched[keyOf[j]];
    }
    return matches;
}

template <NameMatches (*Match)(const NameList&, const NameList&)>
void matchOnOneThread(benchmark::State& state)
{
    const auto [list1, list2] = halfShared(static_cast<std::size_t>(state.range(0)));
    if (Match(list1, list2).inList2 != matchByNameIndex(list1, list2).inList2) {
        state.SkipWithError("the index judges otherwise");
        return;
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(Match(list1, list2));
    }
    state.SetItemsProcessed(state.iterations() * state.range(0) * 2);
}
BENCHMARK(matchOnOneThread<matchByNameIndex>)
    ->Name("matchByNameIndex")
    ->Arg(1000000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(matchOnOneThread<matchByMap<absl::flat_hash_map<std::string_view, std::uint32_t>>>)
    ->Name("matchByAbslFlatHashMap")
    ->Arg(1000000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(matchOnOneThread<matchByMap<boost::unordered_flat_map<std::string_view, std::uint32_t>>>)
    ->Name("matchByBoostUnorderedFlatMap")
    ->Arg(1000000)
    ->Unit(benchmark::kMillisecond);

// A million names in order: the shortcut for plain ASCII names, or full
// collation alone; in the usual mix and in one with more Japanese names.
template <bool Shortcut> void nameOrder(benchmark::State& state)
{
    const NameList names =
        state.range(0) == 0 ? realisticNames(1000000, 5) : realisticNames(1000000, 5, 50, 8);
    const IcuNameOrder order(IcuNameOrder::localeFromEnvironment());
    for (auto _ : state) {
        state.PauseTiming();
        NameList copy = names;
        state.ResumeTiming();
        Shortcut ? order.sort(copy) : order.sortByCollation(copy);
        benchmark::DoNotOptimize(copy.front());
    }
}
BENCHMARK(nameOrder<true>)
    ->Name("nameOrder/1000000")
    ->ArgName("japanese")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(nameOrder<false>)
    ->Name("nameOrderByCollationAlone/1000000")
    ->Unit(benchmark::kMillisecond)
    ->Arg(0)
    ->UseRealTime();

void readFolder(benchmark::State& state)
{
    const char* base = std::getenv("TOMBRELI_BENCH_FOLDERS");
    const std::string folder = std::string(base != nullptr ? base : "") + "/" +
                               std::to_string(state.range(0)) + (state.range(1) != 0 ? "-japanese" : "") +
                               "/a";
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
BENCHMARK(readFolder)
    ->ArgNames({"", "japanese"})
    ->Args({10000, 0})
    ->Args({100000, 0})
    ->Args({1000000, 0})
    ->Args({1000000, 1})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

} // namespace
