#pragma once

#include "controls/captioned_control.h"

namespace tarnwick::controls {

// The window's caption bar and body in one: a raised panel with a 16 x 16 icon, a title with
// an optional drop shadow and a small raised close box along its top.
class elpanel : public CaptionedControl {
public:
    enum class Event {
        Click = 1,
        MouseDown = 2,
        MouseMove = 3,
        MouseUp = 4,
        TitleMouseDown = 5,
        TitleMouseMove = 6,
        TitleMouseUp = 7,
        IconMouseDown = 8,
        IconMouseMove = 9,
        IconMouseUp = 10,
        DblClick = 11,
        CloseClick = 12,
    };

    explicit elpanel(QWidget* parent = nullptr);

    // Copies the 16 x 16 square at the origin of `hdc` into the icon. An unknown handle
    // copies nothing.
    void set_icon(Hdc hdc);
    Hdc get_icon_hdc() const { return Picture1_.surface().hdc(); }
    // Copies the panel's size from the origin of `hdc` onto the panel's own surface.
    void set_the_hdc(Hdc hdc);

    Colour ForeColor() const { return caption_part().fore_colour; }
    void ForeColor(Colour value);
    Colour CloseColor() const { return Label2_.fore_colour; }
    void CloseColor(Colour value);
    Colour Color3DLight() const { return LineA_[0].colour; }
    void Color3DLight(Colour value);
    Colour Color3DDark() const { return LineB_[0].colour; }
    void Color3DDark(Colour value);
    QString Title() const { return caption_part().caption(); }
    void Title(const QString& value);
    bool Icon() const { return icon_; }
    void Icon(bool value);
    bool Cerrar() const { return cerrar_; }
    void Cerrar(bool value);

    void load(const PropertyStore& store) override;
    void save(PropertyStore& store) const override;

    const TextPart& Label1() const { return caption_part(); }
    const CrossPart& Label2() const { return Label2_; }
    const PicturePart& Picture1() const { return Picture1_; }
    const PicturePart& Picture2() const { return Picture2_; }
    const LinePart& LineA(int index) const { return LineA_[index]; }
    const LinePart& LineB(int index) const { return LineB_[index]; }
    const LinePart& Line1A(int index) const { return Line1A_[index]; }
    const LinePart& Line1B(int index) const { return Line1B_[index]; }

protected:
    void background_captured(Hdc origen, std::int32_t X, std::int32_t Y) override;
    void back_colour_changed() override;
    void layout() override;
    void mouse(Part* part, MouseAction action, EventArgs& args) override;

private:
    static const StoredRows<elpanel>& stored_rows();
    void close_box_mouse(MouseAction action, const EventArgs& args);
    void apply_light(Colour value);
    void apply_dark(Colour value);

    // The panel's edges: LineA 0 top, 1 left; LineB 0 right, 1 bottom.
    LinePart LineA_[2];
    LinePart LineB_[2];
    // The close box's edges, indexed the other way round: Line1A 0 left, 1 top;
    // Line1B 0 bottom, 1 right.
    LinePart Line1A_[2];
    LinePart Line1B_[2];
    CrossPart Label2_;
    PicturePart Picture1_;
    PicturePart Picture2_;
    bool icon_ = true;
    bool cerrar_ = true;
};

} // namespace tarnwick::controls
