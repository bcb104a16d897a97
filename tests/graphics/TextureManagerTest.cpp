#include <SDL.h>
#include <boost/filesystem/operations.hpp>
#include <gtest/gtest.h>

#include "core/ErrorReport.hpp"
#include "core/Services.hpp"
#include "graphics/TextureManager.hpp"
#include "support/HeadlessScreen.hpp"
#include "support/TempContent.hpp"
#include "support/TestPictures.hpp"

namespace {

constexpr Color grey{128, 128, 128, 255};

class TextureBanks : public ::testing::Test {
protected:
    void Png(const std::string& bankFile, int w = 4, int h = 4) {
        WritePng("Content/Textures/" + bankFile, w, h, grey);
    }
    void TearDown() override { textures.banks.clear(); }  // before the renderer goes

    TempContent content;
    HeadlessScreen screen;
    TextureManager textures;
};

TEST_F(TextureBanks, NamesAreStemsWithCaseKeptAndOnlyPngsLoad) {
    Png("Main/Tile.PNG");
    Png("Main/Gut.Top.png");
    Png("Main/photo.jpg");
    Png("Main/old.png.bak");
    boost::filesystem::create_directories("Content/Textures/Main/folder.png");
    textures.LoadBank("Main");
    ASSERT_EQ(textures.banks.count("Main"), 1u);
    std::vector<std::string> names;
    for (const auto& [name, texture] : textures.banks["Main"]->textures) names.push_back(name);
    EXPECT_EQ(names, (std::vector<std::string>{"Gut.Top", "Tile"}));
    EXPECT_NE(textures.GetTexture("Tile"), nullptr);
    EXPECT_EQ(textures.GetTexture("tile"), nullptr);
    EXPECT_NE(textures.GetTexture("Gut.Top"), nullptr);
}

TEST_F(TextureBanks, SidesAreRoundedUpToPowersOfTwo) {
    Png("Main/Odd.png", 48, 64);
    Png("Main/Wide.png", 33, 1);
    textures.LoadBank("Main");
    const Texture* odd = textures.GetTexture("Odd");
    ASSERT_NE(odd, nullptr);
    EXPECT_EQ(odd->width, 64.0f);
    EXPECT_EQ(odd->height, 64.0f);
    int w = 0, h = 0;
    SDL_QueryTexture(odd->deviceTexture, nullptr, nullptr, &w, &h);
    EXPECT_EQ(w, 64);
    EXPECT_EQ(h, 64);
    EXPECT_EQ(textures.GetTexture("Wide")->width, 64.0f);
    EXPECT_EQ(textures.GetTexture("Wide")->height, 1.0f);
}

TEST_F(TextureBanks, FirstBankByNameAnswersEvenWithAFailedPicture) {
    content.Write("Content/Textures/A/Same.png", "not a picture");
    Png("B/Same.png");
    Png("B/Other.png");
    textures.LoadBank("B");
    textures.LoadBank("A");
    EXPECT_EQ(textures.banks["A"]->textures.count("Same"), 1u);
    EXPECT_EQ(textures.GetTexture("Same"), nullptr);
    EXPECT_NE(textures.GetTexture("Other"), nullptr);
    textures.UnloadBank("A");
    EXPECT_NE(textures.GetTexture("Same"), nullptr);
}

TEST_F(TextureBanks, EmptyFolderGivesAnEmptyBankAndReloadingDoesNothing) {
    textures.LoadBank("Main");
    ASSERT_EQ(textures.banks.count("Main"), 1u);
    EXPECT_TRUE(textures.banks["Main"]->textures.empty());
    Png("Main/Late.png");
    textures.LoadBank("Main");
    EXPECT_EQ(textures.GetTexture("Late"), nullptr);
    textures.UnloadBank("Never");
    EXPECT_EQ(textures.banks.size(), 1u);
}

TEST_F(TextureBanks, MissingFolderNamesItAndStoresNoBank) {
    try {
        textures.LoadBank("Nope");
        ADD_FAILURE() << "a missing folder loaded";
    } catch (const std::exception& e) {
        const std::string line = DescribeFatalError(e);
        EXPECT_EQ(line.rfind("Content/Textures/Nope: ", 0), 0u) << line;
    }
    EXPECT_EQ(textures.banks.count("Nope"), 0u);
}

TEST(LoadTextureFromFile, WithoutADeviceGivesNull) {
    TempContent content;
    WritePng("a.png", 2, 2, grey);
    GameSettings settings;  // no device
    GameSettings* previous = Services::settings;
    Services::settings = &settings;
    EXPECT_EQ(LoadTextureFromFile("a.png"), nullptr);
    Services::settings = previous;
}

}  // namespace
