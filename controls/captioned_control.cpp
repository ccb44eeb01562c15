#include "controls/captioned_control.h"

#include <utility>

namespace tarnwick::controls {

CaptionedControl::CaptionedControl(QWidget* parent, int width_twips, int height_twips, Colour back,
                                   TextPart caption, TextPart shadow, SizeRule rule)
    : FontedControl(parent, width_twips, height_twips, back, rule), caption_(std::move(caption)),
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

void CaptionedControl::apply_font(const platform::Font& font) {
    caption_.set_font(font);
    shadow1_.set_font(font);
    caption_changed();
    update();
}

void CaptionedControl::set_caption_text(const QString& text) {
    caption_.set_caption(text);
    shadow1_.set_caption(text);
    caption_changed();
    update();
}

void CaptionedControl::centre_caption_vertically() {
    const int text = platform::text_height(caption_.font(), caption_.caption());
    if (const auto top = centred_top(caption_.height, ScaleHeight(), text)) {
        caption_.top = *top;
        shadow1_.top = *top + 1;
    }
}

} // namespace tarnwick::controls
