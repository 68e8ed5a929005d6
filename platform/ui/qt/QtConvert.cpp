#include "platform/ui/qt/QtConvert.h"

#include "platform/ui/Geometry.h"
#include "platform/ui/Messages.h"

#include <QKeyEvent>
#include <QStringList>
#include <algorithm>
#include <cstring>

namespace ui::qt {

namespace {

struct FaceMapping {
    const char* windowsFace;
    const char* installed;
    // The Windows face is proportional where the installed one has a half-width space.
    bool narrowSpace = false;
};

// Japanese Windows faces become the IPA fonts; Arial gets the metric-compatible sans faces
// where present, with the Japanese font for the glyphs they lack. The dialog shell font takes
// the narrower IPA face so that pages laid out in it fit the main window's tab control, as
// they do where the layout was made; its space, twice as wide as the desktop face's, is
// narrowed back, since grids take their cell margins from it.
constexpr FaceMapping kFaces[] = {
    {"MS UI Gothic", "IPAPGothic"},
    {"MS Shell Dlg", "IPAGothic", true},
    {"MS Shell Dlg 2", "IPAGothic", true},
    {"MS Gothic", "IPAGothic"},
    {"ＭＳ ゴシック", "IPAGothic"},
    {"MS PGothic", "IPAPGothic"},
    {"ＭＳ Ｐゴシック", "IPAPGothic"},
};

const FaceMapping* MappingFor(const QString& face)
{
    for (const auto& mapping : kFaces) {
        if (face == QString::fromUtf8(mapping.windowsFace)) return &mapping;
    }
    return nullptr;
}

QStringList FamiliesFor(const QString& face)
{
    if (const FaceMapping* mapping = MappingFor(face)) {
        return {QString::fromUtf8(mapping->installed), QStringLiteral("IPAGothic")};
    }
    if (face.isEmpty()) {
        return {QStringLiteral("IPAPGothic"), QStringLiteral("IPAGothic")};
    }
    return {face, QStringLiteral("Liberation Sans"), QStringLiteral("Arimo"), QStringLiteral("Nimbus Sans"), QStringLiteral("DejaVu Sans"),
        QStringLiteral("IPAPGothic")};
}

} // namespace

QFont ToQFont(const LOGFONT& logFont)
{
    QString face = QString::fromUtf8(logFont.lfFaceName, static_cast<qsizetype>(strnlen(logFont.lfFaceName, LF_FACESIZE)));
    int weight = logFont.lfWeight == 0 ? FW_NORMAL : logFont.lfWeight;
    // "Arial Bold" names a face of the Arial family.
    if (face.endsWith(QStringLiteral(" Bold"))) {
        face.chop(5);
        weight = std::max(weight, FW_BOLD);
    }
    QFont font;
    font.setFamilies(FamiliesFor(face));
    font.setStyleHint(QFont::SansSerif);
    const int height = logFont.lfHeight == 0 ? 12 : std::abs(logFont.lfHeight);
    font.setPixelSize(std::max(1, height));
    if (const FaceMapping* mapping = MappingFor(face); mapping != nullptr && mapping->narrowSpace) {
        constexpr double kSpaceShare = 0.25; // of the em, as the proportional desktop face has it
        font.setWordSpacing(-std::max(1, height) * kSpaceShare);
    }
    font.setWeight(static_cast<QFont::Weight>(std::clamp(weight, 100, 900)));
    font.setItalic(logFont.lfItalic != 0);
    font.setUnderline(logFont.lfUnderline != 0);
    font.setStrikeOut(logFont.lfStrikeOut != 0);
    return font;
}

LOGFONT PointFontRecord(int tenthsOfPoint, std::string_view faceName)
{
    constexpr int kPixelsPerInch = 96;
    constexpr int kTenthsPerInch = 720;
    LOGFONT record;
    record.lfHeight = -MulDiv(tenthsOfPoint, kPixelsPerInch, kTenthsPerInch);
    record.lfWeight = FW_NORMAL;
    const size_t n = std::min(faceName.size(), static_cast<size_t>(LF_FACESIZE - 1));
    std::memcpy(record.lfFaceName, faceName.data(), n);
    record.lfFaceName[n] = '\0';
    return record;
}

unsigned VirtualKey(const QKeyEvent& event)
{
    const int key = event.key();
    const bool keypad = (event.modifiers() & Qt::KeypadModifier) != 0;
    if (keypad && key == Qt::Key_Plus) return VK_ADD;
    if (keypad && key == Qt::Key_Minus) return VK_SUBTRACT;
    switch (key) {
    case Qt::Key_Backspace: return VK_BACK;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return VK_TAB;
    case Qt::Key_Return:
    case Qt::Key_Enter: return VK_RETURN;
    case Qt::Key_Shift: return VK_SHIFT;
    case Qt::Key_Control: return VK_CONTROL;
    case Qt::Key_Alt: return VK_MENU;
    case Qt::Key_Escape: return VK_ESCAPE;
    case Qt::Key_Space: return VK_SPACE;
    case Qt::Key_PageUp: return VK_PRIOR;
    case Qt::Key_PageDown: return VK_NEXT;
    case Qt::Key_End: return VK_END;
    case Qt::Key_Home: return VK_HOME;
    case Qt::Key_Left: return VK_LEFT;
    case Qt::Key_Up: return VK_UP;
    case Qt::Key_Right: return VK_RIGHT;
    case Qt::Key_Down: return VK_DOWN;
    case Qt::Key_Insert: return VK_INSERT;
    case Qt::Key_Delete: return VK_DELETE;
    default: break;
    }
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24) return VK_F1 + static_cast<unsigned>(key - Qt::Key_F1);
    if (key >= Qt::Key_0 && key <= Qt::Key_9) return static_cast<unsigned>(key);
    if (key >= Qt::Key_A && key <= Qt::Key_Z) return static_cast<unsigned>(key);
    return 0;
}

} // namespace ui::qt
