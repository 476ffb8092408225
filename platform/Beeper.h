#pragma once

namespace rotenu {

// The system's default beep: the program's one signal for a refused input.
class Beeper {
public:
    virtual ~Beeper() = default;
    virtual void beep() = 0;
};

} // namespace rotenu
