#include "app/WorkingFolder.h"

#include "tests/support/TemporaryDirectory.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

namespace {

namespace fs = std::filesystem;

// Paths as the program takes them, UTF-8.
std::string U8(const fs::path& path)
{
    const std::u8string text = path.u8string();
    return {text.begin(), text.end()};
}

void Put(const fs::path& file, const std::string& text)
{
    std::ofstream(file, std::ios::binary) << text;
}

std::string Text(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// An installed program's folder (its examples beside it), a portable one, and the documents.
class WorkingFolder : public ::testing::Test {
protected:
    void SetUp() override
    {
        fs::create_directories(installed / workfolder::kExamples);
        Put(installed / workfolder::kExamples / "Velmora.ini", "base");
        Put(installed / workfolder::kExamples / "Demo.ini", "demo");
        fs::create_directories(portable);
        Put(portable / "Velmora.ini", "base");
        fs::create_directories(documents);
    }

    const TemporaryDirectory root{"velmora-folders"};
    const fs::path installed = root.Path() / "Program Files" / "Velmora";
    const fs::path portable = root.Path() / "stick" / "Velmora";
    const fs::path documents = root.Path() / "Documents";
};

TEST_F(WorkingFolder, OnlyTheInstalledProgramStartedInItsOwnFolderMovesToTheDocuments)
{
    const struct {
        const char* what;
        fs::path current, program, documents;
        bool moves;
    } cases[] = {
        {"installed, in its own folder", installed, installed, documents, true},
        {"installed, started elsewhere", documents, installed, documents, false},
        {"portable, in its own folder", portable, portable, documents, false},
        {"no documents folder", installed, installed, {}, false},
        {"program folder unknown", installed, {}, documents, false},
    };
    for (const auto& c : cases) {
        const std::optional<std::string> folder = workfolder::InsteadOf(U8(c.current), U8(c.program), U8(c.documents));
        EXPECT_EQ(folder, c.moves ? std::optional(U8(documents / "Velmora")) : std::nullopt) << c.what;
    }
}

// The first start brings the examples; a later one, or a folder holding the user's files, keeps
// every file there as it is.
TEST_F(WorkingFolder, TheFirstStartCopiesTheExamplesAndNoUsersFileIsReplaced)
{
    const fs::path examples = installed / workfolder::kExamples;
    const fs::path work = documents / "Velmora";

    ASSERT_TRUE(workfolder::Prepare(U8(work), U8(examples)));
    EXPECT_EQ(Text(work / "Velmora.ini"), "base");
    EXPECT_EQ(Text(work / "Demo.ini"), "demo");

    Put(work / "Velmora.ini", "the user's");
    fs::remove(work / "Demo.ini");
    ASSERT_TRUE(workfolder::Prepare(U8(work), U8(examples)));
    EXPECT_EQ(Text(work / "Velmora.ini"), "the user's");
    EXPECT_FALSE(fs::exists(work / "Demo.ini")) << "a folder with its base file got examples again";

    fs::remove(work / "Velmora.ini");
    Put(work / "Demo.ini", "the user's demo");
    ASSERT_TRUE(workfolder::Prepare(U8(work), U8(examples)));
    EXPECT_EQ(Text(work / "Velmora.ini"), "base");
    EXPECT_EQ(Text(work / "Demo.ini"), "the user's demo");

    Put(documents / "file", "in the way");
    EXPECT_FALSE(workfolder::Prepare(U8(documents / "file"), U8(examples)));
}

} // namespace
