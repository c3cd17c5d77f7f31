// The game controllers through SDL: up to four pads in fixed slots, read from the Qt event loop
#pragma once

#include "StickDirection.h"

#include <QObject>
#include <QString>
#include <QTimer>

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

struct _SDL_GameController;
union SDL_Event;

namespace fendral {

// Opens SDL for game controllers only (no video, no audio, no signal handlers) and turns what
// the pads do into the game's requests. A pad that connects takes the lowest free slot; a fifth
// pad waits and takes the first slot that frees, so a player whose pad drops out can plug a
// waiting one in. A pad's slot is freed as soon as it is unplugged. When SDL cannot start, the
// service has no pads and its signals never fire. Only one instance should exist: it drains
// SDL's event queue, which the whole process shares.
class Gamepads : public QObject {
    Q_OBJECT
public:
    static constexpr int SlotCount = 4;
    static constexpr int MenuPollInterval = 100; // ms: slow enough to cost nothing in the menu

    // Starts SDL, takes the pads already plugged in and polls every MenuPollInterval ms.
    explicit Gamepads(QObject* parent = nullptr);
    ~Gamepads() override;

    bool isAvailable() const { return m_available; }
    bool isConnected(int slot) const;
    QString padName(int slot) const; // empty for an empty slot
    // The direction the pad in a slot holds now, its D-pad first, then its stick; or none.
    int heldDirection(int slot) const;

    // Polls from the event loop every intervalMs; 0 or less stops polling.
    void setPollInterval(int intervalMs);
    int pollInterval() const { return m_pollInterval; }

    // Reads everything the pads did since the last poll and emits it in order.
    void poll();

    // The service reads SDL's whole event queue; what is not the pads' goes to this handler
    // (the audio devices coming and going), in the order SDL reported it.
    using OtherEventHandler = std::function<void(const SDL_Event&)>;
    void setOtherEventHandler(OtherEventHandler handler) { m_otherEvents = std::move(handler); }

signals:
    // A D-pad button was pressed or the stick turned to a new direction (engine codes 0..3)
    void directionRequested(int slot, int direction);
    // Start or A went down
    void pausePressed(int slot);
    // Back went down
    void menuPressed(int slot);
    // B went down
    void cancelPressed(int slot);
    // A slot was taken or freed: once per poll, after that poll's requests
    void padsChanged();

private:
    struct Pad {
        _SDL_GameController* controller = nullptr;
        int32_t instanceId = -1;
        QString name;
        StickDirection stick;
        int dpad = StickDirection::None; // the D-pad direction held, the latest pressed
    };
    enum class RequestKind { Direction, Pause, Menu, Cancel };
    struct Changes {
        bool devicesChanged = false; // SDL reported pads plugged in or out
        bool slotsChanged = false; // a slot was taken or freed
    };
    struct Request {
        RequestKind kind;
        int slot;
        int direction;
    };

    void readEvents(Changes& changes);
    bool isValidSlot(int slot) const { return slot >= 0 && slot < SlotCount; }
    int slotOfInstance(int32_t instanceId) const;
    bool hasInstance(int32_t instanceId) const { return slotOfInstance(instanceId) >= 0; }
    bool openWaitingPads();
    bool closeDetachedPads();
    void closePad(int slot);
    void buttonPressed(int slot, int button);
    void readHeldDirections();
    void releaseDpad(Pad& pad);
    void emitRequests(const std::vector<Request>& requests, bool slotsChanged);

    bool m_available = false;
    std::array<Pad, SlotCount> m_pads;
    std::vector<Request> m_requests; // gathered while SDL is read, emitted after
    QTimer m_timer;
    int m_pollInterval = 0;
    OtherEventHandler m_otherEvents;
};

} // namespace fendral
