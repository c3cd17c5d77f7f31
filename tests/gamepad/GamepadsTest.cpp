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

namespace {

constexpr int Full = 32767;
const char* const DirectionNames[4] = { "up", "down", "left", "right" };

class GamepadsTest : public ::testing::Test {
protected:
    // The tests' own hold on SDL, so that pads can be plugged in before the service starts; the
    // last hold let go shuts SDL down, so every test starts with no pads and an empty queue
    void SetUp() override
    {
        SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
        ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER), 0) << SDL_GetError();
    }
    void TearDown() override
    {
        m_pads.clear();
        m_gamepads.reset();
        SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
    }

    void start()
    {
        m_gamepads = std::make_unique<Gamepads>();
        const auto record = [this](const char* what) {
            return [this, what](int slot) { m_log.push_back(std::to_string(slot) + " " + what); };
        };
        QObject::connect(m_gamepads.get(), &Gamepads::directionRequested, [this](int slot, int d) {
            m_log.push_back(std::to_string(slot) + " " + DirectionNames[d]);
        });
        QObject::connect(m_gamepads.get(), &Gamepads::pausePressed, record("pause"));
        QObject::connect(m_gamepads.get(), &Gamepads::menuPressed, record("menu"));
        QObject::connect(
            m_gamepads.get(), &Gamepads::padsChanged, [this] { m_log.push_back("pads changed"); });
        ASSERT_TRUE(m_gamepads->isAvailable());
    }

    VirtualPad& plug(const std::string& name, bool dpadOnHat = false)
    {
        return *m_pads.emplace_back(std::make_unique<VirtualPad>(name, dpadOnHat));
    }

    // Everything the service emitted during one poll, in order
    std::vector<std::string> poll()
    {
        m_log.clear();
        m_gamepads->poll();
        return m_log;
    }

    std::unique_ptr<Gamepads> m_gamepads;
    std::vector<std::unique_ptr<VirtualPad>> m_pads;
    std::vector<std::string> m_log;
};

TEST_F(GamepadsTest, DpadOnAHatAsksLikeFourButtons)
{
    start();
    plug("Buttons");
    VirtualPad& pad = plug("Hat", true);
    poll();
    const std::pair<Uint8, std::vector<std::string>> moves[]
        = { { SDL_HAT_UP, { "1 up" } }, { SDL_HAT_RIGHTUP, { "1 right" } }, { SDL_HAT_RIGHT, {} },
              { SDL_HAT_LEFTDOWN, { "1 down", "1 left" } }, { SDL_HAT_CENTERED, {} } };
    for (const auto& [hat, expected] : moves) {
        pad.setHat(hat);
        EXPECT_EQ(poll(), expected) << int(hat);
    }
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
    start();
    VirtualPad& pad = plug("Pad");
    poll();
    QSignalSpy paused(m_gamepads.get(), &Gamepads::pausePressed);
    m_gamepads->setPollInterval(9);
    pad.press(SDL_CONTROLLER_BUTTON_START);
    ASSERT_TRUE(paused.wait(10000));
    EXPECT_EQ(paused.first().first().toInt(), 0);
}

// Pads plugged (two before the service starts), played and unplugged at random, against a model
// of the slots and of each poll's report: the lowest free slot, the longest waiting pad first,
// one request per press and per change of the stick, nothing from waiting or unplugged pads,
// nothing for a button already held when its pad takes a slot, the slot change reported last.
TEST_F(GamepadsTest, RandomHotPlugKeepsSlotsAndRequestsConsistent)
{
    const std::map<SDL_GameControllerButton, std::string> meanings
        = { { SDL_CONTROLLER_BUTTON_DPAD_UP, "up" }, { SDL_CONTROLLER_BUTTON_DPAD_DOWN, "down" },
              { SDL_CONTROLLER_BUTTON_DPAD_LEFT, "left" },
              { SDL_CONTROLLER_BUTTON_DPAD_RIGHT, "right" },
              { SDL_CONTROLLER_BUTTON_START, "pause" }, { SDL_CONTROLLER_BUTTON_A, "pause" },
              { SDL_CONTROLLER_BUTTON_BACK, "menu" }, { SDL_CONTROLLER_BUTTON_B, "" },
              { SDL_CONTROLLER_BUTTON_GUIDE, "" } };
    const int stickAt[5][2] = { { 0, -Full }, { 0, Full }, { -Full, 0 }, { Full, 0 }, { 0, 0 } };
    struct Model {
        VirtualPad* pad = nullptr;
        std::map<SDL_GameControllerButton, bool> held, seen; // as set, and at the last poll
        int stick = 4, read = 4; // index into stickAt: as set, and at the last poll
    };

    std::vector<Model> plugged(2); // in the order SDL lists them
    plugged[0].pad = &plug("Pad 1");
    plugged[1].pad = &plug("Pad 2");
    std::array<VirtualPad*, Gamepads::SlotCount> model { plugged[0].pad, plugged[1].pad };
    start();
    std::mt19937 random(2024);
    const auto pick
        = [&](int count) { return std::uniform_int_distribution(0, count - 1)(random); };
    int named = 2;
    for (int round = 0; round < 600; ++round) {
        for (int action = round == 0 ? 0 : pick(4); action > 0; --action) {
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
        ASSERT_EQ(std::count(reported.begin(), reported.end(), "pads changed"), changed) << round;
        ASSERT_TRUE(!changed || reported.back() == "pads changed") << round;
        std::erase(reported, "pads changed");
        std::sort(reported.begin(), reported.end());
        std::sort(expected.begin(), expected.end());
        ASSERT_EQ(reported, expected) << "round " << round;
        for (int slot = 0; slot < Gamepads::SlotCount; ++slot) {
            ASSERT_EQ(m_gamepads->isConnected(slot), model[slot] != nullptr) << round;
            ASSERT_EQ(
                m_gamepads->padName(slot).toStdString(), model[slot] ? model[slot]->name() : "")
                << "round " << round << " slot " << slot;
        }
    }
    for (const int bad : { -1, Gamepads::SlotCount, 1000 })
        EXPECT_TRUE(!m_gamepads->isConnected(bad) && m_gamepads->padName(bad).isEmpty());
}

} // namespace
