#include "ProfileFixture.h"

#include "platform/profile/Utf8.h"

#include <tuple>

namespace {

using ProfileEncoding = ProfileFixture;

// CP932 bytes of the Japanese names used below.
const std::string kSettingsCp932 = "\x90\xDD\x92\xE8";     // 設定
const std::string kNameCp932 = "\x96\xBC\x91\x4F";         // 名前
const std::string kTestCp932 = "\x83\x65\x83\x58\x83\x67"; // テスト
const std::string kZoneCp932 = "\x83\x5D\x81\x5B\x83\x93"; // ゾーン: second bytes ']' and '['
const std::string kCountCp932 = "\x89\xF1\x90\x94";        // 回数

TEST_F(ProfileEncoding, Cp932FileReadsAsUtf8EvenWhereSecondBytesLookLikeBrackets)
{
    Put("[" + kSettingsCp932 + "]\r\n" + kNameCp932 + "=" + kTestCp932 + "\r\nRate=5\r\n[" + kZoneCp932 + "]\r\nk=1\r\n[" + kZoneCp932
        + "2]\r\nk=2\r\n");
    EXPECT_EQ(m_ini.GetString("設定", "名前"), "テスト");
    EXPECT_EQ(std::tuple(m_ini.GetInt("設定", "Rate", 0), m_ini.GetInt("ゾーン", "k", 0), m_ini.GetInt("ゾーン2", "k", 0)), std::tuple(5, 1, 2));
}

// The encoding belongs to the file: the same bytes read as UTF-8 in one file and as CP932 in
// another, whatever the text they are in.
TEST_F(ProfileEncoding, EachFileIsReadInTheEncodingItsWholeContentShows)
{
    const std::string kByteOrderMark = "\xEF\xBB\xBF";
    const std::tuple<const char*, std::string, const char*> cases[] = { // name, file, the text [M] k= reads as
        {"half-width kana that happen to pair up as UTF-8", "[M]\r\nk=\xC3\xBD\r\n", "ﾃｽ"},
        {"a long sound mark after a kana", "[M]\nk=\xC4\xB0\n", "ﾄｰ"},
        {"Japanese in UTF-8", "[M]\nk=テスト\n", "テスト"},
        {"a UTF-8 kanji in a comment", "; 回転数\n[M]\nk=°C\n", "°C"}, // ° is C2 B0, ﾂｰ in CP932
        {"a byte order mark", kByteOrderMark + "[M]\nk=°C\n", "°C"},
        {"nothing but two-byte signs, unmarked", "[M]\nk=kgf/cm²\n[N]\nk=°C\n", "kgf/cm²"},
        {"a two-byte letter beside the signs, unmarked", "[M]\nk=°C\n[N]\nk=\xC3\xBD\n", "ﾂｰC"},
        {"a byte order mark before CP932", kByteOrderMark + "[M]\nk=" + kTestCp932 + "\n", "テスト"},
        {"CP932 elsewhere in the file", "[M]\nk=\xC3\xBD\n[N]\n" + kNameCp932 + "=1\n", "ﾃｽ"},
    };
    for (const auto& [name, file, text] : cases) {
        Put(file);
        EXPECT_EQ(m_ini.GetString("M", "k"), text) << name;
    }
}

// Each limit of well-formed UTF-8 on both sides: the shortest form of each length, the last
// code point, the surrogates; with the ways a sequence breaks off.
TEST(Utf8, OnlyShortestFormsUpToU10FFFFOutsideTheSurrogatesAreWellFormed)
{
    const std::pair<std::string_view, bool> cases[] = {
        {"\xC2\x80", true}, {"\xC1\xBF", false},                 // U+0080; U+007F in two bytes
        {"\xE0\xA0\x80", true}, {"\xE0\x9F\xBF", false},         // U+0800; U+07FF in three bytes
        {"\xF0\x90\x80\x80", true}, {"\xF0\x8F\xBF\xBF", false}, // U+10000; U+FFFF in four bytes
        {"\xF4\x8F\xBF\xBF", true}, {"\xF4\x90\x80\x80", false}, // U+10FFFF; U+110000
        {"\xED\x9F\xBF", true}, {"\xED\xA0\x80", false},         // U+D7FF; U+D800
        {"\xED\xBF\xBF", false}, {"\xEE\x80\x80", true},         // U+DFFF; U+E000
        {"\xE6\x97", false}, {std::string_view("\xE6\x97\xA5", 2), false}, // cut short, at the end and where the text goes on
        {"\xC3\x28", false}, {"\xBD", false},                     // no continuation; a continuation alone
    };
    for (const auto& [bytes, wellFormed] : cases)
        EXPECT_EQ(profile::IsValidUtf8(bytes), wellFormed) << ::testing::PrintToString(std::string(bytes));
}

// A comment and a section holding a Japanese key and value, in CP932 bytes.
const std::string kHead = "; " + kTestCp932 + "\r\n[" + kSettingsCp932 + "]\r\n" + kNameCp932 + "=" + kTestCp932 + "\r\n";

// Every byte outside the write stays as it was; new names go in as CP932, or not at all.
TEST_F(ProfileEncoding, WritesKeepTheCp932BytesAndAddNamesInCp932)
{
    const std::tuple<const char*, bool, std::string> cases[] = {
        {"Rate", true, kHead + "Rate=60\r\n"},
        {"回数", true, kHead + "Rate=5\r\n" + kCountCp932 + "=60\r\n"},
        {"😀", false, kHead + "Rate=5\r\n"},
    };
    for (const auto& [key, written, bytes] : cases) {
        Put(kHead + "Rate=5\r\n");
        EXPECT_EQ(m_ini.WriteInt("設定", key, 60), written) << key;
        EXPECT_EQ(Bytes(), bytes) << key;
        EXPECT_EQ(m_ini.GetInt("設定", key, 0), written ? 60 : 0) << key;
    }
}

} // namespace
