#include "ProfileFixture.h"

namespace {

class ProfileEncoding : public ProfileFixture { };

// CP932 bytes of the Japanese names used below.
const std::string kSettingsCp932 = "\x90\xDD\x92\xE8";     // 設定
const std::string kNameCp932 = "\x96\xBC\x91\x4F";         // 名前
const std::string kTestCp932 = "\x83\x65\x83\x58\x83\x67"; // テスト
const std::string kZoneCp932 = "\x83\x5D\x81\x5B\x83\x93"; // ゾーン: second bytes ']' and '['
const std::string kCountCp932 = "\x89\xF1\x90\x94";        // 回数

TEST_F(ProfileEncoding, Cp932FileReadsAsUtf8EvenWhereSecondBytesLookLikeBrackets)
{
    Put("[" + kSettingsCp932 + "]\r\n" + kNameCp932 + "=" + kTestCp932
        + "\r\nRate=5\r\n"
          "["
        + kZoneCp932 + "]\r\nk=1\r\n[" + kZoneCp932 + "2]\r\nk=2\r\n");
    EXPECT_EQ(m_ini.GetString("設定", "名前"), "テスト");
    EXPECT_EQ(m_ini.GetInt("設定", "Rate", 0), 5);
    EXPECT_EQ(m_ini.GetInt("ゾーン", "k", 0), 1);
    EXPECT_EQ(m_ini.GetInt("ゾーン2", "k", 0), 2);
}

// A comment and a section holding a Japanese key and value, in CP932 bytes.
const std::string kHead = "; " + kTestCp932 + "\r\n[" + kSettingsCp932 + "]\r\n" + kNameCp932 + "=" + kTestCp932 + "\r\n";

TEST_F(ProfileEncoding, WriteKeepsTheCp932Bytes)
{
    Put(kHead + "Rate=5\r\n");
    EXPECT_TRUE(m_ini.WriteInt("設定", "Rate", 60));
    EXPECT_EQ(Bytes(), kHead + "Rate=60\r\n");
}

TEST_F(ProfileEncoding, WriteAddsNamesInCp932)
{
    Put(kHead + "Rate=5\r\n");
    EXPECT_TRUE(m_ini.WriteInt("設定", "回数", 3));
    EXPECT_EQ(Bytes(), kHead + "Rate=5\r\n" + kCountCp932 + "=3\r\n");
    EXPECT_EQ(m_ini.GetInt("設定", "回数", 0), 3);
}

TEST_F(ProfileEncoding, WriteRefusesNamesCp932CannotHold)
{
    Put(kHead + "Rate=5\r\n");
    EXPECT_FALSE(m_ini.WriteInt("設定", "😀", 1));
    EXPECT_EQ(Bytes(), kHead + "Rate=5\r\n");
}

} // namespace
