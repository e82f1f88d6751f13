#pragma once

#include <SDL.h>

namespace tesselo::testing {

// A controller of SDL's own making, attached and let go as the test says:
// the whole path from SDL's events to the commands, with no device.
struct VirtualPad {
    VirtualPad()
    {
        SDL_VirtualJoystickDesc desc{};
        desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
        desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
        desc.naxes = SDL_CONTROLLER_AXIS_MAX;
        desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
        desc.name = "Tesselo test pad";
        const int index = SDL_JoystickAttachVirtualEx(&desc);
        if (index >= 0)
            stick = SDL_JoystickOpen(index);
    }
    ~VirtualPad() { Detach(); }
    VirtualPad(const VirtualPad&) = delete;
    VirtualPad& operator=(const VirtualPad&) = delete;
    void Detach()
    {
        if (!stick)
            return;
        const int instance = SDL_JoystickInstanceID(stick);
        SDL_JoystickClose(stick);
        stick = nullptr;
        for (int i = 0; i < SDL_NumJoysticks(); ++i)
            if (SDL_JoystickGetDeviceInstanceID(i) == instance)
                SDL_JoystickDetachVirtual(i);
    }
    void Button(SDL_GameControllerButton button, bool down) { SDL_JoystickSetVirtualButton(stick, button, down); }
    void Axis(SDL_GameControllerAxis axis, Sint16 value) { SDL_JoystickSetVirtualAxis(stick, axis, value); }
    SDL_Joystick* stick = nullptr;
};

} // namespace tesselo::testing
