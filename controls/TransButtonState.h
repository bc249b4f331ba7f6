#pragma once
// The states of a transparent caption button; each chooses the caption's colour and offset.

namespace tressel {

enum class TransButtonState {
    Hover = 0,     // the pointer entered: hover colour
    Idle = 1,      // initial, pointer left, or disabled: caption colour
    Released = 2,  // left button released over the button: hover colour
    Pressed = 3,   // left button pressed on the button: caption colour, 1 pixel right and down
};

}  // namespace tressel
