// The pad service driven by SDL's virtual joysticks: slots, hot-plug, and what each pad asks for
#include "Gamepads.h"
#include "GameState.h"
#include "VirtualPad.h"

#include <QSignalSpy>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

using namespace fendral;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

constexpr int Full = 32767;
const char* const DirectionNames[4] = { "up", "down", "left", "right" };

class GamepadsTest : public ::testing::Test {
protected:
    // The tests' own hold on SDL, so that pads can be plugged in before the service starts
    void SetUp() override
    {
        SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
        ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER), 0) << SDL_GetError();
    }
    // The last hold let go shuts SDL down, so every test starts with no pads and an empty queue.
    void TearDown() override
    {
        m_pads.clear();
        m_gamepads.reset();
        SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
    }

    Gamepads& start()
    {
        m_gamepads = std::make_unique<Gamepads>();
        Gamepads* pads = m_gamepads.get();
        QObject::connect(pads, &Gamepads::directionRequested,
            [this](int slot, int direction) { record(slot, DirectionNames[direction]); });
        QObject::connect(
            pads, &Gamepads::pausePressed, [this](int slot) { record(slot, "pause"); });
        QObject::connect(pads, &Gamepads::menuPressed, [this](int slot) { record(slot, "menu"); });
        QObject::connect(pads, &Gamepads::padsChanged, [this] { m_log.push_back("pads changed"); });
        return *pads;
    }

    VirtualPad& plug(const std::string& name, bool dpadOnHat = false)
    {
        m_pads.push_back(std::make_unique<VirtualPad>(name, dpadOnHat));
        return *m_pads.back();
    }

    // Everything the service emitted during one poll, in order
    std::vector<std::string> poll()
    {
        m_log.clear();
        m_gamepads->poll();
        return m_log;
    }

    // The name of the pad in each slot, "-" for an empty one
    std::vector<std::string> padsInSlots() const
    {
        std::vector<std::string> names;
        for (int slot = 0; slot < Gamepads::SlotCount; ++slot) {
            EXPECT_EQ(m_gamepads->isConnected(slot), !m_gamepads->padName(slot).isEmpty());
            names.push_back(
                m_gamepads->isConnected(slot) ? m_gamepads->padName(slot).toStdString() : "-");
        }
        return names;
    }

    void record(int slot, const std::string& what)
    {
        m_log.push_back(std::to_string(slot) + " " + what);
    }

    std::unique_ptr<Gamepads> m_gamepads;
    std::vector<std::unique_ptr<VirtualPad>> m_pads;
    std::vector<std::string> m_log;
};

TEST_F(GamepadsTest, TakesThePadsAlreadyPluggedIn)
{
    plug("First");
    plug("Second");
    Gamepads& gamepads = start();
    ASSERT_TRUE(gamepads.isAvailable());
    EXPECT_THAT(padsInSlots(), ElementsAre("First", "Second", "-", "-"));
    EXPECT_THAT(poll(), IsEmpty()); // their arrival is no news
    for (const int bad : { -1, Gamepads::SlotCount, 1000 }) {
        EXPECT_FALSE(gamepads.isConnected(bad));
        EXPECT_TRUE(gamepads.padName(bad).isEmpty());
    }
}

TEST_F(GamepadsTest, APadPluggedInTakesTheLowestFreeSlotAndAFifthWaitsForOne)
{
    start();
    EXPECT_THAT(padsInSlots(), ElementsAre("-", "-", "-", "-"));
    for (const char* name : { "1", "2", "3" })
        plug(name);
    EXPECT_THAT(poll(), ElementsAre("pads changed"));
    EXPECT_THAT(padsInSlots(), ElementsAre("1", "2", "3", "-"));
    m_pads[1]->unplug();
    EXPECT_THAT(poll(), ElementsAre("pads changed"));
    EXPECT_THAT(padsInSlots(), ElementsAre("1", "-", "3", "-"));
    for (const char* name : { "4", "5", "6" })
        plug(name);
    EXPECT_THAT(poll(), ElementsAre("pads changed"));
    EXPECT_THAT(padsInSlots(), ElementsAre("1", "4", "3", "5"));
    m_pads[5]->press(SDL_CONTROLLER_BUTTON_START);
    plug("7");
    EXPECT_THAT(poll(), IsEmpty()); // waiting pads are not heard
    m_pads[2]->unplug();
    EXPECT_THAT(poll(), ElementsAre("pads changed"));
    EXPECT_THAT(padsInSlots(), ElementsAre("1", "4", "6", "5"));
}

TEST_F(GamepadsTest, ButtonsActWhenPressedNotWhileHeld)
{
    start();
    VirtualPad& first = plug("First");
    VirtualPad& pad = plug("Second");
    poll();
    pad.press(SDL_CONTROLLER_BUTTON_DPAD_UP);
    EXPECT_THAT(poll(), ElementsAre("1 up"));
    EXPECT_THAT(poll(), IsEmpty());
    pad.press(SDL_CONTROLLER_BUTTON_DPAD_RIGHT); // rolled onto the next button
    EXPECT_THAT(poll(), ElementsAre("1 right"));
    pad.release(SDL_CONTROLLER_BUTTON_DPAD_UP);
    pad.release(SDL_CONTROLLER_BUTTON_DPAD_RIGHT);
    EXPECT_THAT(poll(), IsEmpty());
    pad.press(SDL_CONTROLLER_BUTTON_DPAD_LEFT);
    pad.press(SDL_CONTROLLER_BUTTON_DPAD_DOWN);
    EXPECT_THAT(poll(), ElementsAre("1 down", "1 left")); // both reach the direction queue

    pad.press(SDL_CONTROLLER_BUTTON_START);
    EXPECT_THAT(poll(), ElementsAre("1 pause"));
    EXPECT_THAT(poll(), IsEmpty());
    pad.release(SDL_CONTROLLER_BUTTON_START);
    pad.press(SDL_CONTROLLER_BUTTON_A);
    EXPECT_THAT(poll(), ElementsAre("1 pause"));
    pad.press(SDL_CONTROLLER_BUTTON_BACK);
    pad.press(SDL_CONTROLLER_BUTTON_B);
    pad.press(SDL_CONTROLLER_BUTTON_GUIDE);
    EXPECT_THAT(poll(), ElementsAre("1 menu"));
    first.press(SDL_CONTROLLER_BUTTON_BACK);
    EXPECT_THAT(poll(), ElementsAre("0 menu"));
}

TEST_F(GamepadsTest, DpadOnAHatAsksLikeFourButtons)
{
    start();
    plug("Buttons");
    VirtualPad& pad = plug("Hat", true);
    poll();
    pad.setHat(SDL_HAT_UP);
    EXPECT_THAT(poll(), ElementsAre("1 up"));
    pad.setHat(SDL_HAT_RIGHTUP);
    EXPECT_THAT(poll(), ElementsAre("1 right"));
    pad.setHat(SDL_HAT_RIGHT);
    EXPECT_THAT(poll(), IsEmpty());
    pad.setHat(SDL_HAT_LEFTDOWN);
    EXPECT_THAT(poll(), ElementsAre("1 down", "1 left"));
    pad.setHat(SDL_HAT_CENTERED);
    EXPECT_THAT(poll(), IsEmpty());
}

TEST_F(GamepadsTest, StickAsksOnlyWhenItsDirectionChanges)
{
    start();
    VirtualPad& pad = plug("Pad");
    poll();
    pad.setStick(0, -12000); // inside the dead zone
    EXPECT_THAT(poll(), IsEmpty());
    pad.setStick(0, -14000);
    EXPECT_THAT(poll(), ElementsAre("0 up"));
    for (const int y : { -Full, -20000, -11000, -Full }) { // inside the release band too
        pad.setStick(1000, y);
        EXPECT_THAT(poll(), IsEmpty()) << y;
    }
    pad.setStick(0, -8000); // let go
    EXPECT_THAT(poll(), IsEmpty());
    pad.setStick(0, -Full);
    EXPECT_THAT(poll(), ElementsAre("0 up")); // a new push asks again
    pad.setStick(22000, -20000); // a little past the diagonal
    EXPECT_THAT(poll(), IsEmpty());
    pad.setStick(Full, -12000);
    EXPECT_THAT(poll(), ElementsAre("0 right"));
    pad.setStick(20000, -22000); // back over the diagonal
    EXPECT_THAT(poll(), IsEmpty());
}

TEST_F(GamepadsTest, UnpluggingMidGameFreesTheSlotAndSilencesThePad)
{
    start();
    VirtualPad& gone = plug("Gone");
    VirtualPad& stays = plug("Stays");
    poll();
    gone.setStick(0, Full);
    gone.press(SDL_CONTROLLER_BUTTON_A);
    EXPECT_THAT(poll(), ElementsAre("0 pause", "0 down"));
    gone.press(SDL_CONTROLLER_BUTTON_DPAD_LEFT); // never pumped before the pad goes
    gone.unplug();
    EXPECT_THAT(poll(), ElementsAre("pads changed"));
    EXPECT_THAT(padsInSlots(), ElementsAre("-", "Stays", "-", "-"));
    EXPECT_THAT(poll(), IsEmpty());
    stays.press(SDL_CONTROLLER_BUTTON_DPAD_DOWN);
    stays.setStick(-Full, 0);
    EXPECT_THAT(poll(), ElementsAre("1 down", "1 left")); // its slot does not move
    plug("Back");
    EXPECT_THAT(poll(), ElementsAre("pads changed"));
    EXPECT_THAT(padsInSlots(), ElementsAre("Back", "Stays", "-", "-"));
}

TEST_F(GamepadsTest, AReceiverMayDeleteTheServiceWhileItEmits)
{
    start();
    VirtualPad& pad = plug("Pad");
    poll();
    QObject::connect(m_gamepads.get(), &Gamepads::pausePressed, [this] { m_gamepads.reset(); });
    pad.press(SDL_CONTROLLER_BUTTON_START);
    pad.setStick(Full, 0); // read after the buttons
    m_log.clear();
    m_gamepads->poll();
    EXPECT_EQ(m_gamepads, nullptr);
    EXPECT_THAT(m_log, ElementsAre("0 pause"));
}

TEST_F(GamepadsTest, TheEventLoopPollsAtTheIntervalSet)
{
    Gamepads& gamepads = start();
    VirtualPad& pad = plug("Pad");
    poll();
    QSignalSpy paused(&gamepads, &Gamepads::pausePressed);
    gamepads.setPollInterval(9);
    pad.press(SDL_CONTROLLER_BUTTON_START);
    ASSERT_TRUE(paused.wait(10000));
    EXPECT_EQ(paused.first().first().toInt(), 0);
}

// Pads plugged, played and unplugged at random, against a model of the slots and of what each
// poll should report: the lowest free slot, the longest waiting pad first, one request per press
// and per change of the stick, nothing from waiting or unplugged pads, nothing for a button
// already held when its pad takes a slot.
TEST_F(GamepadsTest, RandomHotPlugKeepsSlotsAndRequestsConsistent)
{
    const std::map<SDL_GameControllerButton, std::string> meanings
        = { { SDL_CONTROLLER_BUTTON_DPAD_UP, "up" }, { SDL_CONTROLLER_BUTTON_DPAD_DOWN, "down" },
              { SDL_CONTROLLER_BUTTON_DPAD_LEFT, "left" },
              { SDL_CONTROLLER_BUTTON_DPAD_RIGHT, "right" },
              { SDL_CONTROLLER_BUTTON_START, "pause" }, { SDL_CONTROLLER_BUTTON_A, "pause" },
              { SDL_CONTROLLER_BUTTON_BACK, "menu" }, { SDL_CONTROLLER_BUTTON_B, "" } };
    const int stickAt[5][2] = { { 0, -Full }, { 0, Full }, { -Full, 0 }, { Full, 0 }, { 0, 0 } };
    struct Model {
        VirtualPad* pad;
        std::map<SDL_GameControllerButton, bool> held, seen; // as set, and at the last poll
        int stick = 4, read = 4; // index into stickAt: as set, and at the last poll
    };

    start();
    std::mt19937 random(2024);
    const auto pick
        = [&](int count) { return std::uniform_int_distribution(0, count - 1)(random); };
    std::vector<Model> plugged; // in the order SDL lists them
    std::array<VirtualPad*, Gamepads::SlotCount> model {};
    int named = 0;
    for (int round = 0; round < 600; ++round) {
        for (int action = pick(4); action > 0; --action) {
            const int choice = pick(10);
            if (choice == 0 && plugged.size() < 7) {
                plugged.emplace_back().pad = &plug("Pad " + std::to_string(++named));
            } else if (choice == 1 && !plugged.empty()) {
                const auto gone = plugged.begin() + pick(int(plugged.size()));
                gone->pad->unplug();
                plugged.erase(gone);
            } else if (!plugged.empty()) {
                Model& m = plugged[pick(int(plugged.size()))];
                if (choice < 6) {
                    const auto button
                        = std::next(meanings.begin(), pick(int(meanings.size())))->first;
                    m.held[button] = !m.held[button];
                    m.pad->setButton(button, m.held[button]);
                } else {
                    m.stick = pick(5);
                    m.pad->setStick(stickAt[m.stick][0], stickAt[m.stick][1]);
                }
            }
        }

        bool changed = false;
        for (VirtualPad*& slot : model) {
            if (slot && std::none_of(plugged.begin(), plugged.end(), [&](const Model& m) {
                    return m.pad == slot;
                })) {
                slot = nullptr;
                changed = true;
            }
        }
        std::vector<std::string> expected;
        for (Model& m : plugged) {
            auto slot = std::find(model.begin(), model.end(), m.pad);
            if (slot == model.end()) {
                slot = std::find(model.begin(), model.end(), nullptr);
                if (slot == model.end())
                    continue;
                *slot = m.pad;
                changed = true;
                m.seen = m.held;
                m.read = 4;
            }
            const std::string prefix = std::to_string(slot - model.begin()) + " ";
            for (const auto& [button, down] : m.held) {
                if (down && !m.seen[button] && !meanings.at(button).empty())
                    expected.push_back(prefix + meanings.at(button));
            }
            if (m.stick != m.read && m.stick != 4)
                expected.push_back(prefix + DirectionNames[m.stick]);
            m.seen = m.held;
            m.read = m.stick;
        }

        std::vector<std::string> reported = poll();
        ASSERT_EQ(std::erase(reported, "pads changed") > 0, changed) << "round " << round;
        std::sort(reported.begin(), reported.end());
        std::sort(expected.begin(), expected.end());
        ASSERT_EQ(reported, expected) << "round " << round;
        for (int slot = 0; slot < Gamepads::SlotCount; ++slot) {
            ASSERT_EQ(padsInSlots()[slot], model[slot] ? model[slot]->name() : "-")
                << "round " << round << " slot " << slot;
        }
    }
}

} // namespace
