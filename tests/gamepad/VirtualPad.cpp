#include "VirtualPad.h"

#include <gtest/gtest.h>

VirtualPad::VirtualPad(const std::string& name, bool dpadOnHat)
    : m_name(name)
{
    SDL_VirtualJoystickDesc desc {};
    desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
    // SDL maps a virtual game controller by itself and would ignore an added mapping
    desc.type = dpadOnHat ? SDL_JOYSTICK_TYPE_UNKNOWN : SDL_JOYSTICK_TYPE_GAMECONTROLLER;
    desc.naxes = SDL_CONTROLLER_AXIS_MAX;
    desc.nbuttons = dpadOnHat ? SDL_CONTROLLER_BUTTON_DPAD_UP : SDL_CONTROLLER_BUTTON_MAX;
    desc.nhats = dpadOnHat ? 1 : 0;
    desc.name = m_name.c_str();
    const int index = SDL_JoystickAttachVirtualEx(&desc);
    EXPECT_GE(index, 0) << SDL_GetError();
    if (index < 0)
        return;
    if (dpadOnHat) {
        char guid[33];
        SDL_JoystickGetGUIDString(SDL_JoystickGetDeviceGUID(index), guid, sizeof guid);
        // A mapping line names a model of pad, so its GUID leaves out the checksum of the name
        std::string mappingGuid(guid);
        mappingGuid.replace(4, 4, "0000");
        const std::string mapping = mappingGuid + "," + m_name
            + ",a:b0,b:b1,x:b2,y:b3,back:b4,guide:b5,start:b6,dpup:h0.1,dpright:h0.2,"
              "dpdown:h0.4,dpleft:h0.8,leftx:a0,lefty:a1,";
        EXPECT_GE(SDL_GameControllerAddMapping(mapping.c_str()), 0) << SDL_GetError();
    }
    m_joystick = SDL_JoystickOpen(index);
    EXPECT_NE(m_joystick, nullptr) << SDL_GetError();
    m_instanceId = SDL_JoystickInstanceID(m_joystick);
}

VirtualPad::~VirtualPad() { unplug(); }

void VirtualPad::setButton(SDL_GameControllerButton button, bool down)
{
    ASSERT_TRUE(isPlugged());
    SDL_JoystickSetVirtualButton(m_joystick, button, down ? SDL_PRESSED : SDL_RELEASED);
}

void VirtualPad::setStick(int x, int y)
{
    ASSERT_TRUE(isPlugged());
    SDL_JoystickSetVirtualAxis(m_joystick, SDL_CONTROLLER_AXIS_LEFTX, Sint16(x));
    SDL_JoystickSetVirtualAxis(m_joystick, SDL_CONTROLLER_AXIS_LEFTY, Sint16(y));
}

void VirtualPad::setHat(Uint8 value)
{
    ASSERT_TRUE(isPlugged());
    SDL_JoystickSetVirtualHat(m_joystick, 0, value);
}

// Device indices move as pads come and go: the pad is found again by its instance id.
void VirtualPad::unplug()
{
    if (!m_joystick)
        return;
    SDL_JoystickClose(m_joystick);
    m_joystick = nullptr;
    for (int index = 0; index < SDL_NumJoysticks(); ++index) {
        if (SDL_JoystickGetDeviceInstanceID(index) == m_instanceId) {
            SDL_JoystickDetachVirtual(index);
            return;
        }
    }
    ADD_FAILURE() << m_name << " was no longer attached";
}
