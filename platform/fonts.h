#pragma once

#include <QFont>
#include <QString>

namespace tarnwick::platform {

// The font object of the layouts: a face, a size in points and the usual attributes.
struct Font {
    QString name = QStringLiteral("MS Sans Serif");
    double size = 8.25;
    int weight = 400;
    bool italic = false;
    bool underline = false;
    bool strikethrough = false;
    int charset = 0;

    bool bold() const { return weight >= 700; }
    friend bool operator==(const Font&, const Font&) = default;
};

// Points to pixels at a fixed 96 dpi (8.25 pt -> 11 px, 9.75 pt -> 13 px), so the look does
// not depend on what the screen reports.
int pixel_size(double points);

// Makes "Tahoma", "Marlett" and "MS Sans Serif" available, from the fonts that ship for
// Windows programs on Linux, when the system has no face of that name. Idempotent; needs a
// running QGuiApplication.
void ensure_fonts();

// Unsmoothed and fully hinted, so that glyphs are the crisp one-colour pixels the skin is
// designed for and tests can compare them.
QFont to_qfont(const Font& font);

// The cell of a line of text as the classic platform measures it: the face's own ascent
// and descent for Windows, scaled to the pixel size. A face without those tables falls
// back to Qt's metrics.
struct TextMetrics {
    int ascent = 0;
    int descent = 0;
    int height() const { return ascent + descent; }
};
TextMetrics text_metrics(const Font& font);

// Height of `text` in pixels: one cell per line.
int text_height(const Font& font, const QString& text);
int text_width(const Font& font, const QString& text);

} // namespace tarnwick::platform
