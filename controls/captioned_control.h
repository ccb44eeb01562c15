#pragma once

#include "controls/skinned_control.h"

#include <utility>

namespace tarnwick::controls {

// A skinned control that shows text in one font: the five font properties, each a view of
// that one font, and their stored rows.
class FontedControl : public SkinnedControl {
public:
    platform::Font Font() const { return shown_font(); }
    void Font(const platform::Font& value) { set_font(value, "Font"); }
    QString FontName() const { return shown_font().name; }
    void FontName(const QString& value) {
        set_font(font_with(&platform::Font::name, value), "FontName");
    }
    double FontSize() const { return shown_font().size; }
    void FontSize(double value) { set_font(font_with(&platform::Font::size, value), "FontSize"); }
    bool FontItalic() const { return shown_font().italic; }
    void FontItalic(bool value) {
        set_font(font_with(&platform::Font::italic, value), "FontItalic");
    }
    bool FontUnderline() const { return shown_font().underline; }
    void FontUnderline(bool value) {
        set_font(font_with(&platform::Font::underline, value), "FontUnderline");
    }

protected:
    using SkinnedControl::SkinnedControl;

    virtual platform::Font shown_font() const = 0;
    // Shows `font` as a setter does, before the host hears of the change.
    virtual void apply_font(const platform::Font& font) = 0;

    // "Font", "FontName", "FontSize", "FontItalic", "FontUnderline", defaults from the
    // ambient font; `apply` gives the control the font read.
    template <class C, class Apply> static StoredRow<C> font_row(Apply apply) {
        return {QStringLiteral("Font"),
                [=](C& c, const PropertyStore& s) { apply(c, read_font(s, c.ambient_font())); },
                [](const C& c, PropertyStore& s) { write_font(s, c.Font(), c.ambient_font()); }};
    }

private:
    void set_font(const platform::Font& font, const char* property) {
        apply_font(font);
        changed(property);
    }
    // The font with one attribute changed.
    template <class T> platform::Font font_with(T platform::Font::*attribute, T value) const {
        platform::Font font = shown_font();
        font.*attribute = std::move(value);
        return font;
    }
};

// A skinned control with a main caption and its drop shadow `shadow1`, a black copy one
// pixel to the right and below, beneath the caption. Both parts always carry the same text
// and font; the font members read the main caption.
class CaptionedControl : public FontedControl {
public:
    bool DropShadow() const { return shadow1_.visible; }
    void DropShadow(bool value);

    const TextPart& shadow1() const { return shadow1_; }

protected:
    // `shadow` starts hidden and disabled, whatever it was given.
    CaptionedControl(QWidget* parent, int width_twips, int height_twips, Colour back,
                     TextPart caption, TextPart shadow, SizeRule rule = {});

    TextPart& caption_part() { return caption_; }
    const TextPart& caption_part() const { return caption_; }
    TextPart& shadow_part() { return shadow1_; }
    void set_caption_text(const QString& text);
    // After every change of the caption's text or font.
    virtual void caption_changed() {}
    // Centres the caption and its shadow in the height, measured in the caption's font,
    // unless the caption part is as tall as the control: then both keep their tops.
    void centre_caption_vertically();

    platform::Font shown_font() const override { return caption_.font(); }
    void apply_font(const platform::Font& font) override;

    // The stored rows of the caption's text under `name`, its font (applied to both parts)
    // and DropShadow.
    template <class C> static StoredRow<C> caption_row(const char* name, const QString& fallback) {
        return StoredRow<C>::property(
            name, fallback, [](const C& c) { return c.caption_.caption(); },
            [](C& c, const QString& v) {
                c.caption_.set_caption(v);
                c.shadow1_.set_caption(v);
            });
    }
    template <class C> static StoredRow<C> font_row() {
        return FontedControl::font_row<C>([](C& c, const platform::Font& font) {
            c.caption_.set_font(font);
            c.shadow1_.set_font(font);
        });
    }
    template <class C> static StoredRow<C> drop_shadow_row() {
        return StoredRow<C>::property(
            "DropShadow", false, [](const C& c) { return c.shadow1_.visible; },
            [](C& c, bool v) { c.shadow1_.visible = c.shadow1_.enabled = v; });
    }

private:
    TextPart caption_;
    TextPart shadow1_;
};

} // namespace tarnwick::controls
