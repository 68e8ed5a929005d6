// velmora.exe as Windows reads it: the version Explorer's properties show, the icons the shell and
// the window layer load, and the manifest the loader applies before any of our code runs.
#include "app/win32/IconFile.h"
#include "resources/ResourceIds.h"

#include "resources/AppIcon.xpm"
#include "resources/KeyIcon.xpm"

#include <windows.h>

#include <gmock/gmock.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <cwctype>
#include <span>
#include <string>
#include <string_view>
#include <vector>

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::Eq;
using ::testing::HasSubstr;
using ::testing::IsSupersetOf;
using ::testing::Matcher;
using ::testing::StartsWith;
using ::testing::UnorderedElementsAre;

namespace {

// CMake gives the path as the build host has it; under Wine the Unix root is drive Z:.
std::wstring ProgramPath()
{
    const std::string_view path = VELMORA_EXE;
    std::wstring windows = path.starts_with('/') ? L"Z:" : L"";
    for (const char c : path) windows += c == '/' ? L'\\' : static_cast<wchar_t>(c);
    return windows;
}

std::wstring Widen(std::string_view ascii)
{
    return std::wstring(ascii.begin(), ascii.end());
}

struct IconCase {
    int id;
    std::span<const char* const> xpm;
    std::vector<int> sizes;
};

std::vector<IconCase> ProgramIcons()
{
    return {{res::IDR_MAINFRAME, kAppIconXpm, {VELMORA_APP_ICON_SIZES}}, {res::IDI_KEY, kKeyIconXpm, {VELMORA_KEY_ICON_SIZES}}};
}

// The GRPICONDIRENTRYs of a GRPICONDIR, packed as in the resource.
struct GroupEntry {
    int width;
    int height;
    int bitCount;
};

uint32_t Read(std::span<const uint8_t> bytes, size_t at, size_t count)
{
    uint32_t value = 0;
    for (size_t i = count; i-- > 0;) value = value << 8 | bytes[at + i];
    return value;
}

std::vector<GroupEntry> GroupEntries(std::span<const uint8_t> group)
{
    std::vector<GroupEntry> entries;
    if (group.size() < 6 || Read(group, 2, 2) != 1) return entries;
    const size_t count = Read(group, 4, 2);
    for (size_t i = 0; i < count && 6 + 14 * (i + 1) <= group.size(); ++i) {
        const size_t at = 6 + 14 * i;
        const auto side = [&](size_t offset) { return group[at + offset] == 0 ? 256 : int{group[at + offset]}; };
        entries.push_back({side(0), side(1), static_cast<int>(Read(group, at + 6, 2))});
    }
    return entries;
}

class ProgramResources : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_module = ::LoadLibraryExW(ProgramPath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
        ASSERT_NE(m_module, nullptr) << "cannot open " VELMORA_EXE ", error " << ::GetLastError();
    }

    void TearDown() override
    {
        if (m_module != nullptr) ::FreeLibrary(m_module);
    }

    std::span<const uint8_t> Bytes(LPCWSTR type, int id) const
    {
        HRSRC found = ::FindResourceW(m_module, MAKEINTRESOURCEW(id), type);
        if (found == nullptr) return {};
        return {static_cast<const uint8_t*>(::LockResource(::LoadResource(m_module, found))), ::SizeofResource(m_module, found)};
    }

    // In the order Explorer walks them; a name that is no number is -1.
    std::vector<int> Ids(LPCWSTR type) const
    {
        std::vector<int> ids;
        const auto collect = [](HMODULE, LPCWSTR, LPWSTR name, LONG_PTR list) -> BOOL {
            reinterpret_cast<std::vector<int>*>(list)->push_back(
                IS_INTRESOURCE(name) ? static_cast<int>(reinterpret_cast<uintptr_t>(name)) : -1);
            return TRUE;
        };
        ::EnumResourceNamesW(m_module, type, collect, reinterpret_cast<LONG_PTR>(&ids));
        return ids;
    }

    HMODULE m_module = nullptr;
};

TEST_F(ProgramResources, VersionIsTheOneTheBuildKnows)
{
    const std::wstring path = ProgramPath();
    DWORD ignored = 0;
    std::vector<uint8_t> info(::GetFileVersionInfoSizeW(path.c_str(), &ignored));
    ASSERT_FALSE(info.empty()) << "no version resource";
    ASSERT_TRUE(::GetFileVersionInfoW(path.c_str(), 0, static_cast<DWORD>(info.size()), info.data()));

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(::VerQueryValueW(info.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
    ASSERT_GE(length, sizeof(VS_FIXEDFILEINFO));
    EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
    // "0.1" is 0.1.0.0 in the numbers.
    unsigned long numbers[4] = {};
    ASSERT_GE(std::sscanf(VELMORA_VERSION, "%lu.%lu.%lu.%lu", &numbers[0], &numbers[1], &numbers[2], &numbers[3]), 2);
    EXPECT_EQ(fixed->dwFileVersionMS, numbers[0] << 16 | numbers[1]);
    EXPECT_EQ(fixed->dwFileVersionLS, numbers[2] << 16 | numbers[3]);
    EXPECT_EQ(fixed->dwProductVersionMS, fixed->dwFileVersionMS);
    EXPECT_EQ(fixed->dwProductVersionLS, fixed->dwFileVersionLS);
    EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));

    // Explorer finds the strings under the language and code page the translation names.
    void* translation = nullptr;
    ASSERT_TRUE(::VerQueryValueW(info.data(), L"\\VarFileInfo\\Translation", &translation, &length));
    ASSERT_GE(length, 4u);
    const WORD* language = static_cast<const WORD*>(translation);
    wchar_t block[64];
    std::swprintf(block, 64, L"\\StringFileInfo\\%04x%04x\\", language[0], language[1]);
    const std::wstring version = Widen(VELMORA_VERSION);
    const std::pair<const wchar_t*, Matcher<std::wstring>> strings[] = {{L"ProductName", Eq(L"Velmora")}, {L"ProductVersion", Eq(version)},
        {L"FileVersion", Eq(version)}, {L"OriginalFilename", Eq(L"velmora.exe")}, {L"FileDescription", StartsWith(L"Velmora: ")},
        {L"CompanyName", Eq(L"The Velmora authors")}, {L"LegalCopyright", HasSubstr(L"The Velmora authors")}};
    for (const auto& [name, matcher] : strings) {
        void* value = nullptr;
        const bool found = ::VerQueryValueW(info.data(), (block + std::wstring(name)).c_str(), &value, &length);
        ASSERT_TRUE(found) << name;
        EXPECT_THAT(std::wstring(static_cast<const wchar_t*>(value)), matcher) << name;
    }
}

TEST_F(ProgramResources, ExplorerShowsTheProgramIconInEveryView)
{
    // The first group is the file's icon; the small, large, extra large and largest views ask for
    // 16, 32, 48 and 256 pixels.
    const std::vector<int> groups = Ids(RT_GROUP_ICON);
    ASSERT_FALSE(groups.empty());
    EXPECT_EQ(groups.front(), res::IDR_MAINFRAME);
    EXPECT_THAT(groups, UnorderedElementsAre(res::IDR_MAINFRAME, res::IDI_KEY));
    EXPECT_THAT(ProgramIcons().front().sizes, IsSupersetOf({16, 32, 48, 256}));
}

// The icon drawn over a plain colour the way a window draws it, read back as 0x00RRGGBB.
std::vector<uint32_t> DrawnOver(HICON icon, int size, uint32_t background)
{
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), size, -size, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HDC dc = ::CreateCompatibleDC(nullptr);
    HBITMAP bitmap = ::CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    std::vector<uint32_t> pixels;
    if (dc != nullptr && bitmap != nullptr) {
        HGDIOBJ old = ::SelectObject(dc, bitmap);
        const auto count = static_cast<size_t>(size) * static_cast<size_t>(size);
        std::fill_n(static_cast<uint32_t*>(bits), count, background);
        ::DrawIconEx(dc, 0, 0, icon, size, size, 0, nullptr, DI_NORMAL);
        ::GdiFlush();
        pixels.assign(static_cast<uint32_t*>(bits), static_cast<uint32_t*>(bits) + count);
        ::SelectObject(dc, old);
    }
    if (bitmap != nullptr) ::DeleteObject(bitmap);
    if (dc != nullptr) ::DeleteDC(dc);
    return pixels;
}

TEST_F(ProgramResources, EachSizeDrawsThePictureWithItsTransparency)
{
    constexpr uint32_t kBackground = 0x408040;
    const auto channel = [](uint32_t pixel, int shift) { return static_cast<int>(pixel >> shift & 0xff); };
    for (const IconCase& drawing : ProgramIcons()) {
        std::vector<int> sides;
        for (const GroupEntry& entry : GroupEntries(Bytes(RT_GROUP_ICON, drawing.id))) {
            sides.push_back(entry.width == entry.height ? entry.width : -1);
            EXPECT_EQ(entry.bitCount, 32) << "group " << drawing.id << " at " << entry.width;
        }
        ASSERT_THAT(sides, ElementsAreArray(drawing.sizes)) << "group " << drawing.id;

        // Loaded as the window layer loads it, drawn as a window draws it.
        const icon::Image picture = icon::ReadXpm(drawing.xpm);
        for (const int size : drawing.sizes) {
            const auto handle
                = static_cast<HICON>(::LoadImageW(m_module, MAKEINTRESOURCEW(drawing.id), IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
            ASSERT_NE(handle, nullptr) << "icon " << drawing.id << " at " << size << ", error " << ::GetLastError();
            const std::vector<uint32_t> drawn = DrawnOver(handle, size, kBackground);
            ::DestroyIcon(handle);
            ASSERT_EQ(drawn.size(), static_cast<size_t>(size * size)) << "icon " << drawing.id << " at " << size;

            // Blended by alpha over the background, give or take the system's rounding.
            const icon::Image expected = icon::Scale(picture, size, size);
            int wrong = 0;
            for (int y = 0; y < size; ++y) {
                for (int x = 0; x < size; ++x) {
                    const icon::Rgba p = expected.At(x, y);
                    const uint32_t got = drawn[static_cast<size_t>(y * size + x)];
                    const int colour[] = {p.r, p.g, p.b};
                    for (int c = 0; c < 3; ++c) {
                        const int shift = 16 - 8 * c;
                        const int want = (colour[c] * p.a + channel(kBackground, shift) * (255 - p.a) + 127) / 255;
                        if (std::abs(channel(got, shift) - want) > 2) ++wrong;
                    }
                }
            }
            EXPECT_EQ(wrong, 0) << "icon " << drawing.id << " at " << size << ": channels drawn wrongly";
        }
    }
}

TEST_F(ProgramResources, ManifestAsksForCommonControls6AndPerMonitorScaling)
{
    EXPECT_THAT(Ids(RT_MANIFEST), ElementsAre(1)); // CREATEPROCESS_MANIFEST_RESOURCE_ID, and no other

    // The manifest as the loader reads it when the program starts.
    const std::wstring path = ProgramPath();
    ACTCTXW request{};
    request.cbSize = sizeof request;
    request.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID;
    request.lpSource = path.c_str();
    request.lpResourceName = CREATEPROCESS_MANIFEST_RESOURCE_ID;
    HANDLE context = ::CreateActCtxW(&request);
    ASSERT_NE(context, INVALID_HANDLE_VALUE) << "the manifest does not load, error " << ::GetLastError();

    // A setting in the wrong namespace would be left unread, without an error.
    const struct {
        const wchar_t* space;
        const wchar_t* name;
        const wchar_t* value;
    } settings[] = {{L"http://schemas.microsoft.com/SMI/2005/WindowsSettings", L"dpiAware", L"true/pm"},
        {L"http://schemas.microsoft.com/SMI/2016/WindowsSettings", L"dpiAwareness", L"PerMonitorV2, PerMonitor"}};
    for (const auto& setting : settings) {
        wchar_t value[64] = {};
        SIZE_T written = 0;
        EXPECT_TRUE(::QueryActCtxSettingsW(0, context, setting.space, setting.name, value, std::size(value), &written)) << setting.name;
        EXPECT_EQ(std::wstring(value), setting.value) << setting.name;
    }

    ACTIVATION_CONTEXT_RUN_LEVEL_INFORMATION runLevel{};
    EXPECT_TRUE(::QueryActCtxW(0, context, nullptr, RunlevelInformationInActivationContext, &runLevel, sizeof runLevel, nullptr));
    EXPECT_EQ(runLevel.RunLevel, ACTCTX_RUN_LEVEL_AS_INVOKER);

    // With the context active, comctl32 comes from the side-by-side assembly of version 6, not
    // from the system folder's version 5. (Wine's copy says 5 to DllGetVersion either way.)
    ULONG_PTR cookie = 0;
    ASSERT_TRUE(::ActivateActCtx(context, &cookie));
    HMODULE controls = ::LoadLibraryW(L"comctl32.dll");
    ::DeactivateActCtx(0, cookie);
    ASSERT_NE(controls, nullptr);
    wchar_t loaded[MAX_PATH] = {};
    ::GetModuleFileNameW(controls, loaded, MAX_PATH);
    std::wstring folder = loaded;
    std::transform(folder.begin(), folder.end(), folder.begin(), [](wchar_t c) { return static_cast<wchar_t>(std::towlower(c)); });
    EXPECT_THAT(folder, HasSubstr(L"\\winsxs\\amd64_microsoft.windows.common-controls_6595b64144ccf1df_6.0.")) << loaded;
    ::FreeLibrary(controls);
    ::ReleaseActCtx(context);
}

} // namespace
