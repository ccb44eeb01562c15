#include "controls/skinned_control.h"

#include "controls/input_codes.h"
#include "platform/errors.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

namespace tarnwick::controls {

namespace {

int whole_pixels(int twips) {
    return std::max(twips, 0) / twips_per_pixel;
}

} // namespace

SkinnedControl::SkinnedControl(QWidget* parent, int width_twips, int height_twips, Colour back,
                               SizeRule rule)
    : QWidget(parent), surface_(whole_pixels(width_twips), whole_pixels(height_twips), back),
      size_rule_(rule), width_twips_(width_twips), height_twips_(height_twips) {
    QWidget::resize(surface_.width(), surface_.height());
    // Moves over a caption are events even while no button is held.
    setMouseTracking(true);
}

void SkinnedControl::obtener_imagen_fondo(Hdc origen, std::int32_t X, std::int32_t Y,
                                          std::int16_t cantidad) {
    surface_.clear();
    update();
    if (cantidad < 0 || cantidad > 255)
        throw platform::OverflowError("the opacity of a background must lie between 0 and 255");
    fill_blend(static_cast<std::uint8_t>(cantidad));
    const Area area = background_area();
    platform::AlphaBlend(get_the_hdc(), area.x, area.y, area.w, area.h, origen, X, Y, area.w,
                         area.h, blend_packed_);
    background_captured(origen, X, Y);
}

void SkinnedControl::fill_blend(std::uint8_t alpha) {
    blend_ = {.BlendOp = 0, .BlendFlags = 0, .SourceConstantAlpha = alpha, .AlphaFormat = 0};
    blend_packed_ = platform::pack(blend_);
}

bool SkinnedControl::Enabled() const {
    return !testAttribute(Qt::WA_ForceDisabled);
}

void SkinnedControl::Enabled(bool value) {
    setEnabled(value);
    if (!value) capture_ = {};
    changed("Enabled");
}

void SkinnedControl::BackColor(Colour value) {
    apply_back_colour(value);
    changed("BackColor");
}

void SkinnedControl::apply_back_colour(Colour value) {
    surface_.set_back_colour(value);
    surface_.clear();
    back_colour_changed();
    update();
}

int SkinnedControl::Left() const {
    return x() * twips_per_pixel;
}
int SkinnedControl::Top() const {
    return y() * twips_per_pixel;
}

void SkinnedControl::Move(int left, int top) {
    QWidget::move(left / twips_per_pixel, top / twips_per_pixel);
}

void SkinnedControl::Move(int left, int top, int width, int height) {
    Move(left, top);
    Resize(width, height);
}

void SkinnedControl::Resize(int width, int height) {
    size_rule_.apply(width, height);
    width_twips_ = width;
    height_twips_ = height;
    surface_.resize(whole_pixels(width), whole_pixels(height));
    const QSize pixels(surface_.width(), surface_.height());
    if (size() != pixels) QWidget::resize(pixels);
    layout();
    update();
}

void SkinnedControl::changed(const char* property) {
    if (changes_) changes_(QString::fromLatin1(property));
}

QImage SkinnedControl::render() const {
    QImage picture = surface_.image().copy();
    draw_state(picture);
    paint_parts(parts_, picture, {0, 0});
    return picture;
}

void SkinnedControl::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(0, 0, render());
}

void SkinnedControl::resizeEvent(QResizeEvent*) {
    // A host that sizes the widget in pixels (a layout, say) still gets the size rules.
    if (size() != QSize(ScaleWidth(), ScaleHeight()))
        Resize(width() * twips_per_pixel, height() * twips_per_pixel);
}

void SkinnedControl::showEvent(QShowEvent*) {
    shown();
}

void SkinnedControl::focusInEvent(QFocusEvent*) {
    shown();
}

void SkinnedControl::begin_capture(QPoint p) {
    if (capture_.active) return;
    QPoint local = p;
    Part* part = hit_parts(parts_, p, local);
    capture_ = {.active = true, .part = part, .origin = p - local, .double_click = false};
}

EventArgs SkinnedControl::mouse_args(const QMouseEvent& event, int button, QPoint local) const {
    EventArgs args;
    args.Button = static_cast<std::int16_t>(button);
    args.Shift = shift_code(event.modifiers());
    args.X = static_cast<float>(local.x());
    args.Y = static_cast<float>(local.y());
    return args;
}

bool SkinnedControl::inside(const Part* part, QPoint local) const {
    const QSize size = part ? part->bounds().size() : QWidget::size();
    return QRect(QPoint(0, 0), size).contains(local);
}

void SkinnedControl::mousePressEvent(QMouseEvent* event) {
    const QPoint p = pixel_at(*event);
    begin_capture(p);
    EventArgs args = mouse_args(*event, button_code(event->button()), p - capture_.origin);
    mouse(capture_.part, MouseAction::down, args);
}

void SkinnedControl::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return mousePressEvent(event);
    // The second press of a double click is the double click itself, not a MouseDown.
    begin_capture(pixel_at(*event));
    capture_.double_click = true;
    EventArgs none;
    mouse(capture_.part, MouseAction::double_click, none);
}

void SkinnedControl::mouseMoveEvent(QMouseEvent* event) {
    const QPoint p = pixel_at(*event);
    QPoint local = p;
    Part* part = nullptr;
    if (capture_.active) {
        part = capture_.part;
        local = p - capture_.origin;
    } else {
        part = hit_parts(parts_, p, local);
    }
    EventArgs args = mouse_args(*event, button_code(event->buttons()), local);
    mouse(part, MouseAction::move, args);
}

void SkinnedControl::mouseReleaseEvent(QMouseEvent* event) {
    if (!capture_.active) return;
    const Capture pressed = capture_;
    if (event->buttons() == Qt::NoButton) capture_ = {};
    const QPoint local = pixel_at(*event) - pressed.origin;
    EventArgs args = mouse_args(*event, button_code(event->button()), local);
    mouse(pressed.part, MouseAction::up, args);
    // A click is the left button going up over the part that took the press.
    if (event->button() == Qt::LeftButton && !capture_.active && !pressed.double_click &&
        inside(pressed.part, local)) {
        EventArgs none;
        mouse(pressed.part, MouseAction::click, none);
    }
}

} // namespace tarnwick::controls
