#pragma once

#include "controls/skinned_control.h"

#include <utility>

namespace tarnwick::controls {

// A skinned control with a main caption and its drop shadow `shadow1`, a black copy one
// pixel to the right and below, beneath the caption. Both parts always carry the same text
// and font; the font members read the main caption.
class CaptionedControl : public SkinnedControl {
public:
    bool DropShadow() const { return shadow1_.visible; }
    void DropShadow(bool value);

    platform::Font Font() const { return caption_.font(); }
    void Font(const platform::Font& value);
    QString FontName() const { return caption_.font().name; }
    void FontName(const QString& value);
    double FontSize() const { return caption_.font().size; }
    void FontSize(double value);
    bool FontItalic() const { return caption_.font().italic; }
    void FontItalic(bool value);
    bool FontUnderline() const { return caption_.font().underline; }
    void FontUnderline(bool value);

    const TextPart& shadow1() const { return shadow1_; }

protected:
    // `shadow` starts hidden and disabled, whatever it was given.
    CaptionedControl(QWidget* parent, int width_twips, int height_twips, Colour back,
                     TextPart caption, TextPart shadow);

    TextPart& caption_part() { return caption_; }
    const TextPart& caption_part() const { return caption_; }
    TextPart& shadow_part() { return shadow1_; }
    void set_caption_text(const QString& text);
    // After every change of the caption's text or font.
    virtual void caption_changed() {}
    // Centres the caption and its shadow in the height, measured in the caption's font,
    // unless the caption part is as tall as the control: then both keep their tops.
    void centre_caption_vertically();

    // "Font", "FontName", "FontSize", "FontItalic", "FontUnderline", defaults from the
    // ambient font, applied to both parts.
    void load_font(const PropertyStore& store);
    void save_font(PropertyStore& store) const;
    void load_drop_shadow(const PropertyStore& store);
    void save_drop_shadow(PropertyStore& store) const;

private:
    void apply_font(const platform::Font& font, const char* property);
    // The caption's font with one attribute changed.
    template <class T> platform::Font font_with(T platform::Font::*attribute, T value) const {
        platform::Font font = caption_.font();
        font.*attribute = std::move(value);
        return font;
    }

    TextPart caption_;
    TextPart shadow1_;
};

} // namespace tarnwick::controls
