// The pads through SDL's virtual joysticks: slots, hot-plug, requests, and the stick's reading
#include "Gamepads.h"
#include "VirtualPad.h"

#include <gtest/gtest.h>

#include <cmath>
#include <list>
#include <numbers>
#include <random>

using namespace fendral;
using Log = std::vector<std::string>;

constexpr int Full = 32767;
const char* const DirectionNames[4] = { "up", "down", "left", "right" };

// Holds SDL to plug two pads in before the service starts; letting go empties pads and queue
class GamepadsTest : public ::testing::Test {
protected:
    static constexpr Uint32 Sdl = SDL_INIT_GAMECONTROLLER;
    void SetUp() override
    {
        ASSERT_EQ(SDL_InitSubSystem(Sdl), 0) << SDL_GetError();
        plug("Pad 1"), plug("Pad 2");
        Gamepads* g = (m_gamepads = std::make_unique<Gamepads>()).get();
        const auto note = [this](const char* what) {
            return [this, what](int slot) { m_log.push_back(std::to_string(slot) + " " + what); };
        };
        QObject::connect(g, &Gamepads::directionRequested,
            [note](int slot, int d) { note(DirectionNames[d])(slot); });
        QObject::connect(g, &Gamepads::pausePressed, note("pause"));
        QObject::connect(g, &Gamepads::menuPressed, note("menu"));
        QObject::connect(g, &Gamepads::cancelPressed, note("cancel"));
        QObject::connect(g, &Gamepads::padsChanged, [this] { m_log.push_back("pads changed"); });
        ASSERT_TRUE(g->isAvailable());
    }
    void TearDown() override { m_pads.clear(), m_gamepads.reset(), SDL_QuitSubSystem(Sdl); }
    VirtualPad& plug(const std::string& name) { return m_pads.emplace_back(name); }
    Log poll() { return m_log.clear(), m_gamepads->poll(), m_log; } // what one poll emitted

    std::unique_ptr<Gamepads> m_gamepads;
    std::list<VirtualPad> m_pads;
    Log m_log;
};

TEST_F(GamepadsTest, AReceiverMayDeleteTheServiceWhileItEmits)
{
    QObject::connect(m_gamepads.get(), &Gamepads::menuPressed, [this] { m_gamepads.reset(); });
    m_pads.back().setButton(SDL_CONTROLLER_BUTTON_BACK, true);
    m_pads.back().setStick(Full, 0); // read after the buttons
    EXPECT_EQ(poll(), Log { "1 menu" });
    EXPECT_EQ(m_gamepads, nullptr);
}

// Random plugging, playing and unplugging against a model of the slots and of each poll's report
TEST_F(GamepadsTest, RandomHotPlugKeepsSlotsAndRequestsConsistent)
{
    // What each button asks for, by SDL's numbering: A, B, Back and Start, then the D-pad
    const std::string meaning[15] = { "pause", "cancel", "", "", "menu", "", "pause", "", "", "",
        "", "up", "down", "left", "right" };
    const int stickAt[5][2] = { { 0, -Full }, { 0, Full }, { -Full, 0 }, { Full, 0 }, { 0, 0 } };
    struct Model {
        VirtualPad* pad;
        std::array<bool, 15> held {}, seen {}; // as set, and at the last poll
        int stick = 4, read = 4; // index into stickAt: as set, and at the last poll
    };
    std::vector<Model> plugged { { &m_pads.front() }, { &m_pads.back() } }; // in SDL's order
    std::array<VirtualPad*, Gamepads::SlotCount> seats { plugged[0].pad, plugged[1].pad };
    std::mt19937 random(2024);
    const auto pick = [&](size_t n) { return int(random() % n); };
    for (int round = 0, named = 2; round < 600; ++round) {
        for (int action = round == 0 ? 0 : pick(4); action > 0; --action) {
            const int choice = pick(10), b = pick(15);
            if (choice == 0 && plugged.size() < 7) {
                plugged.push_back({ &plug("Pad " + std::to_string(++named)) });
            } else if (choice == 1 && !plugged.empty()) {
                const auto gone = plugged.begin() + pick(plugged.size());
                plugged.erase((gone->pad->unplug(), gone));
            } else if (Model* m = plugged.empty() ? nullptr : &plugged[pick(plugged.size())]) {
                if (choice < 6)
                    m->pad->setButton(b, m->held[b] = !m->held[b]);
                else if (const int* at = stickAt[m->stick = b % 5])
                    m->pad->setStick(at[0], at[1]);
            }
        }
        bool changed = false;
        for (VirtualPad*& slot : seats) {
            if (slot && std::ranges::none_of(plugged, [&](auto& m) { return m.pad == slot; }))
                slot = nullptr, changed = true;
        }
        Log expected;
        for (Model& m : plugged) {
            auto slot = std::ranges::find(seats, m.pad);
            if (slot == seats.end() && (slot = std::ranges::find(seats, nullptr)) == seats.end())
                continue;
            if (*slot == nullptr)
                *slot = m.pad, changed = true, m.seen = m.held, m.read = 4;
            const std::string prefix = std::to_string(slot - seats.begin()) + " ";
            for (int b = 0; b < 15; ++b) {
                if (m.held[b] && !m.seen[b] && !meaning[b].empty())
                    expected.push_back(prefix + meaning[b]);
            }
            if (m.stick != m.read && m.stick != 4)
                expected.push_back(prefix + DirectionNames[m.stick]);
            m.seen = m.held, m.read = m.stick;
        }
        Log reported = poll(); // the slot change last, the requests in any order
        std::sort(reported.begin(), reported.end() - std::min<size_t>(changed, reported.size()));
        std::ranges::sort(expected);
        if (changed)
            expected.push_back("pads changed");
        ASSERT_EQ(reported, expected) << "round " << round;
        for (int slot = -1; slot <= Gamepads::SlotCount; ++slot) {
            const bool known = slot >= 0 && slot < Gamepads::SlotCount && seats[slot];
            ASSERT_EQ(m_gamepads->isConnected(slot), known) << round << " slot " << slot;
            ASSERT_EQ(m_gamepads->padName(slot).toStdString(), known ? seats[slot]->name() : "");
        }
    }
}

// A thumb wandering over the stick by angle (clockwise from up) and deflection
TEST(StickDirection, RandomWalkKeepsEveryPromise)
{
    constexpr double MaxStep = 2.0, Margin = StickDirection::SwitchMarginDegrees;
    constexpr double axisDegrees[4] = { 0, 180, 270, 90 }; // up, down, left, right
    const auto angleBetween = [](double a, double b) {
        return 180 - std::abs(std::fmod(std::abs(a - b), 360.0) - 180);
    };
    std::mt19937 random(7);
    std::uniform_real_distribution<double> turn(-MaxStep, MaxStep), push(-0.03, 0.03);
    StickDirection stick;
    double degrees = 0, share = 0, lastTurn = -1; // where the last turn between directions was
    for (int step = 0; step < 200000; ++step) {
        degrees = std::fmod(degrees + turn(random) + 360, 360);
        share = std::clamp(share + push(random), 0.0, 1.0);
        const double rad = degrees * std::numbers::pi / 180, full = share * 32767;
        const int x = int(std::lround(full * std::sin(rad))),
                  y = int(std::lround(-full * std::cos(rad)));
        const int before = stick.direction(), reported = stick.update(x, y),
                  now = stick.direction();
        ASSERT_EQ(reported, now != before ? now : StickDirection::None) << step;
        const bool wasHeld = before != StickDirection::None;
        const int radius = wasHeld ? StickDirection::ReleaseRadius : StickDirection::EngageRadius;
        ASSERT_EQ(now != StickDirection::None, std::hypot(x, y) >= radius) << step;
        if (now == StickDirection::None) {
            lastTurn = -1;
            continue;
        }
        // From rest the nearest direction; once held, the same until past the diagonal's margin
        ASSERT_LT(angleBetween(degrees, axisDegrees[now]), wasHeld ? 45 + Margin + 0.1 : 45.05)
            << step;
        if (wasHeld && now != before) {
            ASSERT_TRUE(lastTurn < 0 || angleBetween(degrees, lastTurn) >= 2 * Margin - MaxStep)
                << step;
            lastTurn = degrees;
        }
    }
}
