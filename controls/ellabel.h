#pragma once

#include "controls/captioned_control.h"

namespace tarnwick::controls {

// One line of text at a fixed height, centred vertically, with an optional drop shadow. It
// has no edges and draws nothing itself; only the caption takes mouse input.
class ellabel : public CaptionedControl {
public:
    enum class Event { Click = 1, DblClick = 2, MouseDown = 3, MouseMove = 4, MouseUp = 5 };

    explicit ellabel(QWidget* parent = nullptr);

    Colour ForeColor() const { return caption_part().fore_colour; }
    void ForeColor(Colour value);
    QString Caption() const { return caption_part().caption(); }
    void Caption(const QString& value);

    void load(const PropertyStore& store) override;
    void save(PropertyStore& store) const override;

    const TextPart& Label2() const { return caption_part(); }

protected:
    Area background_area() const override { return {0, 0, ScaleWidth(), ScaleHeight()}; }
    void layout() override { place_caption(); }
    void shown() override { place_caption(); }
    void caption_changed() override { place_caption(); }
    void mouse(Part* part, MouseAction action, EventArgs& args) override;

private:
    static const StoredRows<ellabel>& stored_rows();
    void place_caption();
};

} // namespace tarnwick::controls
