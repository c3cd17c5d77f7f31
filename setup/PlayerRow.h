// One player's row of the setup dialog: its name, team boxes, colour, key buttons and Load button
#pragma once

#include <QObject>
#include <QString>

#include <array>

class QCheckBox;
class QLabel;
class QPushButton;
class QWidget;

namespace fendral {

struct GameState;
class ColourShape;

// Shows what the state holds for player p and reports the clicks on its controls; the rules
// between the rows (key clashes, colours, pads, teams) are the dialog's. Every control carries
// its design name as object name; the team boxes and key buttons, made when the dialog is shown,
// are "cb" and "bs" followed by their tag (4 t + p for the box of team t, 4 p + d for the button
// of direction d).
class PlayerRow : public QObject {
    Q_OBJECT
public:
    PlayerRow(QWidget* dialog, int p);
    ~PlayerRow() override;

    int player() const { return m_p; }
    QPushButton* loadButton() const { return m_loadButton; }
    QPushButton* keyButton(int d) const { return m_keyButtons[d]; }

    // The team boxes and the key buttons, made when the dialog is first shown
    bool hasRunTimeControls() const { return m_teamBoxes[0] != nullptr; }
    void createRunTimeControls();
    void destroyRunTimeControls();

    // Ticks the box of the team the player plays in, if any.
    void showTeams(const GameState& state);
    // Names the keys, marked "! " where another person's keys hold one too (shared), or shows
    // "Computer" on every button of a computer player: they wait for no key.
    void showKeys(const GameState& state, const std::array<bool, 4>& shared);
    // The key button of direction d waits for a key.
    void showCapture(int d);
    void showColour(const GameState& state);
    // The Load button: the mark of a bound pad, or the strength of a computer player
    void showLoad(const GameState& state, const std::array<QString, 4>& padNames);

signals:
    void teamBoxClicked(int t);
    void keyButtonClicked(int d);
    void colourPressed(Qt::MouseButton button);
    void loadClicked();

private:
    QWidget* m_dialog;
    int m_p;
    QLabel* m_nameLabel = nullptr;
    ColourShape* m_colourShape = nullptr;
    QPushButton* m_loadButton = nullptr;
    std::array<QCheckBox*, 4> m_teamBoxes {}; // by team
    std::array<QPushButton*, 4> m_keyButtons {}; // by direction
};

// A dialog's push button: no keyboard focus, never a default of its own.
QPushButton* addDialogButton(
    QWidget* dialog, const QString& text, int left, int top, int width, int height);

// "Computer: easy", "Computer: normal" or "Computer: hard", for strengths 1..3
QString computerCaption(int strength);
constexpr int ComputerStrengths = 3;

// "Gamepad 1 (its name)" .. "Gamepad 4 (not connected)", for the pad connected in the slot
QString padCaption(int slot, const QString& padName);

} // namespace fendral
