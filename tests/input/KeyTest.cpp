#include <gtest/gtest.h>

#include "input/Key.hpp"

namespace {

TEST(TranslateVirtualKey, EveryListedCodeGivesTheKeyOfTheSameMeaning) {
    const std::pair<uint32_t, Key> table[] = {
        {8, Key::Backspace},    {9, Key::Tab},           {13, Key::OemEnter},      {16, Key::Shift},
        {17, Key::Ctrl},        {18, Key::Alt},          {19, Key::Pause},         {20, Key::CapsLock},
        {27, Key::Esc},         {32, Key::Space},        {33, Key::PageUp},        {34, Key::PageDown},
        {35, Key::End},         {36, Key::Home},         {37, Key::Left},          {38, Key::Up},
        {39, Key::Right},       {40, Key::Down},         {44, Key::PrintScreen},   {45, Key::Insert},
        {46, Key::Delete},      {91, Key::LeftWindows},  {92, Key::RightWindows},  {93, Key::Application},
        {106, Key::KeypadAsterisk}, {107, Key::KeypadPlus}, {109, Key::KeypadMinus},
        {110, Key::KeypadPeriod}, {111, Key::KeypadSlash}, {144, Key::NumLock},    {145, Key::ScrollLock},
        {186, Key::Semicolon},  {187, Key::Equals},      {188, Key::Comma},        {189, Key::OemMinus},
        {190, Key::OemPeriod},  {191, Key::OemSlash},    {192, Key::Tilde},        {219, Key::LeftBracket},
        {220, Key::Backslash},  {221, Key::RightBracket}, {222, Key::Apostrophe},
    };
    for (const auto& [vk, key] : table) EXPECT_EQ(TranslateVirtualKey(vk), key) << "virtual key " << vk;
}

TEST(TranslateVirtualKey, RangesMapByName) {
    // Checked through the names, so that a slip in the enumeration's order shows too.
    for (char c = '0'; c <= '9'; ++c) EXPECT_EQ(KeyName(TranslateVirtualKey(uint32_t(c))), std::string(1, c));
    for (char c = 'A'; c <= 'Z'; ++c) EXPECT_EQ(KeyName(TranslateVirtualKey(uint32_t(c))), std::string(1, c));
    for (uint32_t n = 0; n <= 9; ++n) {
        EXPECT_EQ(KeyName(TranslateVirtualKey(96 + n)), "Keypad" + std::to_string(n));
    }
    for (uint32_t n = 1; n <= 12; ++n) EXPECT_EQ(KeyName(TranslateVirtualKey(111 + n)), "F" + std::to_string(n));
    EXPECT_EQ(int32_t(TranslateVirtualKey('1')), 18);
    EXPECT_EQ(int32_t(TranslateVirtualKey('0')), 27);
}

TEST(TranslateVirtualKey, UnlistedCodesPassThroughUnchanged) {
    for (uint32_t vk : {0u, 1u, 2u, 3u, 7u, 10u, 12u, 21u, 47u, 58u, 64u, 95u, 108u, 124u, 146u, 185u, 193u, 223u, 226u, 255u}) {
        EXPECT_EQ(uint32_t(TranslateVirtualKey(vk)), vk);
    }
    EXPECT_EQ(KeyName(TranslateVirtualKey(3)), "F2");  // VK_CANCEL happens to be F2's code
    EXPECT_EQ(KeyName(TranslateVirtualKey(124)), "");   // VK_F13 has no name
}

TEST(TranslateVirtualKey, NeverGivesRightShiftKeypadEnterOrNone) {
    for (uint32_t vk = 8; vk <= 222; ++vk) {
        const Key key = TranslateVirtualKey(vk);
        EXPECT_NE(key, Key::RightShift) << vk;
        EXPECT_NE(key, Key::KeypadEnter) << vk;
        EXPECT_NE(key, Key::None) << vk;
    }
}

TEST(KeyFromName, NamesAreExactAndEveryNamedCodeRoundTrips) {
    for (int32_t code = 0; code < NamedKeyCount; ++code) {
        EXPECT_EQ(int32_t(KeyFromName(KeyName(Key(code)))), code);
    }
    EXPECT_EQ(KeyFromName("Up"), Key::Up);
    EXPECT_EQ(int32_t(KeyFromName("Up")), 77);
    EXPECT_EQ(KeyFromName("up"), Key::None);
    EXPECT_EQ(KeyFromName(" Up"), Key::None);
    EXPECT_EQ(KeyFromName(""), Key::None);
    EXPECT_EQ(int32_t(KeyFromName("__END")), 106);
    EXPECT_EQ(int32_t(KeyFromName("5")), 22);
    EXPECT_EQ(int32_t(KeyFromName("0")), 27);
    EXPECT_EQ(int32_t(KeyFromName("LeftMouse")), 103);
}

}  // namespace
