#pragma once

// The numbers in which the controls report input to their hosts: mouse buttons, the Shift,
// Ctrl and Alt keys, and the classic virtual-key codes of the keyboard.

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPoint>
#include <Qt>
#include <cstdint>

namespace tarnwick::controls {

// The pixel under the pointer, fractions dropped towards minus infinity.
QPoint pixel_at(const QMouseEvent& event);
// 1 left, 2 right, 4 middle.
std::int16_t button_code(Qt::MouseButtons buttons);
// 1 Shift, 2 Ctrl, 4 Alt, and back.
std::int16_t shift_code(Qt::KeyboardModifiers modifiers);
Qt::KeyboardModifiers shift_modifiers(std::int16_t shift);

// The virtual-key code of a key (65 for A, 37 for the left arrow, 96 for 0 on the keypad),
// placed as on a US keyboard; 0 for a key that has none.
std::int16_t key_code(const QKeyEvent& event);

// The key that a virtual-key code names, for handing a key that a host has changed back to
// the toolkit; Qt::Key_unknown for a code that names none.
struct ToolkitKey {
    int key = Qt::Key_unknown;
    bool keypad = false;
};
ToolkitKey toolkit_key(std::int16_t code);

} // namespace tarnwick::controls
