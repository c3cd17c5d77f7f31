// The setup dialog: who plays in which team, with which colour, keys and pause key
#pragma once

#include <QDialog>

#include <QString>

#include <array>

class QActionGroup;
class QCheckBox;
class QLabel;
class QMenu;
class QPushButton;

namespace fendral {

struct GameState;
class ColourShape;

// Edits teamAssignment, colourChoice, controlKeys, pauseKey and padSlot of the state in place
// while it is open; closes Accepted with Start (a click or Enter) and Rejected with Escape or the
// close box, keeping every change either way. Every control carries its design name as object
// name; the boxes and key buttons made at show are "cb" and "bs" followed by their tag. A Load
// button's menu also binds a gamepad to its player, and the button shows that pad.
class SetupDialog : public QDialog {
    Q_OBJECT
public:
    explicit SetupDialog(GameState& state, QWidget* parent = nullptr);
    ~SetupDialog() override;

    // The popup menu of control schemes and gamepads, for tests and scripts that pick an item
    // without it
    QMenu* schemeMenu() const { return m_schemeMenu; }
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
    void createRunTimeControls();
    QLabel* addLabel(const QString& text, int left, int top);
    QPushButton* addButton(const QString& text, int left, int top, int width, int height);
    void createStartGlyph();
    void centreOnScreen();

    void setUpControls();
    bool handleKey(int key);
    void destroyRunTimeControls();
    void teamBoxClicked(int tag);
    void colourPressed(int p, Qt::MouseButton button);
    void keyButtonClicked(int tag);
    void resetTeamsClicked();
    void resetControlsClicked();
    void loadClicked(int p);
    void schemeChosen(int scheme);
    void addPadItems();
    void padChosen(int slot);
    void checkPadItem();
    void showPads();
    QString padCaption(int slot) const;
    void enableSchemes();
    bool holdsPauseKey(int scheme) const;

    void syncTeamChecks();
    void refreshKeyCaptions();
    void checkKeyClashes();
    void resetTeams();
    void cancelCapture();
    bool isTicked(int p) const;
    bool isCapturingPauseKey() const { return m_captureTag == PauserTag; }
    void showColour(int p);

    static constexpr int PauserTag = 16;
    static constexpr int NoPlayer = -1;

    GameState& m_state;

    std::array<ColourShape*, 4> m_colourShapes {};
    std::array<QPushButton*, 4> m_loadButtons {};
    QPushButton* m_pauseButton = nullptr;
    QPushButton* m_startButton = nullptr;
    QMenu* m_schemeMenu = nullptr;
    QActionGroup* m_padItems = nullptr; // "Gamepad 1".."Gamepad 4", then "No gamepad"
    std::array<QString, 4> m_padNames; // of the pads connected, by slot

    // Made at show, destroyed with the dialog
    std::array<QCheckBox*, 16> m_teamBoxes {}; // tag 4t + p
    std::array<QPushButton*, 16> m_keyButtons {}; // tag 4p + d

    QPushButton* m_captureButton = nullptr; // the button waiting for a key, if any
    int* m_captureTarget = nullptr; // the setting that key will go to
    int m_captureTag = 0;
    std::array<std::array<bool, 4>, 4> m_keyClash {};
    std::array<int, 6> m_colourOwner {};
    int m_schemeTarget = 0;
    bool m_syncing = false;
};

} // namespace fendral
