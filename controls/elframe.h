#pragma once

#include "controls/skinned_control.h"

namespace tarnwick::controls {

// A plain area with one-pixel edges that groups other controls, sunken by default (dark top
// and left). Controls placed in it are its child widgets: they move, hide and disable with
// it, and mouse input on them goes to them, not to the frame.
class elframe : public SkinnedControl {
public:
    enum class Event { Click = 1, MouseDown = 2, MouseMove = 3, MouseUp = 4, DblClick = 5 };

    explicit elframe(QWidget* parent = nullptr);

    // The right and bottom edges.
    Colour Color3DLight() const { return LineB_[0].colour; }
    void Color3DLight(Colour value);
    // The top and left edges.
    Colour Color3DDark() const { return LineA_[0].colour; }
    void Color3DDark(Colour value);

    void load(const PropertyStore& store) override;
    void save(PropertyStore& store) const override;

    const LinePart& LineA(int index) const { return LineA_[index]; }
    const LinePart& LineB(int index) const { return LineB_[index]; }

protected:
    void layout() override;
    void mouse(Part* part, MouseAction action, EventArgs& args) override;

private:
    static const StoredRows<elframe>& stored_rows();

    // LineA: 0 top, 1 left; LineB: 0 right, 1 bottom.
    LinePart LineA_[2];
    LinePart LineB_[2];
};

} // namespace tarnwick::controls
