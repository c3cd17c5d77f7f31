// A game controller made of SDL's virtual joystick, for tests to plug in, play and unplug
#pragma once

#include <SDL.h>

#include <string>

// Plugged in when made, unplugged when destroyed. What is set reaches SDL at its next event pump.
class VirtualPad {
public:
    // A pad SDL maps by itself, or one whose D-pad is a hat mapped by an added mapping line
    explicit VirtualPad(const std::string& name, bool dpadOnHat = false);
    ~VirtualPad();
    VirtualPad(const VirtualPad&) = delete;
    VirtualPad& operator=(const VirtualPad&) = delete;

    void setButton(SDL_GameControllerButton button, bool down);
    void press(SDL_GameControllerButton button) { setButton(button, true); }
    void release(SDL_GameControllerButton button) { setButton(button, false); }
    void setStick(int x, int y);
    void setHat(Uint8 value);
    void unplug();

    bool isPlugged() const { return m_joystick != nullptr; }
    const std::string& name() const { return m_name; }

private:
    std::string m_name;
    SDL_Joystick* m_joystick = nullptr;
    SDL_JoystickID m_instanceId = -1;
};
