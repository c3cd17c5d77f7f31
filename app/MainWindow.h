// The main window: playfield canvas, status panel, menu, message panel, the game and the pads
#pragma once

#include "CanvasDamage.h"
#include "ComputerPlayers.h"
#include "Game.h"
#include "GameRecord.h"
#include "GameState.h"
#include "ReplayRecorder.h"
#include "ReplayStore.h"
#include "ResultsFile.h"
#include "ScreenScale.h"
#include "Settings.h"
#include "SettingsLocation.h"

#include <QElapsedTimer>
#include <QImage>
#include <QRegion>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <memory>

class QLabel;
class QPushButton;
class QSettings;

namespace fendral {

class DisplayView;
class FieldRenderer;
class Gamepads;
class Panel;
class QtPlatform;
class ReplayWatch;
class Sound;
class StatusPanel;

class MainWindow : public QWidget {
    Q_OBJECT
public:
    static constexpr int DesignClientWidth = 1024;
    static constexpr int DesignClientHeight = 721;

    explicit MainWindow(
        const QString& settingsPath = defaultSettingsFilePath(), QWidget* parent = nullptr);
    ~MainWindow() override;

    GameState& state() { return m_state; }
    Game& game() { return *m_game; }
    DisplayView& view() { return *m_view; }
    FieldRenderer& renderer() { return *m_renderer; }
    QtPlatform& platform() { return *m_platform; }
    Gamepads& gamepads() { return *m_gamepads; }
    Sound& sound() { return *m_sound; }
    const SoundChoice& soundChoice() const { return m_soundChoice; }
    ComputerPlayers& computers() { return m_computers; }
    QSettings* settingsFile() const { return m_settingsFile.get(); }
    ReplayStore& replayStore() { return m_replayStore; }
    const QImage& canvas() const { return m_canvas; }
    // Whether canvas changes wait to be handed to Qt at a tick or at the next frame
    bool hasCanvasChangesWaiting() const { return !m_damage.isEmpty(); }

    StatusPanel* statusPanel() const { return m_statusPanel; }
    Panel* menuPanel() const { return m_menuPanel; }
    QPushButton* startButton() const { return m_startButton; }
    QPushButton* gamesButton() const { return m_gamesButton; }
    QPushButton* closeProgramButton() const { return m_closeProgramButton; }
    Panel* messagePanel() const { return m_messagePanel; }
    QLabel* versionLabel() const { return m_versionLabel; }
    QLabel* creditLabel() const { return m_creditLabel; }
    QPushButton* menuButton() const;
    QPushButton* closeButton() const;
    Panel* purchasePanel() const;

    // First-show set-up: playfield size, panels, settings, BackBuffer, grids, the menu.
    void setUpOnFirstShow();
    // Redraws the field and the sprites on the canvas while a game is shown.
    void paintField();
    // A key press as a virtual-key code; returns whether the key was consumed.
    bool handleKey(int key);
    // Asked before any close: during a game that is not over, pauses and asks; true to close.
    bool confirmClose();
    // The close was allowed: the game in progress is recorded as closed and the settings are
    // written.
    void closeConfirmed();
    // Ends the program as a close does, with no question and no box: for SIGTERM, SIGINT, SIGHUP.
    void closeWithoutAsking();
    // "Close Fendral" in the menu and "Close" in the status panel
    void closeProgramClicked();
    void closeClicked();

    // The commands of the menu and of a game in progress
    void startGameClicked();
    void menuClicked();
    void purchaseClicked();
    void messagePanelClicked();
    void applicationDeactivated();
    // Pauses a game that is on, showing "Pause", before anything takes the user away from it.
    void pauseRunningGame();

    // "Games" in the menu, or G: the kept games, to watch or delete; see MainWindowReplays.cpp
    void gamesClicked();
    // Why the window cannot show this replay, or empty when it can
    static QString replayProblem(const Replay& replay);
    // Shows a replay in place of a game; false with a message when it cannot be shown
    bool watchReplay(Replay replay);
    bool watchReplayFile(const QString& path);
    bool isWatching() const { return m_watch != nullptr; }
    ReplayWatch* replayWatch() const { return m_watch.get(); }
    // F11: full screen and back, remembered in the settings file; a game goes on as it was.
    void toggleFullScreen();
    bool isFullScreenChosen() const { return m_fullScreen; }
    // The scale the game is drawn at, and where its client area lies on the canvas.
    const Scale& scale() const { return m_scale; }
    QRect gameRect() const { return m_gameRect; }

    // Asks a Yes/No question in a box titled "Fendral"; true on Yes. Tests answer it themselves.
    using Prompt = std::function<bool(const QString& question)>;
    void setPrompt(Prompt prompt) { m_prompt = std::move(prompt); }
    // Runs the setup dialog modally; true when it closed with Start. Tests replace it.
    using SetupRunner = std::function<bool(GameState& state)>;
    void setSetupRunner(SetupRunner runner) { m_setupRunner = std::move(runner); }
    // Shows the summary of an ended game; returns the name typed for its best result (place 0
    // is the best; -1: the game did not enter the best results) and whether the player asked to
    // watch the game's replay, which only a game with a replay offers. Tests replace it.
    struct SummaryChoice {
        QString name;
        bool watch = false;
    };
    using SummaryRunner = std::function<SummaryChoice(
        const GameRecord& record, int place, const QString& prefill, bool hasReplay)>;
    void setSummaryRunner(SummaryRunner runner) { m_summaryRunner = std::move(runner); }
    // The best results are kept here; the per-user data folder unless a test sets another.
    void setResultsPath(const QString& path) { m_resultsFile = ResultsFile(path); }
    const GameRecord& gameRecord() const { return m_record; }
    // Runs the games dialog modally; the file of the game chosen to watch, or empty.
    using GamesRunner = std::function<QString(ReplayStore& store)>;
    void setGamesRunner(GamesRunner runner) { m_gamesRunner = std::move(runner); }
    // Tells the player something went wrong, in a box titled "Fendral". Tests note it instead.
    using Notice = std::function<void(const QString& message)>;
    void setNotice(Notice notice) { m_notice = std::move(notice); }
    // Leaves no control with the keyboard focus, so that keys reach the window.
    void clearFocusedControl();

protected:
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void moveEvent(QMoveEvent* event) override;

private:
    void createControls();
    void createMenuPanels();
    void createBottomLabels();
    void placeBottomLabels();
    // Screen modes and scales; see MainWindowScreen.cpp
    void watchScreen();
    void applyScreenMode();
    void layOutForScreen();
    void layOutControls();
    void applicationStateChanged(Qt::ApplicationState applicationState);
    QRect toLogical(const QRect& device) const;
    QRect toDevice(const QRect& logical) const;
    void canvasChanged(const QRect& rect);
    void runTick();
    // Each computer player asks for its direction within the tick that runs the logic step
    void steerComputerPlayers();
    void setUpComputerPlayers();
    void gameTimerChanged(int intervalMs);
    void scheduleCanvasFlush();
    void flushCanvasDamageIfFrameDue();
    void flushCanvasDamage();
    void requestClose();
    // Writes the settings; a failure is told on stderr, and in a box when the player is there
    void writeSettings(bool tellInABox);
    void connectCommands();
    bool pressDialogButton(int key);
    void tearDown();
    // The record of each game, its summary and the best results; see MainWindowResults.cpp
    void connectResults();
    void startGameRecord();
    void observeGame();
    // An ended game enters the best results; with showSummary, once the menu shows again, after
    // its summary, with the name typed there.
    void closeEndedGame(bool showSummary);
    // Puts the ended game into the table read from the file and saves it; its place, or -1.
    int enterBestResults(ResultsFile::Contents& contents, QString& prefill);
    ResultsFile::Contents loadResults();
    void saveResults(const ResultsFile::Contents& contents);
    // A game that ended is saved among the kept games; see MainWindowReplays.cpp
    void startRecordedGame();
    void saveFinishedGame();
    // The game in progress, if any, is left for the menu or by closing: it ends and is kept.
    void keepLeftGame(EndReason reason);
    // Watching a replay: its ticks, its keys, and the way back to the menu
    void watchTick();
    bool handleWatchKey(int key);
    void stopWatching();
    void showWatchTitle();
    // Pads steer and pause like the keys; see MainWindowGamepads.cpp
    void connectGamepads();
    bool arePadsHeard() const;
    bool isPlayingByPad() const;
    void pollPadsWithTimer(int intervalMs);
    // Polls the pads at the start of a tick; false when a press ended the game
    bool pollPadsBeforeTick();
    void repeatHeldDirections();
    void padSteered(int slot, int direction);
    // Start or A (confirm), B (not confirm)
    void padButtonPressed(bool confirm);
    void padMenuPressed();
    void openDialogForPad(std::function<bool()> stillWanted, void (MainWindow::*command)());
    // The sound and its keys; see MainWindowSound.cpp
    void connectSound();
    void setSoundChoice(const SoundChoice& choice);
    void toggleSound();
    bool handleSoundKey(int key);

    GameState m_state;
    QImage m_canvas;
    std::unique_ptr<FieldRenderer> m_renderer;
    std::unique_ptr<QtPlatform> m_platform;
    std::unique_ptr<DisplayView> m_view;
    std::unique_ptr<Game> m_game;
    std::unique_ptr<Gamepads> m_gamepads;
    std::unique_ptr<Sound> m_sound; // after the pads: SDL's audio starts after, and stops before
    SoundChoice m_soundChoice;
    ComputerPlayers m_computers;
    QString m_settingsPath;
    std::unique_ptr<QSettings> m_settingsFile;
    ReplayRecorder m_recorder;
    ReplayStore m_replayStore;
    std::unique_ptr<ReplayWatch> m_watch;
    // The setup choices, which a replay's set-up replaces while it shows
    decltype(GameState::teamAssignment) m_teamsBeforeWatch {};
    decltype(GameState::colourChoice) m_coloursBeforeWatch {};

    StatusPanel* m_statusPanel = nullptr;
    Panel* m_menuPanel = nullptr;
    QPushButton* m_startButton = nullptr;
    QPushButton* m_gamesButton = nullptr;
    QPushButton* m_closeProgramButton = nullptr;
    Panel* m_messagePanel = nullptr;
    QLabel* m_versionLabel = nullptr;
    QLabel* m_creditLabel = nullptr;

    Prompt m_prompt;
    Notice m_notice;
    SetupRunner m_setupRunner;
    SummaryRunner m_summaryRunner;
    GameRecord m_record;
    bool m_recordClosed = true; // the ended game went into the best results and its summary
    ResultsFile m_resultsFile;
    GamesRunner m_gamesRunner;
    QString m_finishedGamePath; // the replay of the game that ended last, once it is kept

    bool m_shown = false;
    bool m_closingWithoutAsking = false;
    bool m_applicationActive = true; // as Qt last reported it
    bool m_painting = false;
    CanvasDamage m_damage; // canvas changes not yet handed to Qt
    QTimer m_canvasFlushTimer; // hands them over at the next frame
    QElapsedTimer m_sinceCanvasFlush;
    int m_frameInterval = 16; // ms between two pictures of the screen
    QRegion m_pendingRegion; // canvas changes handed to Qt, not yet on screen

    bool m_fullScreen = false;
    bool m_laidOut = false;
    Scale m_scale;
    QRect m_gameRect { 0, 0, DesignClientWidth, DesignClientHeight }; // on the canvas
    QTimer m_screenSwitch; // runs while the window manager carries out a switch of mode
    bool m_deactivatedWhileSwitching = false;
};

} // namespace fendral
