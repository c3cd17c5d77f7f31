// The main window: playfield canvas, status panel, menu, message panel, and the game it owns
#pragma once

#include "Game.h"
#include "GameState.h"

#include <QImage>
#include <QRegion>
#include <QWidget>

#include <functional>
#include <memory>

class QLabel;
class QPushButton;
class QSettings;

namespace fendral {

class DisplayView;
class FieldRenderer;
class Panel;
class QtPlatform;
class StatusPanel;

class TForm1 : public QWidget {
    Q_OBJECT
public:
    static constexpr int DesignClientWidth = 1024;
    static constexpr int DesignClientHeight = 721;

    // The settings file beside the executable.
    static QString defaultIniPath();

    explicit TForm1(const QString& iniPath = defaultIniPath(), QWidget* parent = nullptr);
    ~TForm1() override;

    GameState& state() { return m_state; }
    Game& game() { return *m_game; }
    DisplayView& view() { return *m_view; }
    FieldRenderer& renderer() { return *m_renderer; }
    QtPlatform& platform() { return *m_platform; }
    QSettings* iniFile() const { return m_iniFile.get(); }
    const QImage& canvas() const { return m_canvas; }

    StatusPanel* panel() const { return m_panel; }
    Panel* menup() const { return m_menup; }
    QPushButton* start() const { return m_start; }
    QPushButton* Button11() const { return m_Button11; }
    Panel* panelp() const { return m_panelp; }
    QLabel* ver() const { return m_ver; }
    QLabel* credit() const { return m_credit; }
    QPushButton* menub() const;
    QPushButton* Button4() const;
    Panel* mode() const;

    // First-show set-up: playfield size, panels, settings, BackBuffer, grids, the menu.
    void FormShow();
    // Redraws the field and the sprites on the canvas while a game is shown.
    void FormPaint();
    // A key press as a virtual-key code; set to 0 when consumed.
    void FormKeyDown(int& key);
    void FormCloseQuery(bool& canClose);
    void FormClose();
    void Button11Click();
    void Button4Click();

    // The commands of the menu and of a game in progress
    void startClick();
    void menubClick();
    void modeClick();
    void FormClick();
    void AppDeactivate();

    // Asks a Yes/No question in a box titled "Fendral"; true on Yes. Tests answer it themselves.
    using Prompt = std::function<bool(const QString& question)>;
    void setPrompt(Prompt prompt) { m_prompt = std::move(prompt); }
    // Runs the setup dialog modally; true when it closed with Start. Tests replace it.
    using SetupDialog = std::function<bool(GameState& state)>;
    void setSetupDialog(SetupDialog dialog) { m_setupDialog = std::move(dialog); }
    // Leaves no control with the keyboard focus, so that keys reach the window.
    void clearFocusedControl();

protected:
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void createControls();
    void createMenuPanels();
    void createBottomLabels();
    void placeBottomLabels();
    void canvasChanged(const QRect& rect);
    void requestClose();
    void connectCommands();
    bool pressDialogButton(int key);
    void FormDestroy();

    GameState m_state;
    QImage m_canvas;
    std::unique_ptr<FieldRenderer> m_renderer;
    std::unique_ptr<QtPlatform> m_platform;
    std::unique_ptr<DisplayView> m_view;
    std::unique_ptr<Game> m_game;
    QString m_iniPath;
    std::unique_ptr<QSettings> m_iniFile;

    StatusPanel* m_panel = nullptr;
    Panel* m_menup = nullptr;
    QPushButton* m_start = nullptr;
    QPushButton* m_Button11 = nullptr;
    Panel* m_panelp = nullptr;
    QLabel* m_ver = nullptr;
    QLabel* m_credit = nullptr;

    Prompt m_prompt;
    SetupDialog m_setupDialog;

    bool m_shown = false;
    bool m_painting = false;
    QRegion m_pendingRegion; // canvas changes not yet on screen
};

} // namespace fendral
