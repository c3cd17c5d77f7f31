#include "VirtualPad.h"

#include <gtest/gtest.h>

VirtualPad::VirtualPad(const std::string& name)
    : m_name(name)
{
    SDL_VirtualJoystickDesc desc {};
    desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
    desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER; // SDL maps it by itself
    desc.naxes = SDL_CONTROLLER_AXIS_MAX;
    desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
    desc.name = m_name.c_str();
    EXPECT_NE(m_joystick = SDL_JoystickOpen(SDL_JoystickAttachVirtualEx(&desc)), nullptr)
        << SDL_GetError();
    m_instanceId = SDL_JoystickInstanceID(m_joystick);
}

// Device indices move as pads come and go: the pad is found again by its instance id
void VirtualPad::unplug()
{
    if (m_joystick)
        SDL_JoystickClose(std::exchange(m_joystick, nullptr));
    for (int index = 0; index < SDL_NumJoysticks(); ++index) {
        if (SDL_JoystickGetDeviceInstanceID(index) == m_instanceId)
            SDL_JoystickDetachVirtual(index);
    }
}
