#pragma once

#include "controls/skinned_control.h"

namespace tarnwick::controls {

// The event that `action` raises in a control whose list has Click, DblClick, MouseDown,
// MouseMove and MouseUp, whatever their numbers. Click and DblClick are raised with the
// empty arguments that the base hands over for them.
template <class E> constexpr E mouse_event(MouseAction action) {
    switch (action) {
    case MouseAction::down:
        return E::MouseDown;
    case MouseAction::move:
        return E::MouseMove;
    case MouseAction::up:
        return E::MouseUp;
    case MouseAction::double_click:
        return E::DblClick;
    case MouseAction::click:
        break;
    }
    return E::Click;
}

} // namespace tarnwick::controls
