// The setup dialog: who plays in which team, with which colour, keys and pause key
#pragma once

#include <QDialog>

#include <array>

class QLabel;
class QMenu;
class QPushButton;

namespace fendral {

struct GameState;
class LoadMenu;
class PlayerRow;

// Edits teamAssignment, colourChoice, controlKeys, pauseKey, padSlot and computer of the state
// in place while it is open; closes Accepted with Start (a click or Enter) and Rejected with
// Escape or the close box, keeping every change either way. Each player's row (PlayerRow) shows
// that player; the dialog holds the rules between the rows: no two people who share a key play
// at once, no two players share a colour, a pad steers one player, the pause key steers nobody.
// A Load button's menu also binds a gamepad to its player or hands the player to the computer.
class SetupDialog : public QDialog {
    Q_OBJECT
public:
    explicit SetupDialog(GameState& state, QWidget* parent = nullptr);
    ~SetupDialog() override;

    // The popup menu of control schemes and gamepads, for tests and scripts that pick an item
    // without it
    QMenu* schemeMenu() const;
    // The names of the pads plugged in, by slot, empty for an empty slot: the Load menu says
    // which pads are connected, and the mark of a bound pad that is not is drawn hollow.
    void setConnectedPads(const std::array<QString, 4>& names);

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    void createDesignedControls();
    void createLabels();
    void createPlayerControls();
    void createCommandButtons();
    void createSchemeMenu();
    QLabel* addLabel(const QString& text, int left, int top);
    QPushButton* addButton(const QString& text, int left, int top, int width, int height);
    void createStartGlyph();
    void centreOnScreen();

    void setUpControls();
    bool handleKey(int key);
    void teamBoxClicked(int t, int p);
    void colourPressed(int p, Qt::MouseButton button);
    void keyButtonClicked(int p, int d);
    void pauseButtonClicked();
    void endCaptureShown();
    void resetTeamsClicked();
    void resetControlsClicked();
    void loadClicked(int p);
    void schemeChosen(int scheme);
    void padChosen(int slot);
    void computerChosen(int strength);
    void showPads();

    void syncTeamChecks();
    void refreshKeyCaptions();
    void checkKeyClashes();
    void resetTeams();
    void cancelCapture();
    bool isTicked(int p) const;
    bool isPerson(int p) const;
    bool holdsKey(int p, int key) const;
    bool isCapturingPauseKey() const { return m_capturePlayer == NoPlayer; }
    void showColour(int p);

    static constexpr int NoPlayer = -1;

    GameState& m_state;

    std::array<PlayerRow*, 4> m_rows {}; // children of the dialog
    QPushButton* m_pauseButton = nullptr;
    QPushButton* m_startButton = nullptr;
    LoadMenu* m_schemeMenu = nullptr;
    std::array<QString, 4> m_padNames; // of the pads connected, by slot

    QPushButton* m_captureButton = nullptr; // the button waiting for a key, if any
    int* m_captureTarget = nullptr; // the setting that key will go to
    int m_capturePlayer = NoPlayer; // whose key it is, NoPlayer for the pause key
    int m_captureDirection = 0;
    std::array<std::array<bool, 4>, 4> m_keyClash {};
    std::array<int, 6> m_colourOwner {};
    int m_schemeTarget = 0;
    bool m_syncing = false;
};

} // namespace fendral
