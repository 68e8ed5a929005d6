// Draws the program's icon resource as a square PNG: velmora-icon-png SIZE FILE.
// The installed icons come from the same pixels the windows show.
#include "resources/AppIcon.xpm"

#include <QImage>

#include <charconv>
#include <cstdio>
#include <cstring>

int main(int argc, char** argv)
{
    int size = 0;
    const char* sizeText = argc == 3 ? argv[1] : "";
    const auto [end, failure] = std::from_chars(sizeText, sizeText + std::strlen(sizeText), size);
    if (argc != 3 || failure != std::errc{} || *end != '\0' || size < 1) {
        std::fputs("usage: velmora-icon-png SIZE FILE\n", stderr);
        return 2;
    }
    const QImage icon(kAppIconXpm);
    // Whole multiples keep the drawing's hard edges; other sizes are filtered.
    const Qt::TransformationMode mode = size % icon.width() == 0 ? Qt::FastTransformation : Qt::SmoothTransformation;
    if (icon.isNull() || !icon.scaled(size, size, Qt::IgnoreAspectRatio, mode).save(argv[2], "PNG")) {
        std::fprintf(stderr, "velmora-icon-png: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
