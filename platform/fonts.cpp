#include "platform/fonts.h"

#include "platform/os/system.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QRawFont>
#include <QStringList>
#include <QtEndian>
#include <algorithm>
#include <cmath>

namespace tarnwick::platform {

namespace {

struct FaceFiles {
    const char* family;
    QStringList files;
};

void register_missing(const FaceFiles& face) {
    if (QFontDatabase::hasFamily(QString::fromLatin1(face.family))) return;
    const QString folder = os::bundled_font_folder();
    if (folder.isEmpty()) return;
    for (const QString& file : face.files) QFontDatabase::addApplicationFont(folder + file);
}

quint16 big_endian_u16(const QByteArray& table, int offset) {
    return qFromBigEndian<quint16>(table.constData() + offset);
}

} // namespace

int pixel_size(double points) {
    return std::max(1, static_cast<int>(std::lround(points * 96.0 / 72.0)));
}

void ensure_fonts() {
    static const bool done = [] {
        register_missing({"Tahoma", {"tahoma.ttf", "tahomabd.ttf"}});
        register_missing({"Marlett", {"marlett.ttf"}});
        register_missing({"MS Sans Serif", {"ms_sans_serif.ttf"}});
        return true;
    }();
    (void)done;
}

QFont to_qfont(const Font& font) {
    ensure_fonts();
    QFont q(font.name);
    q.setPixelSize(pixel_size(font.size));
    q.setWeight(static_cast<QFont::Weight>(std::clamp(font.weight, 1, 1000)));
    q.setItalic(font.italic);
    q.setUnderline(font.underline);
    q.setStrikeOut(font.strikethrough);
    q.setStyleStrategy(QFont::NoAntialias);
    q.setHintingPreference(QFont::PreferFullHinting);
    return q;
}

TextMetrics text_metrics(const Font& font) {
    const QFont q = to_qfont(font);
    const QRawFont raw = QRawFont::fromFont(q);
    const QByteArray os2 = raw.fontTable("OS/2");
    const QByteArray head = raw.fontTable("head");
    // usWinAscent and usWinDescent of the OS/2 table, unitsPerEm of the head table.
    if (os2.size() >= 78 && head.size() >= 20) {
        const double units = big_endian_u16(head, 18);
        if (units > 0) {
            // A bitmap face comes in fixed sizes; its nearest size is the one drawn.
            const double px = raw.pixelSize() > 0 ? raw.pixelSize() : q.pixelSize();
            return {static_cast<int>(std::lround(big_endian_u16(os2, 74) * px / units)),
                    static_cast<int>(std::lround(big_endian_u16(os2, 76) * px / units))};
        }
    }
    const QFontMetrics metrics(q);
    return {metrics.ascent(), metrics.descent()};
}

int text_height(const Font& font, const QString& text) {
    return text_metrics(font).height() * static_cast<int>(text.count(QLatin1Char('\n')) + 1);
}

int text_width(const Font& font, const QString& text) {
    return QFontMetrics(to_qfont(font)).horizontalAdvance(text);
}

} // namespace tarnwick::platform
