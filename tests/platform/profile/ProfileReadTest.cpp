#include "ProfileFixture.h"

#include <climits>
#include <utility>

namespace {

class ProfileRead : public ProfileFixture {};

TEST_F(ProfileRead, IntTakesTheLeadingSignedDecimalOnly)
{
    Put("[N]\n"
        "trailing=12abc\nblanks=  -7\nplus=+42\nzeros=007\nquoted=\"15\"\n"
        "word=abc\nempty=\nloneSign=-\nspacedSign=- 5\ndoubleSign=--5\nhex=0x1F\n");
    const std::pair<const char*, int> cases[] = {
        {"trailing", 12}, {"blanks", -7}, {"plus", 42}, {"zeros", 7}, {"quoted", 15},
        {"word", 0}, {"empty", 0}, {"loneSign", 0}, {"spacedSign", 0}, {"doubleSign", 0}, {"hex", 0},
    };
    for (const auto& [key, expected] : cases)
        EXPECT_EQ(m_ini.GetInt("N", key, 99), expected) << key;
}

TEST_F(ProfileRead, IntClampsToTheIntRange)
{
    Put("[N]\nmax=2147483647\nmin=-2147483648\nabove=2147483648\nbelow=-2147483649\n"
        "huge=" + std::string(500, '9') + "\nhugeNegative=-" + std::string(500, '9') + "\n");
    EXPECT_EQ(m_ini.GetInt("N", "max", 0), INT_MAX);
    EXPECT_EQ(m_ini.GetInt("N", "min", 0), INT_MIN);
    EXPECT_EQ(m_ini.GetInt("N", "above", 0), INT_MAX);
    EXPECT_EQ(m_ini.GetInt("N", "below", 0), INT_MIN);
    EXPECT_EQ(m_ini.GetInt("N", "huge", 0), INT_MAX);
    EXPECT_EQ(m_ini.GetInt("N", "hugeNegative", 0), INT_MIN);
}

TEST_F(ProfileRead, MissingFileSectionOrKeyGivesTheDefault)
{
    EXPECT_EQ(m_ini.GetInt("Port", "Number", -3), -3);
    EXPECT_EQ(m_ini.GetString("Port", "Number"), "");

    Put("Number=8\n[Port]\nName=COM1\n[Other]\nNumber=5\n");
    EXPECT_EQ(m_ini.GetInt("Port", "Number", -3), -3) << "a key of another section or outside any";
    EXPECT_EQ(m_ini.GetInt("Missing", "Name", -3), -3);
    EXPECT_EQ(m_ini.GetString("Missing", "Name"), "");
}

TEST_F(ProfileRead, StringDropsSurroundingBlanksAndOneQuotePair)
{
    Put("[S]\r\n"
        "plain = \t hello world \t\r\n"
        "double=\"  padded \"\r\n"
        "single='x'\r\n"
        "mixed=\"x'\r\n"
        "lone=\"\r\n"
        "emptyQuotes=''\r\n"
        "inner=a \"b\" c\r\n");
    EXPECT_EQ(m_ini.GetString("S", "plain"), "hello world");
    EXPECT_EQ(m_ini.GetString("S", "double"), "  padded ");
    EXPECT_EQ(m_ini.GetString("S", "single"), "x");
    EXPECT_EQ(m_ini.GetString("S", "mixed"), "\"x'");
    EXPECT_EQ(m_ini.GetString("S", "lone"), "\"");
    EXPECT_EQ(m_ini.GetString("S", "emptyQuotes"), "");
    EXPECT_EQ(m_ini.GetString("S", "inner"), "a \"b\" c");
}

TEST_F(ProfileRead, NamesMatchIgnoringAsciiCaseAndSurroundingBlanks)
{
    Put("  [ Port Settings ]  trailing text\n  Baud Rate  =  19200  \n");
    EXPECT_EQ(m_ini.GetInt("port settings", "BAUD RATE", 0), 19200);
    EXPECT_EQ(m_ini.GetInt("Port Setting", "Baud Rate", 0), 0) << "a prefix is not a match";
}

TEST_F(ProfileRead, FirstMatchingSectionAndFirstMatchingKeyWin)
{
    Put("[Link]\nRetry=1\nRETRY=2\n[LINK]\nRetry=3\nTimeout=4\n");
    EXPECT_EQ(m_ini.GetInt("link", "retry", 0), 1);
    EXPECT_EQ(m_ini.GetInt("link", "Timeout", -1), -1) << "a later duplicate section is not read";
}

TEST_F(ProfileRead, CommentLinesAreSkipped)
{
    Put("; [S]\n;k=1\n[S]\n  ; k=2\n;[T]\nk=3\n");
    EXPECT_EQ(m_ini.GetInt("S", "k", 0), 3);
    EXPECT_EQ(m_ini.GetInt("T", "k", -1), -1);
}

TEST_F(ProfileRead, EveryReadSeesTheFileAsItIsNow)
{
    Put("[S]\nk=1\n");
    EXPECT_EQ(m_ini.GetInt("S", "k", 0), 1);
    Put("[S]\nk=2\n");
    EXPECT_EQ(m_ini.GetInt("S", "k", 0), 2);
    std::filesystem::remove(PathOf(kIniName));
    EXPECT_EQ(m_ini.GetInt("S", "k", 0), 0);
}

} // namespace
