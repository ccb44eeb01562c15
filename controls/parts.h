#pragma once

// The inner parts of a control: text, lines and pictures, drawn over the control's surface
// in z-order. Parts are plain state; positions and sizes are pixels of the part's parent and
// may be fractional, as the controls compute them.

#include "platform/colour.h"
#include "platform/device_context.h"
#include "platform/fonts.h"

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QString>
#include <initializer_list>
#include <vector>

namespace tarnwick::controls {

using platform::Colour;

class Part {
public:
    virtual ~Part() = default;

    bool visible = true;
    // A disabled part lets mouse input through to what lies below it.
    bool enabled = true;

    // Draws the part onto `target`, whose origin lies at `origin` in the part's parent.
    virtual void paint(QImage& target, QPoint origin) const = 0;
    // The part's rectangle in whole pixels of its parent; empty for parts without an area.
    virtual QRect bounds() const { return {}; }
    // The topmost part at `p` (parent pixels) that takes mouse input, or nullptr. `local`
    // receives `p` in that part's own pixels.
    virtual Part* hit(QPoint p, QPoint& local);
};

// A one-pixel line from (x1, y1) to (x2, y2), its end point not drawn. Takes no input.
class LinePart : public Part {
public:
    LinePart(double x1, double y1, double x2, double y2, Colour colour)
        : x1(x1), y1(y1), x2(x2), y2(y2), colour(colour) {}

    double x1, y1, x2, y2;
    Colour colour;

    void paint(QImage& target, QPoint origin) const override;
    Part* hit(QPoint, QPoint&) override { return nullptr; }
};

// A caption on a transparent background, clipped to its rectangle. An auto-sized part
// takes the size of its text whenever the caption or the font changes.
class TextPart : public Part {
public:
    enum class Align { left, centre };

    TextPart(QString caption, platform::Font font, Colour fore, double left, double top,
             double width, double height, bool auto_size = false);

    const QString& caption() const { return caption_; }
    void set_caption(QString caption);
    const platform::Font& font() const { return font_; }
    void set_font(platform::Font font);
    bool auto_size() const { return auto_size_; }

    Colour fore_colour;
    double left, top, width, height;
    Align align = Align::left;

    void paint(QImage& target, QPoint origin) const override;
    QRect bounds() const override;

private:
    void fit();

    QString caption_;
    platform::Font font_;
    bool auto_size_;
};

// A close cross: two diagonals three pixels thick across a `size`-pixel square, centred in
// its rectangle (rounded up and left). Drawn with lines rather than as a symbol face's glyph,
// so that it looks the same on every system, whatever faces the system has.
class CrossPart : public Part {
public:
    CrossPart(double left, double top, int width, int height, int size, Colour colour)
        : fore_colour(colour), left(left), top(top), width(width), height(height), size(size) {}

    Colour fore_colour;
    double left, top;
    int width, height, size;

    void paint(QImage& target, QPoint origin) const override;
    QRect bounds() const override;
};

// A small child surface with its own device context, holding further parts of its own.
class PicturePart : public Part {
public:
    PicturePart(double left, double top, int width, int height, Colour back);

    platform::Surface& surface() { return surface_; }
    const platform::Surface& surface() const { return surface_; }
    // Bottom first; the parts belong to the owner of the picture.
    void add(std::initializer_list<Part*> parts) { children_.insert(children_.end(), parts); }

    double left, top;

    // The surface with the children drawn over it.
    QImage composed() const;
    void paint(QImage& target, QPoint origin) const override;
    QRect bounds() const override;
    Part* hit(QPoint p, QPoint& local) override;

private:
    platform::Surface surface_;
    std::vector<Part*> children_;
};

// Draws `parts` (bottom first) over `target`, whose origin lies at `origin`.
void paint_parts(const std::vector<Part*>& parts, QImage& target, QPoint origin);
// The topmost visible, enabled part of `parts` at `p`, or nullptr.
Part* hit_parts(const std::vector<Part*>& parts, QPoint p, QPoint& local);

} // namespace tarnwick::controls
