#include "controls/input_codes.h"

#include "platform/os/system.h"

#include <array>
#include <cmath>
#include <utility>

namespace tarnwick::controls {

namespace {

struct KeyPair {
    int key;
    std::int16_t code;
};

// Keys whose codes are not their characters. Where two keys share a code (the shifted
// symbols of the US layout share their key's), the first is the one a code gives back.
constexpr std::array named_keys{
    KeyPair{Qt::Key_Backspace, 8},
    KeyPair{Qt::Key_Tab, 9},
    KeyPair{Qt::Key_Backtab, 9},
    KeyPair{Qt::Key_Clear, 12},
    KeyPair{Qt::Key_Return, 13},
    KeyPair{Qt::Key_Enter, 13},
    KeyPair{Qt::Key_Shift, 16},
    KeyPair{Qt::Key_Control, 17},
    KeyPair{Qt::Key_Alt, 18},
    KeyPair{Qt::Key_Pause, 19},
    KeyPair{Qt::Key_CapsLock, 20},
    KeyPair{Qt::Key_Escape, 27},
    KeyPair{Qt::Key_Space, 32},
    KeyPair{Qt::Key_PageUp, 33},
    KeyPair{Qt::Key_PageDown, 34},
    KeyPair{Qt::Key_End, 35},
    KeyPair{Qt::Key_Home, 36},
    KeyPair{Qt::Key_Left, 37},
    KeyPair{Qt::Key_Up, 38},
    KeyPair{Qt::Key_Right, 39},
    KeyPair{Qt::Key_Down, 40},
    KeyPair{Qt::Key_Select, 41},
    KeyPair{Qt::Key_Print, 44},
    KeyPair{Qt::Key_Insert, 45},
    KeyPair{Qt::Key_Delete, 46},
    KeyPair{Qt::Key_Help, 47},
    KeyPair{Qt::Key_Meta, 91},
    KeyPair{Qt::Key_Menu, 93},
    KeyPair{Qt::Key_NumLock, 144},
    KeyPair{Qt::Key_ScrollLock, 145},
    KeyPair{Qt::Key_Semicolon, 186},
    KeyPair{Qt::Key_Colon, 186},
    KeyPair{Qt::Key_Equal, 187},
    KeyPair{Qt::Key_Plus, 187},
    KeyPair{Qt::Key_Comma, 188},
    KeyPair{Qt::Key_Less, 188},
    KeyPair{Qt::Key_Minus, 189},
    KeyPair{Qt::Key_Underscore, 189},
    KeyPair{Qt::Key_Period, 190},
    KeyPair{Qt::Key_Greater, 190},
    KeyPair{Qt::Key_Slash, 191},
    KeyPair{Qt::Key_Question, 191},
    KeyPair{Qt::Key_QuoteLeft, 192},
    KeyPair{Qt::Key_AsciiTilde, 192},
    KeyPair{Qt::Key_BracketLeft, 219},
    KeyPair{Qt::Key_BraceLeft, 219},
    KeyPair{Qt::Key_Backslash, 220},
    KeyPair{Qt::Key_Bar, 220},
    KeyPair{Qt::Key_BracketRight, 221},
    KeyPair{Qt::Key_BraceRight, 221},
    KeyPair{Qt::Key_Apostrophe, 222},
    KeyPair{Qt::Key_QuoteDbl, 222},
    KeyPair{Qt::Key_ParenRight, 48},
    KeyPair{Qt::Key_Exclam, 49},
    KeyPair{Qt::Key_At, 50},
    KeyPair{Qt::Key_NumberSign, 51},
    KeyPair{Qt::Key_Dollar, 52},
    KeyPair{Qt::Key_Percent, 53},
    KeyPair{Qt::Key_AsciiCircum, 54},
    KeyPair{Qt::Key_Ampersand, 55},
    KeyPair{Qt::Key_Asterisk, 56},
    KeyPair{Qt::Key_ParenLeft, 57},
};

// The keypad's own codes; with Num Lock off its keys arrive as the named keys above.
constexpr std::array keypad_keys{
    KeyPair{Qt::Key_Asterisk, 106}, KeyPair{Qt::Key_Plus, 107},  KeyPair{Qt::Key_Minus, 109},
    KeyPair{Qt::Key_Period, 110},   KeyPair{Qt::Key_Comma, 110}, KeyPair{Qt::Key_Slash, 111},
};

constexpr std::int16_t code_0 = 48, code_a = 65, code_keypad_0 = 96, code_f1 = 112;
constexpr int function_keys = 24;

template <std::size_t N> std::int16_t code_in(const std::array<KeyPair, N>& table, int key) {
    for (const KeyPair& pair : table)
        if (pair.key == key) return pair.code;
    return 0;
}

template <std::size_t N> int key_in(const std::array<KeyPair, N>& table, std::int16_t code) {
    for (const KeyPair& pair : table)
        if (pair.code == code) return pair.key;
    return Qt::Key_unknown;
}

} // namespace

QPoint pixel_at(const QMouseEvent& event) {
    const QPointF p = event.position();
    return {static_cast<int>(std::floor(p.x())), static_cast<int>(std::floor(p.y()))};
}

std::int16_t button_code(Qt::MouseButtons buttons) {
    std::int16_t code = 0;
    if (buttons & Qt::LeftButton) code |= 1;
    if (buttons & Qt::RightButton) code |= 2;
    if (buttons & Qt::MiddleButton) code |= 4;
    return code;
}

std::int16_t shift_code(Qt::KeyboardModifiers modifiers) {
    std::int16_t code = 0;
    if (modifiers & Qt::ShiftModifier) code |= 1;
    if (modifiers & Qt::ControlModifier) code |= 2;
    if (modifiers & Qt::AltModifier) code |= 4;
    return code;
}

Qt::KeyboardModifiers shift_modifiers(std::int16_t shift) {
    Qt::KeyboardModifiers modifiers;
    if (shift & 1) modifiers |= Qt::ShiftModifier;
    if (shift & 2) modifiers |= Qt::ControlModifier;
    if (shift & 4) modifiers |= Qt::AltModifier;
    return modifiers;
}

std::int16_t key_code(const QKeyEvent& event) {
    if (const int native = platform::os::native_key_code(event); native != 0)
        return static_cast<std::int16_t>(native);
    const int key = event.key();
    const bool keypad = event.modifiers() & Qt::KeypadModifier;
    if (key >= Qt::Key_0 && key <= Qt::Key_9)
        return static_cast<std::int16_t>((keypad ? code_keypad_0 : code_0) + (key - Qt::Key_0));
    if (key >= Qt::Key_A && key <= Qt::Key_Z)
        return static_cast<std::int16_t>(code_a + (key - Qt::Key_A));
    if (key >= Qt::Key_F1 && key < Qt::Key_F1 + function_keys)
        return static_cast<std::int16_t>(code_f1 + (key - Qt::Key_F1));
    if (keypad)
        if (const std::int16_t code = code_in(keypad_keys, key)) return code;
    return code_in(named_keys, key);
}

ToolkitKey toolkit_key(std::int16_t code) {
    if (code >= code_0 && code < code_0 + 10) return {Qt::Key_0 + (code - code_0), false};
    if (code >= code_a && code < code_a + 26) return {Qt::Key_A + (code - code_a), false};
    if (code >= code_keypad_0 && code < code_keypad_0 + 10)
        return {Qt::Key_0 + (code - code_keypad_0), true};
    if (code >= code_f1 && code < code_f1 + function_keys)
        return {Qt::Key_F1 + (code - code_f1), false};
    if (const int key = key_in(keypad_keys, code); key != Qt::Key_unknown) return {key, true};
    return {key_in(named_keys, code), false};
}

} // namespace tarnwick::controls
