#include "SortByKeys.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

namespace tombreli {
namespace {

// Keys taken from the name itself: the bytes up to a "|" are the key (any
// byte, zero included), and a name starting with "!" is of family 1.
class TestKeys final : public NameKeyMaker
{
public:
    explicit TestKeys(long failAfter = -1)
        : m_left(failAfter)
    {
    }

    unsigned makeKey(std::string_view name, std::vector<std::uint8_t>& key) override
    {
        if (m_left-- == 0) {
            throw std::runtime_error("no key");
        }
        const std::string_view keyPart = name.substr(0, name.find('|'));
        key.assign(keyPart.begin(), keyPart.end());
        return name.starts_with('!') ? 1 : 0;
    }

private:
    long m_left;
};

// The order SortByKeys promises, written plainly: by key, bytes unsigned, a
// key before a longer one it begins; equal keys by the names' bytes.
std::vector<std::uint32_t> plainOrder(const NameList& names, unsigned family)
{
    std::vector<std::uint32_t> order;
    std::vector<std::vector<std::uint8_t>> keys(names.size());
    TestKeys maker;
    for (std::uint32_t i = 0; i < names.size(); ++i) {
        if (maker.makeKey(names[i], keys[i]) == family) {
            order.push_back(i);
        }
    }
    std::stable_sort(order.begin(), order.end(), [&](std::uint32_t a, std::uint32_t b) {
        return keys[a] != keys[b] ? keys[a] < keys[b] : names[a] < names[b];
    });
    return order;
}

NameList generated(std::size_t count, std::uint32_t seed)
{
    // Few distinct bytes, so that keys share long prefixes, equal each other
    // and run past the bytes kept inline.
    static const std::string bytes("\0\1a\x7F\x80\xFF", 6);
    std::mt19937 random(seed);
    NameList names;
    for (std::size_t i = 0; i < count; ++i) {
        std::string name = random() % 4 == 0 ? "!" : "";
        for (std::size_t n = random() % 12; n > 0; --n) {
            name += bytes[random() % bytes.size()];
        }
        name += "|" + std::to_string(random() % 3);
        names.push_back(name);
    }
    return names;
}

TEST(SortByKeys, OrdersEachFamilyByKeyThenByNameOnOneThreadOrTwo)
{
    for (const std::size_t count : {0u, 1u, 2u, 300u, 5000u}) {
        SCOPED_TRACE(count);
        const NameList names = generated(count, static_cast<std::uint32_t>(count));
        const auto runs = SortByKeys(names, {nullptr, nullptr}, [] { return std::make_unique<TestKeys>(); });
        ASSERT_EQ(runs.size(), 2u);
        // Equal names may come in either order: compare the names.
        const auto named = [&](const std::vector<std::uint32_t>& order) {
            std::vector<std::string_view> inOrder;
            for (const std::uint32_t i : order) {
                inOrder.push_back(names[i]);
            }
            return inOrder;
        };
        EXPECT_EQ(named(runs[0]), named(plainOrder(names, 0)));
        EXPECT_EQ(named(runs[1]), named(plainOrder(names, 1)));
    }
}

TEST(SortByKeys, HandsOnWhatAMakerRaisesOnEitherThread)
{
    const NameList names = generated(5000, 1);
    for (const long failAfter : {0L, 100L, 2499L}) {
        EXPECT_THROW((void)SortByKeys(names, {nullptr, nullptr},
                                      [=] { return std::make_unique<TestKeys>(failAfter); }),
                     std::runtime_error);
    }
    EXPECT_THROW((void)SortByKeys(names, {nullptr}, [] { return std::make_unique<TestKeys>(); }),
                 std::logic_error)
        << "a key of a family the sort was not given";
}

// A ranked family's keys are read from the names: the same order as the
// keys written out, on names long enough to go past the bytes kept inline.
TEST(SortByKeys, OrdersARankedFamilyAsItsKeysWrittenOut)
{
    KeyRanks ranks{};
    for (std::size_t byte = 0; byte < ranks.size(); ++byte) {
        ranks[byte] =
            static_cast<std::uint8_t>(byte % 5 == 0 ? 0 : 200 - byte % 7); // some left out, many alike
    }
    class WrittenOut final : public NameKeyMaker
    {
    public:
        explicit WrittenOut(const KeyRanks* ranks)
            : m_ranks(ranks)
        {
        }
        unsigned makeKey(std::string_view name, std::vector<std::uint8_t>& key) override
        {
            key.clear();
            for (const char c : name) {
                if (const std::uint8_t rank = (*m_ranks)[static_cast<unsigned char>(c)];
                    rank != 0 && m_ranks) {
                    key.push_back(rank);
                }
            }
            return 0;
        }

    private:
        const KeyRanks* m_ranks;
    };
    for (const std::size_t count : {300u, 5000u}) {
        SCOPED_TRACE(count);
        const NameList names = generated(count, 7);
        const auto ranked = SortByKeys(names, {&ranks}, [&] { return std::make_unique<WrittenOut>(&ranks); });
        const auto written =
            SortByKeys(names, {nullptr}, [&] { return std::make_unique<WrittenOut>(&ranks); });
        std::vector<std::string_view> inRankedOrder;
        std::vector<std::string_view> inWrittenOrder;
        for (std::size_t k = 0; k < names.size(); ++k) {
            inRankedOrder.push_back(names[ranked[0][k]]);
            inWrittenOrder.push_back(names[written[0][k]]);
        }
        EXPECT_EQ(inRankedOrder, inWrittenOrder);
    }
}

} // namespace
} // namespace tombreli
