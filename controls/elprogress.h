#pragma once

#include "analysis/progress.h"
#include "controls/skinned_control.h"

namespace tarnwick::controls {

// How many blocks of the bar are filled: floor(Value * places / Max), the product in 32
// bits. Throws analysis::ProgressRangeError when Max is 0 or the product leaves 32 bits,
// the cases in which the bar cannot be drawn.
std::int32_t filled_blocks(std::int32_t value, std::int32_t max, std::int32_t places);

// The progress bar: a sunken frame around a row of 8 x 16 px blocks, 12 px apart, filled as
// far as Value reaches of 0 to Max, drawn at every paint over the background a host last gave
// it. A set whose range cannot be shown (Max 0) keeps the values it stored and the blocks
// shown before, and throws analysis::ProgressRangeError without notifying the host; so does
// every later set that changes the look, until Max is positive again.
class elprogress : public SkinnedControl, public analysis::ProgressTarget {
public:
    enum class Event { Click = 1, DblClick = 2, MouseDown = 3, MouseMove = 4, MouseUp = 5 };

    explicit elprogress(QWidget* parent = nullptr);

    // The colour of the blocks.
    Colour ForeColor() const { return fore_; }
    void ForeColor(Colour value);
    // The bottom and right edges.
    Colour Color3DLight() const { return Line1_[1].colour; }
    void Color3DLight(Colour value);
    // The top and left edges.
    Colour Color3DDark() const { return Line1_[0].colour; }
    void Color3DDark(Colour value);

    std::int32_t Min() const { return min_; }
    std::int32_t Max() const override { return max_; }
    std::int32_t Value() const override { return value_; }
    // Always stores 0: the bar shows the range from 0.
    void Min(std::int32_t value);
    void Max(std::int32_t value) override;
    void Value(std::int32_t value) override;

    void load(const PropertyStore& store) override;
    void save(PropertyStore& store) const override;

    // 0 top, 1 bottom, 2 right, 3 left.
    const LinePart& Line1(int index) const { return Line1_[index]; }

protected:
    void background_captured(Hdc origen, std::int32_t X, std::int32_t Y) override;
    // BackColor has just cleared the surface: lay the background again.
    void back_colour_changed() override;
    void layout() override;
    void mouse(Part* part, MouseAction action, EventArgs& args) override;
    void resizeEvent(QResizeEvent* event) override;
    void draw_state(QImage& picture) const override { draw_bar(picture); }

private:
    // The blocks as the last set that could show them left them.
    struct Shown {
        std::int32_t filled = 0;
        Colour fore = 0;
    };

    static const StoredRows<elprogress>& stored_rows();
    // Takes the blocks the state fills, or throws, leaving those shown as they were.
    void show_state();
    // The host's picture blended over the cleared surface, where the blocks are drawn.
    void lay_background();
    void draw_bar(QImage& picture) const;

    LinePart Line1_[4];
    Shown shown_;
    Colour fore_;
    std::int32_t min_ = 0;
    std::int32_t max_ = 10;
    std::int32_t value_ = 0;
    // The host's picture that every repaint lays under the blocks again.
    Hdc back_source_ = 0;
    std::int16_t back_opacity_ = 0;
    std::int32_t back_x_ = 0;
    std::int32_t back_y_ = 0;
};

} // namespace tarnwick::controls
