#pragma once

// The common base of the skinned controls: a widget that owns a persistent surface with its
// own device context and a list of inner parts drawn over it in z-order. The base keeps the
// outer size in twips, turns mouse input into the hit part's own coordinates, and gives the
// host one callback for numbered events and one for property changes. Each control adds its
// parts, its properties, its size rules and its reaction to input.

#include "controls/geometry.h"
#include "controls/parts.h"
#include "controls/property_store.h"
#include "controls/stored_rows.h"
#include "platform/device_context.h"
#include "platform/draw.h"

#include <QImage>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <vector>

namespace tarnwick::controls {

using platform::Hdc;

// The arguments of every event. Mouse events fill Button (1 left, 2 right, 4 middle; for a
// move, the buttons held), Shift (1 Shift, 2 Ctrl, 4 Alt), X and Y in the hit part's pixels;
// key events fill KeyCode, KeyAscii and Shift. The host receives them by reference, so that
// a key handler can change or cancel what the control goes on with.
struct EventArgs {
    std::int16_t Button = 0;
    std::int16_t Shift = 0;
    float X = 0;
    float Y = 0;
    std::int16_t KeyCode = 0;
    std::int16_t KeyAscii = 0;
};

// `event` is the number of the event in the control's own list (its Event enum).
using EventHandler = std::function<void(int event, EventArgs& args)>;
using ChangeHandler = std::function<void(const QString& property)>;

template <class E> constexpr int event_number(E event) {
    return static_cast<int>(event);
}

enum class MouseAction { down, move, up, click, double_click };

class SkinnedControl : public QWidget {
public:
    Hdc get_the_hdc() const { return surface_.hdc(); }
    // Clears the surface, then lays the host's picture at (X, Y) of `origen` over it with the
    // opacity `cantidad`. Throws platform::OverflowError, after the clear, when `cantidad`
    // does not fit a byte.
    void obtener_imagen_fondo(Hdc origen, std::int32_t X, std::int32_t Y, std::int16_t cantidad);

    bool Enabled() const;
    void Enabled(bool value);
    Colour BackColor() const { return surface_.back_colour(); }
    void BackColor(Colour value);

    // The outer geometry, in twips. Resizing applies the control's size rules and re-places
    // its parts; the widget and the surface take the size in whole pixels.
    int Left() const;
    int Top() const;
    int Width() const { return width_twips_; }
    int Height() const { return height_twips_; }
    void Move(int left, int top);
    void Move(int left, int top, int width, int height);
    void Resize(int width, int height);
    int ScaleWidth() const { return surface_.width(); }
    int ScaleHeight() const { return surface_.height(); }

    // The font of the window that holds the control: the default of the font properties.
    const platform::Font& ambient_font() const { return ambient_; }
    void set_ambient_font(platform::Font font) { ambient_ = std::move(font); }

    void on_event(EventHandler handler) { events_ = std::move(handler); }
    void on_change(ChangeHandler handler) { changes_ = std::move(handler); }

    // Applies a stored layout without notifying the host; writes every property, storing
    // nothing for values equal to their defaults.
    virtual void load(const PropertyStore& store) = 0;
    virtual void save(PropertyStore& store) const = 0;

    // What the control shows: the surface with its parts drawn over it.
    QImage render() const;

protected:
    // The control starts at its design size; `rule` adjusts every later size.
    SkinnedControl(QWidget* parent, int width_twips, int height_twips, Colour back,
                   SizeRule rule = {});

    platform::Surface& surface() { return surface_; }
    // BackColor without the change notification, as a load applies it.
    void apply_back_colour(Colour value);

    // The stored rows every control has.
    template <class C> static StoredRow<C> back_colour_row(Colour fallback) {
        return StoredRow<C>::property(
            "BackColor", fallback, [](const C& c) { return c.BackColor(); },
            [](C& c, Colour v) { c.apply_back_colour(v); });
    }
    template <class C> static StoredRow<C> enabled_row() {
        return StoredRow<C>::property(
            "Enabled", true, [](const C& c) { return c.Enabled(); },
            [](C& c, bool v) { c.setEnabled(v); });
    }
    // Parts are drawn bottom first; they belong to the control that adds them.
    void add_parts(std::initializer_list<Part*> parts) { parts_.insert(parts_.end(), parts); }
    // Width and height in pixels as the resize computes them, fraction included.
    double pixel_width() const { return to_pixels(width_twips_); }
    double pixel_height() const { return to_pixels(height_twips_); }

    // The rectangle of the surface that the background capture blends into.
    struct Area {
        int x, y, w, h;
    };
    virtual Area background_area() const { return {1, 1, ScaleWidth() - 2, ScaleHeight() - 2}; }
    virtual void background_captured(Hdc, std::int32_t, std::int32_t) {}
    virtual void back_colour_changed() {}
    // Re-places the parts after a resize.
    virtual void layout() = 0;
    // What the control draws from its state over the surface, under its parts. Painting
    // calls it, so setters only store and ask for a repaint; it never fails.
    virtual void draw_state(QImage& /*picture*/) const {}
    // Show and got focus; controls with a caption layout re-place it here.
    virtual void shown() {}
    // The reaction to input on `part` (nullptr: the bare surface), args in its pixels.
    virtual void mouse(Part* part, MouseAction action, EventArgs& args) = 0;

    void fill_blend(std::uint8_t alpha);
    std::uint32_t packed_blend() const { return blend_packed_; }
    void changed(const char* property);
    template <class E> void raise(E event, EventArgs& args) {
        if (events_) events_(event_number(event), args);
    }
    template <class E> void raise(E event) {
        EventArgs none;
        raise(event, none);
    }

    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    // The part that took the press keeps the mouse until every button is up, as a window
    // that captures the mouse would.
    struct Capture {
        bool active = false;
        Part* part = nullptr;
        QPoint origin;
        bool double_click = false;
    };

    void begin_capture(QPoint p);
    EventArgs mouse_args(const QMouseEvent& event, int button, QPoint local) const;
    bool inside(const Part* part, QPoint local) const;

    platform::Surface surface_;
    SizeRule size_rule_;
    std::vector<Part*> parts_;
    int width_twips_;
    int height_twips_;
    platform::Font ambient_;
    EventHandler events_;
    ChangeHandler changes_;
    platform::BLENDFUNCTION blend_{};
    std::uint32_t blend_packed_ = 0;
    Capture capture_;
};

} // namespace tarnwick::controls
