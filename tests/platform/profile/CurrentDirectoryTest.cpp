#include "ProfileFixture.h"

namespace {

class CurrentDirectory : public ProfileFixture {
protected:
    ~CurrentDirectory() override { std::filesystem::current_path(m_saved); }

    const std::filesystem::path m_saved = std::filesystem::current_path();
};

TEST_F(CurrentDirectory, IsTheDirectoryLastChangedIntoHoweverLongItsPath)
{
    std::filesystem::path deep = m_dir;
    for (int level = 0; level < 8; ++level) deep /= std::string(200, static_cast<char>('a' + level));
    std::filesystem::create_directories(deep);
    std::filesystem::current_path(deep);
    EXPECT_EQ(profile::GetCurrentDirectory(), deep.string());
}

} // namespace
