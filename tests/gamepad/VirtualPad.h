// A game controller made of SDL's virtual joystick, for tests to plug in, play and unplug
#pragma once

#include <SDL.h>

#include <string>

// Plugged in when made, unplugged when destroyed. What is set reaches SDL at its next event pump.
class VirtualPad {
public:
    explicit VirtualPad(const std::string& name);
    ~VirtualPad() { unplug(); }

    void setButton(int b, bool down) { SDL_JoystickSetVirtualButton(m_joystick, b, down); }
    void setStick(int x, int y)
    {
        SDL_JoystickSetVirtualAxis(m_joystick, SDL_CONTROLLER_AXIS_LEFTX, Sint16(x));
        SDL_JoystickSetVirtualAxis(m_joystick, SDL_CONTROLLER_AXIS_LEFTY, Sint16(y));
    }
    // Whether SDL, at its last event pump, read the button as down
    bool isSeenDown(int b) const { return SDL_JoystickGetButton(m_joystick, b) != 0; }
    void unplug();
    const std::string& name() const { return m_name; }

private:
    std::string m_name;
    SDL_Joystick* m_joystick = nullptr;
    SDL_JoystickID m_instanceId = -1;
};
