#include "dialogs/dialog_fonts.h"

#include <QStringList>

namespace serverconf {
namespace {

// Installed faces tried after the named one: Song-style (serif) CJK faces
// first for the Song faces, sans CJK faces for the others.
const QStringList& serifFallbacks() {
    static const QStringList faces{
        QStringLiteral("SimSun"),         QStringLiteral("NSimSun"),          QStringLiteral("Noto Serif CJK SC"),
        QStringLiteral("AR PL UMing CN"), QStringLiteral("Noto Sans CJK SC"), QStringLiteral("WenQuanYi Zen Hei")};
    return faces;
}

const QStringList& sansFallbacks() {
    static const QStringList faces{QStringLiteral("Noto Sans CJK SC"), QStringLiteral("WenQuanYi Zen Hei"),
                                   QStringLiteral("Noto Serif CJK SC"), QStringLiteral("DejaVu Sans")};
    return faces;
}

QFont fontWithFallbacks(const QString& face, const QStringList& fallbacks) {
    QFont font;
    font.setFamilies(QStringList{face} + fallbacks);
    font.setWeight(QFont::Normal);
    font.setStyleHint(QFont::AnyStyle, QFont::PreferAntialias);
    return font;
}

}  // namespace

QFont songFont(int pointSize) {
    QFont font = fontWithFallbacks(QStringLiteral("宋体"), serifFallbacks());
    font.setPointSize(pointSize);
    return font;
}

QFont systemTemplateFont() {
    QFont font = fontWithFallbacks(QStringLiteral("System"), sansFallbacks());
    font.setPointSize(10);
    return font;
}

QFont dialogFont(int pixelHeight) {
    // "新宋体" has half-width Latin letters; a monospaced CJK face keeps the
    // mixed labels ("On-the-Fly功能：") within the widths the layouts give them.
    QFont font = fontWithFallbacks(
        QStringLiteral("新宋体"),
        QStringList{QStringLiteral("NSimSun"), QStringLiteral("Noto Sans Mono CJK SC")} + serifFallbacks());
    font.setPixelSize(pixelHeight);
    return font;
}

QFont captionTitleFont() {
    QFont font = fontWithFallbacks(
        QStringLiteral("Arial"),
        QStringList{QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")} + sansFallbacks());
    font.setPixelSize(18);
    font.setWeight(QFont::Bold);
    return font;
}

QFont officialScriptFont(int pointSize) {
    QFont font = fontWithFallbacks(QStringLiteral("隶书"),
                                   QStringList{QStringLiteral("LiSu"), QStringLiteral("STLiti")} + serifFallbacks());
    font.setPointSize(pointSize);
    return font;
}

}  // namespace serverconf
