// Which skin a run shows and which drawing a board is made from, over a fake Skin folder.

#include "display/skin_choice.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "tests/display/wide_literal.h"

namespace {

// "name@scale", built by appending: GCC 12 at -O3 mistakes some + chains of strings for
// overlapping copies.
std::string Key(std::string name, int32_t scale) {
    name.append(1, '@');
    name.append(std::to_string(scale));
    return name;
}

// A Skin folder: listed names, those that load, and the larger drawings on hand and loading.
struct FakeFolder {
    std::vector<std::string> listed;
    std::set<std::string> loading;  // "name@scale"
    std::set<std::string> present;  // larger drawings with a file, "name@scale"
    std::vector<std::string> asked;

    static int32_t List(void* context, SkinName* names, int32_t capacity) {
        auto& self = *static_cast<FakeFolder*>(context);
        int32_t count = 0;
        for (const std::string& name : self.listed) {
            if (count == capacity) break;
            names[count].text[0] = 0;
            AppendAsciiText(names[count++].text, name.c_str());
        }
        return count;
    }
    static bool Load(void* context, const WideChar* name, int32_t scale) {
        auto& self = *static_cast<FakeFolder*>(context);
        const std::string key = Key(Narrow(name), scale);
        self.asked.push_back(key);
        return self.loading.count(key) != 0;
    }
    static bool Has(void* context, const WideChar* name, int32_t scale) {
        auto& self = *static_cast<FakeFolder*>(context);
        return self.present.count(Key(Narrow(name), scale)) != 0;
    }
    SkinSource Source() { return SkinSource{this, List, Load, Has}; }
};

SaverSettings Named(const char* name, int32_t randomSkin) {
    SaverSettings settings{};
    AppendAsciiText(settings.skinName, name);
    settings.randomSkin = randomSkin;
    return settings;
}

// The skin chosen with each of seeds 1..n, as a set of names ("" when none loads).
std::set<std::string> Chosen(FakeFolder& folder, const SaverSettings& settings, uint32_t runs) {
    std::set<std::string> names;
    for (uint32_t seed = 1; seed <= runs; ++seed) {
        SkinChoice choice{};
        uint32_t random = seed * 2654435761u;
        names.insert(ChooseSaverSkin(choice, folder.Source(), settings, random)
                         ? Narrow(choice.name)
                         : std::string());
    }
    return names;
}

TEST(SkinChoice, NamedOrRandomAmongThoseThatLoad) {
    struct Case {
        const char* name;
        std::vector<std::string> listed;
        std::vector<std::string> loading;
        SaverSettings settings;
        std::set<std::string> expected;
    };
    const Case cases[] = {
        {"the named skin every run",
         {"A.bmp", "B.bmp"},
         {"A.bmp", "B.bmp"},
         Named("B.bmp", 0),
         {"B.bmp"}},
        {"a named skin that does not load gives way",
         {"A.bmp", "Broken.bmp"},
         {"A.bmp"},
         Named("Broken.bmp", 0),
         {"A.bmp"}},
        {"an empty name gives way", {"A.bmp"}, {"A.bmp"}, Named("", 0), {"A.bmp"}},
        {"random reaches every skin",
         {"A.bmp", "B.bmp", "C.bmp"},
         {"A.bmp", "B.bmp", "C.bmp"},
         Named("A.bmp", 1),
         {"A.bmp", "B.bmp", "C.bmp"}},
        {"broken files never leave the run without a skin",
         {"A-broken.bmp", "C.bmp", "D-broken.bmp", "E.bmp"},
         {"C.bmp", "E.bmp"},
         Named("", 1),
         {"C.bmp", "E.bmp"}},
        {"none loads", {"A.bmp"}, {}, Named("A.bmp", 0), {""}},
        {"no skins at all", {}, {}, Named("A.bmp", 1), {""}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FakeFolder folder;
        folder.listed = c.listed;
        for (const std::string& name : c.loading)
            folder.loading.insert(name + "@1");
        EXPECT_EQ(Chosen(folder, c.settings, 60), c.expected);
    }
}

TEST(SkinChoice, ALoneSkinDrawsNoNumberAndOnlyTheFirstHundredTakePart) {
    FakeFolder lone;
    lone.listed = {"Lone.bmp"};
    lone.loading = {"Lone.bmp@1"};
    SkinChoice choice{};
    uint32_t random = 12345;
    ASSERT_TRUE(ChooseSaverSkin(choice, lone.Source(), Named("", 1), random));
    EXPECT_EQ(random, 12345u);

    FakeFolder many;
    for (int32_t i = 0; i < 150; ++i) {
        std::string name = std::to_string(1000 + i);
        name.insert(0, 1, 'S').append(".bmp");
        many.listed.push_back(name);
        if (i >= 99) many.loading.insert(Key(name, 1));  // only the 100th and later load
    }
    EXPECT_EQ(Chosen(many, Named("", 1), 20), (std::set<std::string>{"S1099.bmp"}));
}

TEST(SkinChoice, ABoardIsMadeFromTheSmallestDrawingLargeEnough) {
    struct Case {
        const char* name;
        std::set<std::string> present;
        std::set<std::string> loading;
        int32_t cellSize;
        int32_t scale;
    };
    const Case cases[] = {
        {"the classic board", {"Q@2", "Q@4"}, {"Q@2", "Q@4"}, 64, 1},
        {"a little larger", {"Q@2", "Q@4"}, {"Q@2", "Q@4"}, 90, 2},
        {"larger than twice", {"Q@2", "Q@4"}, {"Q@2", "Q@4"}, 180, 4},
        {"beyond every drawing", {"Q@2", "Q@4"}, {"Q@2", "Q@4"}, 400, 4},
        {"the nearer one fails", {"Q@2", "Q@4"}, {"Q@4"}, 90, 4},
        {"none on hand", {}, {}, 180, 1},
        {"every one fails", {"Q@2", "Q@4"}, {}, 180, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FakeFolder folder;
        folder.listed = {"Q"};
        folder.loading = c.loading;
        folder.loading.insert("Q@1");
        folder.present = c.present;
        SkinChoice choice{};
        uint32_t random = 1;
        ASSERT_TRUE(ChooseSaverSkin(choice, folder.Source(), Named("Q", 0), random));
        EXPECT_EQ(ChooseBoardDrawing(choice, folder.Source(), c.cellSize), c.scale);
        const size_t asked = folder.asked.size();
        // Asked again for the same size, nothing is loaded anew and a failure is not retried.
        EXPECT_EQ(ChooseBoardDrawing(choice, folder.Source(), c.cellSize), c.scale);
        EXPECT_EQ(folder.asked.size(), asked);
    }
}

}  // namespace
