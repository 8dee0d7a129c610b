#include "widgets/fonts.h"

#include <algorithm>
#include <utility>
#include <QApplication>
#include <QFile>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QFontMetricsF>

namespace {

quint32 bigEndian32(const QByteArray& d, qsizetype o)
{
    return quint32(uchar(d[o])) << 24 | quint32(uchar(d[o + 1])) << 16 | quint32(uchar(d[o + 2])) << 8
           | uchar(d[o + 3]);
}

// fonts-wine's Tahoma as Windows draws it. Its files ask for the typographic
// line metrics and carry bitmap strikes whose line metrics Qt prefers to the
// outline's: an ascent of 9 px at 11 px, where Tahoma has 11, so a capital's
// accent sticks out of the top of a label or a table cell. Without both, Qt
// takes the Windows ascent and descent (11 + 2 at 11 px, 13 + 3 at 13 px);
// the outlines, which are what gets drawn, stay as they are. The bold file
// has the regular outlines with bold widths: marked as less than bold, it
// is thickened by FreeType as a face without a bold cut would be.
QByteArray tahoma(const QString& path, bool bold)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    QByteArray d = f.readAll();
    if (d.size() < 12)
        return {};
    const int tables = uchar(d[4]) << 8 | uchar(d[5]);
    for (int i = 0; i < tables && 12 + 16 * i + 16 <= d.size(); ++i) {
        const qsizetype entry = 12 + 16 * i;
        const QByteArray tag = d.mid(entry, 4);
        const qsizetype o = bigEndian32(d, entry + 8);
        if (tag == "EBLC") {
            d[entry + 3] = 'c'; // no strikes: an unknown table is skipped
        } else if (tag == "OS/2" && o + 64 <= d.size()) {
            d[o + 63] = char(uchar(d[o + 63]) & ~0x80); // USE_TYPO_METRICS
            if (bold) {
                d[o + 63] = char(uchar(d[o + 63]) & ~0x20); // BOLD
                d[o + 4] = char(600 >> 8);                  // usWeightClass
                d[o + 5] = char(600 & 0xFF);
            }
        } else if (tag == "head" && bold && o + 46 <= d.size()) {
            d[o + 45] = char(uchar(d[o + 45]) & ~0x01); // macStyle bold
        }
    }
    return d;
}
} // namespace

QFont pixelFont(const QString& family, int pixels, bool bold)
{
    QFont f(family);
    f.setPixelSize(pixels);
    // Text is laid out in the face's own widths, as the boxes were measured:
    // a desktop's medium or full hinting would round every letter to whole
    // pixels and make a line of Tahoma a tenth wider than its box. Hinting
    // across the strokes only keeps the letters as sharp as Debian's default.
    f.setHintingPreference(QFont::PreferVerticalHinting);
    if (bold)
        f.setBold(true);
    return f;
}

QFont windowFont()
{
    return pixelFont(QStringLiteral("Tahoma"), 11);
}

QFont arialBlack(int pixels)
{
    // Arial Black's capitals are 0.716 of its character height, and its
    // "ZMIENIARKA" is 7.166 character heights wide.
    constexpr double capitals = 0.716, sample = 7.166;
    QFont f = pixelFont(QStringLiteral("Arial Black"), pixels);
    f.setWeight(QFont::Black);
    const double height = QFontMetricsF(f).capHeight();
    if (height > 0)
        f.setPixelSize(qRound(pixels * capitals * pixels / height));
    const double width = QFontMetricsF(f).horizontalAdvance(QStringLiteral("ZMIENIARKA"));
    if (width > 0)
        f.setStretch(std::clamp(qRound(100 * sample * pixels / width), 50, 200));
    return f;
}

int arialBlackDrop(const QFont& face, int pixels)
{
    // Arial Black: 2048 units to the em, ascent 2254, capitals 1466.
    const int wanted = qRound(pixels * (2254 - 1466) / 2048.0);
    const QFontMetricsF m(face);
    return std::max(0, wanted - qRound(m.ascent() - m.capHeight()));
}

void installFonts()
{
    static bool done = false;
    if (done)
        return;
    done = true;

    // fonts-wine ships these without telling fontconfig about them.
    const QString wine = QStringLiteral("/usr/share/wine/fonts/");
    for (const auto& [file, bold] : {std::pair("tahoma.ttf", false), std::pair("tahomabd.ttf", true)}) {
        const QByteArray data = tahoma(wine + QLatin1String(file), bold);
        if (!data.isEmpty())
            QFontDatabase::addApplicationFontFromData(data);
    }
    if (QFile::exists(wine + QLatin1String("ms_sans_serif.ttf")))
        QFontDatabase::addApplicationFont(wine + QLatin1String("ms_sans_serif.ttf"));

    // Each face the layouts name, and the installed faces that stand in for
    // it, best first. Inter's Black cut is a grotesque of Arial Black's
    // weight (fonts-inter).
    static const char* const standIns[][3] = {
        {"Tahoma", "DejaVu Sans", "Liberation Sans"},
        {"MS Sans Serif", "Tahoma", "DejaVu Sans"},
        {"Times New Roman CE", "Liberation Serif", "DejaVu Serif"},
        {"Times New Roman", "Liberation Serif", "DejaVu Serif"},
        {"Arial", "Liberation Sans", "DejaVu Sans"},
        {"Arial Black", "Inter", "DejaVu Sans"},
        {"Symbol", "Standard Symbols PS", "DejaVu Sans"},
    };
    for (const auto& [face, first, second] : standIns)
        QFont::insertSubstitutions(QLatin1String(face), {QLatin1String(first), QLatin1String(second)});
}

QFont narrowedTo(QFont face, const QString& text, int width)
{
    const int w = QFontMetrics(face).horizontalAdvance(text);
    if (w > width)
        face.setStretch(face.stretch() * width / w);
    return face;
}

QFont msSansSerif(int pixels)
{
    QFont f = pixelFont(QStringLiteral("MS Sans Serif"), pixels);
    const QFontInfo found(f);
    if (!QFontDatabase::isScalable(found.family()) && (pixels != 11 || qApp->devicePixelRatio() != 1.0))
        f.setFamily(QStringLiteral("Tahoma"));
    return f;
}

QFont shrunkToFit(QFont face, const QString& text, int width)
{
    // Each size tried loads the face once more: the caller starts from the
    // size it expects to fit.
    for (int px = face.pixelSize(); px > 8; --px) {
        face.setPixelSize(px);
        if (QFontMetrics(face).boundingRect(text).width() <= width)
            break;
    }
    return face;
}
