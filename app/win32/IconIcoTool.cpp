// Writes one of the program's icon resources as a Windows .ico file: velmora-icon-ico ICON FILE
// SIZE..., ICON being app or key. The executable's icons come from the same pixels the windows
// show.
#include "app/win32/IconFile.h"

#include "resources/AppIcon.xpm"
#include "resources/KeyIcon.xpm"

#include <charconv>
#include <cstdio>
#include <cstring>
#include <exception>
#include <fstream>
#include <span>
#include <string_view>
#include <vector>

namespace {

constexpr const char* kUsage = "usage: velmora-icon-ico app|key FILE SIZE...  (each SIZE 1 to 256)\n";

std::span<const char* const> FindXpm(std::string_view name)
{
    if (name == "app") return kAppIconXpm;
    if (name == "key") return kKeyIconXpm;
    return {};
}

bool ParseSize(const char* text, int& size)
{
    const char* end = text + std::strlen(text);
    const auto [stop, failure] = std::from_chars(text, end, size);
    return failure == std::errc{} && stop == end && size >= 1 && size <= 256;
}

} // namespace

int main(int argc, char** argv)
{
    const std::span<const char* const> xpm = argc >= 2 ? FindXpm(argv[1]) : std::span<const char* const>{};
    std::vector<int> sizes(static_cast<size_t>(argc > 3 ? argc - 3 : 0));
    bool sizesValid = !sizes.empty();
    for (size_t i = 0; i < sizes.size(); ++i) sizesValid = sizesValid && ParseSize(argv[i + 3], sizes[i]);
    if (xpm.empty() || !sizesValid) {
        std::fputs(kUsage, stderr);
        return 2;
    }

    std::vector<uint8_t> file;
    try {
        const icon::Image picture = icon::ReadXpm(xpm);
        std::vector<icon::Image> images;
        for (const int size : sizes) images.push_back(icon::Scale(picture, size, size));
        file = icon::EncodeIco(images);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "velmora-icon-ico: %s icon: %s\n", argv[1], error.what());
        return 1;
    }
    // A half-written file would look finished to the next build.
    std::ofstream out(argv[2], std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(file.data()), static_cast<std::streamsize>(file.size()));
    out.close();
    if (!out) {
        std::remove(argv[2]);
        std::fprintf(stderr, "velmora-icon-ico: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
