#include "Gamepads.h"

#include "GameState.h"

#include <QPointer>

#include <SDL.h>

#include <algorithm>
#include <span>

namespace fendral {

namespace {

    constexpr int EventBatch = 64;

    int dpadDirection(int button)
    {
        switch (button) {
        case SDL_CONTROLLER_BUTTON_DPAD_UP:
            return Up;
        case SDL_CONTROLLER_BUTTON_DPAD_DOWN:
            return Down;
        case SDL_CONTROLLER_BUTTON_DPAD_LEFT:
            return Left;
        case SDL_CONTROLLER_BUTTON_DPAD_RIGHT:
            return Right;
        default:
            return StickDirection::None;
        }
    }

    constexpr SDL_GameControllerButton DpadButtons[]
        = { SDL_CONTROLLER_BUTTON_DPAD_UP, SDL_CONTROLLER_BUTTON_DPAD_DOWN,
              SDL_CONTROLLER_BUTTON_DPAD_LEFT, SDL_CONTROLLER_BUTTON_DPAD_RIGHT };

} // namespace

Gamepads::Gamepads(QObject* parent)
    : QObject(parent)
{
    // Ctrl+C in a terminal belongs to Qt's default handling, not to an SDL quit event nobody reads
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    m_available = SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) == 0;
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &Gamepads::poll);
    if (m_available)
        openWaitingPads();
    setPollInterval(MenuPollInterval);
}

Gamepads::~Gamepads()
{
    if (!m_available)
        return;
    for (int slot = 0; slot < SlotCount; ++slot)
        closePad(slot);
    SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
}

bool Gamepads::isConnected(int slot) const { return isValidSlot(slot) && m_pads[slot].controller; }

QString Gamepads::padName(int slot) const
{
    return isConnected(slot) ? m_pads[slot].name : QString();
}

int Gamepads::heldDirection(int slot) const
{
    if (!isConnected(slot))
        return StickDirection::None;
    const Pad& pad = m_pads[slot];
    return pad.dpad != StickDirection::None ? pad.dpad : pad.stick.direction();
}

void Gamepads::setPollInterval(int intervalMs)
{
    m_pollInterval = std::max(intervalMs, 0);
    if (m_available && m_pollInterval > 0)
        m_timer.start(m_pollInterval);
    else
        m_timer.stop();
}

void Gamepads::poll()
{
    if (!m_available)
        return;
    m_requests.clear();
    Changes changes;
    SDL_PumpEvents();
    readEvents(changes);
    // A pad can vanish without its removal reaching the queue (a queue flushed elsewhere)
    if (closeDetachedPads())
        changes.slotsChanged = changes.devicesChanged = true;
    if (changes.devicesChanged && openWaitingPads())
        changes.slotsChanged = true;
    readHeldDirections();

    std::vector<Request> requests;
    requests.swap(m_requests);
    emitRequests(requests, changes.slotsChanged);
}

void Gamepads::readEvents(Changes& changes)
{
    SDL_Event events[EventBatch];
    int count;
    while ((count = SDL_PeepEvents(events, EventBatch, SDL_GETEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT))
        > 0) {
        for (const SDL_Event& event : std::span(events, count)) {
            switch (event.type) {
            case SDL_CONTROLLERDEVICEADDED:
                changes.devicesChanged = true;
                break;
            case SDL_CONTROLLERDEVICEREMOVED:
                changes.devicesChanged = true;
                if (const int slot = slotOfInstance(event.cdevice.which); slot >= 0) {
                    closePad(slot);
                    changes.slotsChanged = true;
                }
                break;
            case SDL_CONTROLLERBUTTONDOWN:
                if (const int slot = slotOfInstance(event.cbutton.which); slot >= 0)
                    buttonPressed(slot, event.cbutton.button);
                break;
            default: // the joysticks' own events are read through the controllers instead
                if (m_otherEvents)
                    m_otherEvents(event);
                break;
            }
        }
    }
}

int Gamepads::slotOfInstance(int32_t instanceId) const
{
    for (int slot = 0; slot < SlotCount; ++slot) {
        if (m_pads[slot].controller && m_pads[slot].instanceId == instanceId)
            return slot;
    }
    return -1;
}

// Device indices shift as pads come and go, so every change is met by a fresh scan that opens
// the controllers no slot holds yet, in SDL's order, while slots are free.
bool Gamepads::openWaitingPads()
{
    bool opened = false;
    const int devices = SDL_NumJoysticks();
    for (int index = 0; index < devices; ++index) {
        const auto freeSlot = std::find_if(
            m_pads.begin(), m_pads.end(), [](const Pad& pad) { return !pad.controller; });
        if (freeSlot == m_pads.end())
            break;
        if (!SDL_IsGameController(index) || hasInstance(SDL_JoystickGetDeviceInstanceID(index)))
            continue;
        SDL_GameController* controller = SDL_GameControllerOpen(index);
        if (!controller)
            continue;
        SDL_Joystick* joystick = SDL_GameControllerGetJoystick(controller);
        const int32_t instanceId = joystick ? SDL_JoystickInstanceID(joystick) : -1;
        if (instanceId < 0 || hasInstance(instanceId)) {
            SDL_GameControllerClose(controller);
            continue;
        }
        const char* name = SDL_GameControllerName(controller);
        *freeSlot = Pad { controller, instanceId, QString::fromUtf8(name ? name : ""), {} };
        opened = true;
    }
    return opened;
}

bool Gamepads::closeDetachedPads()
{
    bool closed = false;
    for (int slot = 0; slot < SlotCount; ++slot) {
        if (m_pads[slot].controller && !SDL_GameControllerGetAttached(m_pads[slot].controller)) {
            closePad(slot);
            closed = true;
        }
    }
    return closed;
}

void Gamepads::closePad(int slot)
{
    if (m_pads[slot].controller)
        SDL_GameControllerClose(m_pads[slot].controller);
    m_pads[slot] = Pad {};
}

void Gamepads::buttonPressed(int slot, int button)
{
    if (const int direction = dpadDirection(button); direction != StickDirection::None) {
        m_pads[slot].dpad = direction;
        m_requests.push_back({ RequestKind::Direction, slot, direction });
    } else if (button == SDL_CONTROLLER_BUTTON_START || button == SDL_CONTROLLER_BUTTON_A) {
        m_requests.push_back({ RequestKind::Pause, slot, 0 });
    } else if (button == SDL_CONTROLLER_BUTTON_BACK) {
        m_requests.push_back({ RequestKind::Menu, slot, 0 });
    } else if (button == SDL_CONTROLLER_BUTTON_B) {
        m_requests.push_back({ RequestKind::Cancel, slot, 0 });
    }
}

// A D-pad direction let go hands over to another D-pad button still down, if any
void Gamepads::releaseDpad(Pad& pad)
{
    if (pad.dpad == StickDirection::None
        || SDL_GameControllerGetButton(pad.controller, DpadButtons[pad.dpad]))
        return;
    pad.dpad = StickDirection::None;
    for (const SDL_GameControllerButton button : DpadButtons) {
        if (SDL_GameControllerGetButton(pad.controller, button))
            pad.dpad = dpadDirection(button);
    }
}

// The stick is read once per poll from its latest position, after all its motion events: a
// reading between the two axis events of one movement would report a direction never held. The
// D-pad's held direction follows its buttons the same way.
void Gamepads::readHeldDirections()
{
    for (int slot = 0; slot < SlotCount; ++slot) {
        Pad& pad = m_pads[slot];
        if (!pad.controller)
            continue;
        releaseDpad(pad);
        const int direction
            = pad.stick.update(SDL_GameControllerGetAxis(pad.controller, SDL_CONTROLLER_AXIS_LEFTX),
                SDL_GameControllerGetAxis(pad.controller, SDL_CONTROLLER_AXIS_LEFTY));
        if (direction != StickDirection::None)
            m_requests.push_back({ RequestKind::Direction, slot, direction });
    }
}

// The receivers may open a modal dialog (which polls again from its own event loop) or delete
// the service, so the requests are emitted only once the pads' state is complete, and emitting
// stops with the service.
void Gamepads::emitRequests(const std::vector<Request>& requests, bool slotsChanged)
{
    QPointer<Gamepads> alive(this);
    for (const Request& request : requests) {
        if (!alive)
            return;
        switch (request.kind) {
        case RequestKind::Direction:
            emit directionRequested(request.slot, request.direction);
            break;
        case RequestKind::Pause:
            emit pausePressed(request.slot);
            break;
        case RequestKind::Menu:
            emit menuPressed(request.slot);
            break;
        case RequestKind::Cancel:
            emit cancelPressed(request.slot);
            break;
        }
    }
    if (alive && slotsChanged)
        emit padsChanged();
}

} // namespace fendral
