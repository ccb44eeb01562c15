#include "controls/captioned_control.h"

#include <utility>

namespace tarnwick::controls {

CaptionedControl::CaptionedControl(QWidget* parent, int width_twips, int height_twips, Colour back,
                                   TextPart caption, TextPart shadow)
    : SkinnedControl(parent, width_twips, height_twips, back), caption_(std::move(caption)),
      shadow1_(std::move(shadow)) {
    shadow1_.visible = false;
    shadow1_.enabled = false;
}

void CaptionedControl::DropShadow(bool value) {
    shadow1_.visible = value;
    shadow1_.enabled = value;
    update();
    changed("DropShadow");
}

void CaptionedControl::apply_font(const platform::Font& font, const char* property) {
    caption_.set_font(font);
    shadow1_.set_font(font);
    caption_changed();
    update();
    changed(property);
}

void CaptionedControl::Font(const platform::Font& value) {
    apply_font(value, "Font");
}

void CaptionedControl::FontName(const QString& value) {
    apply_font(font_with(&platform::Font::name, value), "FontName");
}

void CaptionedControl::FontSize(double value) {
    apply_font(font_with(&platform::Font::size, value), "FontSize");
}

void CaptionedControl::FontItalic(bool value) {
    apply_font(font_with(&platform::Font::italic, value), "FontItalic");
}

void CaptionedControl::FontUnderline(bool value) {
    apply_font(font_with(&platform::Font::underline, value), "FontUnderline");
}

void CaptionedControl::set_caption_text(const QString& text) {
    caption_.set_caption(text);
    shadow1_.set_caption(text);
    caption_changed();
    update();
}

void CaptionedControl::load_font(const PropertyStore& store) {
    const platform::Font font = read_font(store, ambient_font());
    caption_.set_font(font);
    shadow1_.set_font(font);
}

void CaptionedControl::save_font(PropertyStore& store) const {
    write_font(store, caption_.font(), ambient_font());
}

void CaptionedControl::load_drop_shadow(const PropertyStore& store) {
    const bool shown = store.read(QStringLiteral("DropShadow"), false);
    shadow1_.visible = shown;
    shadow1_.enabled = shown;
}

void CaptionedControl::save_drop_shadow(PropertyStore& store) const {
    store.write(QStringLiteral("DropShadow"), shadow1_.visible, false);
}

void CaptionedControl::centre_caption_vertically() {
    const int text = platform::text_height(caption_.font(), caption_.caption());
    if (const auto top = centred_top(caption_.height, ScaleHeight(), text)) {
        caption_.top = *top;
        shadow1_.top = *top + 1;
    }
}

} // namespace tarnwick::controls
