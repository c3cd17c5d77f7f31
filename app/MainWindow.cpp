#include "MainWindow.h"

#include "DisplayView.h"
#include "FendralApplication.h"
#include "FieldRenderer.h"
#include "Gamepads.h"
#include "QtPlatform.h"
#include "ReplayWatch.h"
#include "Sound.h"
#include "StatusPanel.h"
#include "Tick.h"

#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QRandomGenerator>
#include <QSettings>

namespace fendral {

namespace {
    constexpr Qt::WindowFlags WindowFlags = Qt::Window | Qt::CustomizeWindowHint
        | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint
        | Qt::WindowCloseButtonHint;

    QPushButton* makeMenuButton(QWidget* parent, const QString& caption, int top)
    {
        auto* button = new QPushButton(caption, parent);
        button->setGeometry(8, top, 225, 41);
        button->setFocusPolicy(Qt::NoFocus);
        return button;
    }

    // The program's application object; none under a plain QApplication
    FendralApplication* fendralApplication()
    {
        return dynamic_cast<FendralApplication*>(QCoreApplication::instance());
    }

    QLabel* makeBottomLabel(QWidget* parent)
    {
        auto* label = new QLabel(parent);
        label->setFont(sansFont(11, false));
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        setTextColour(label, Qt::white);
        return label;
    }
}

MainWindow::MainWindow(const QString& settingsPath, QWidget* parent)
    : QWidget(parent, WindowFlags)
    , m_canvas(DesignClientWidth, DesignClientHeight, QImage::Format_RGB32)
    , m_settingsPath(settingsPath)
    , m_damage(m_canvas.size())
{
    setWindowTitle(QStringLiteral("Fendral"));
    setWindowIcon(QIcon(QStringLiteral(":/icons/fendral.png")));
    // The window never changes its size, maximised or not
    setFixedSize(DesignClientWidth, DesignClientHeight);
    setFont(sansFont(11, true));
    // Every pixel comes from the canvas, so Qt need not clear the background first
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    m_canvas.fill(Qt::black);

    m_renderer = std::make_unique<FieldRenderer>(m_state, m_canvas);
    m_renderer->setDirtyCallback([this](const QRect& rect) { canvasChanged(rect); });
    m_canvasFlushTimer.setSingleShot(true);
    m_canvasFlushTimer.setTimerType(Qt::PreciseTimer);
    connect(&m_canvasFlushTimer, &QTimer::timeout, this, &MainWindow::flushCanvasDamage);
    m_sinceCanvasFlush.start();
    m_platform = std::make_unique<QtPlatform>([this] { runTick(); });
    createControls();
    m_view = std::make_unique<DisplayView>(m_state, *m_renderer, *m_statusPanel,
        LayoutWidgets { this, m_menuPanel, m_versionLabel, m_creditLabel, m_messagePanel });
    m_game = std::make_unique<Game>(Game { m_state, *m_view, *m_platform, &m_recorder });
    connectGamepads();
    connectSound();
    m_platform->setTimerListener([this](int intervalMs) { gameTimerChanged(intervalMs); });
    connectCommands();
    connectResults();
    // An error box runs its own event loop while the game's timer goes on firing: the game is
    // paused first, as for any other question to the user
    if (FendralApplication* application = fendralApplication())
        application->setBeforeShowingException([this] { pauseRunningGame(); });
}

void MainWindow::runTick()
{
    // A pad press that left the game leaves nothing for this tick to do
    if (!pollPadsBeforeTick())
        return;
    if (m_watch) {
        watchTick();
    } else {
        steerComputerPlayers();
        observeGame();
        tick(*m_game);
        observeGame();
        saveFinishedGame();
    }
    flushCanvasDamageIfFrameDue();
    closeEndedGame(true);
}

void MainWindow::steerComputerPlayers()
{
    if (!m_computers.isEmpty() && runsLogicStep(m_state))
        m_computers.steer(*m_game);
}

void MainWindow::setUpComputerPlayers()
{
    std::array<uint32_t, PlayerCount> seeds {};
    for (uint32_t& seed : seeds)
        seed = QRandomGenerator::global()->generate();
    m_computers.setUp(m_state, seeds);
    m_recorder.setComputerSeeds(seeds);
}

MainWindow::~MainWindow()
{
    if (FendralApplication* application = fendralApplication())
        application->setBeforeShowingException({});
    tearDown();
}

QPushButton* MainWindow::menuButton() const { return m_statusPanel->menuButton(); }
QPushButton* MainWindow::closeButton() const { return m_statusPanel->closeButton(); }
Panel* MainWindow::purchasePanel() const { return m_statusPanel->purchasePanel(); }

void MainWindow::createControls()
{
    m_statusPanel = new StatusPanel(this);
    m_statusPanel->setObjectName(QStringLiteral("panel"));
    m_statusPanel->setGeometry(
        0, height() - StatusPanel::PanelHeight, width(), StatusPanel::PanelHeight);
    connect(m_statusPanel->closeButton(), &QPushButton::clicked, this, &MainWindow::closeClicked);
    createMenuPanels();
    createBottomLabels();
}

void MainWindow::createMenuPanels()
{
    m_menuPanel = new Panel(this);
    m_menuPanel->resize(241, 153);
    m_startButton = makeMenuButton(m_menuPanel, QStringLiteral("Start Game"), 8);
    m_gamesButton = makeMenuButton(m_menuPanel, QStringLiteral("Games"), 56);
    m_closeProgramButton = makeMenuButton(m_menuPanel, QStringLiteral("Close Fendral"), 104);
    connect(m_gamesButton, &QPushButton::clicked, this, &MainWindow::gamesClicked);
    connect(m_closeProgramButton, &QPushButton::clicked, this, &MainWindow::closeProgramClicked);

    m_messagePanel = new Panel(this);
    m_messagePanel->resize(233, 33);
    m_messagePanel->hide();

    m_menuPanel->setObjectName(QStringLiteral("menup"));
    m_startButton->setObjectName(QStringLiteral("start"));
    m_gamesButton->setObjectName(QStringLiteral("games"));
    m_closeProgramButton->setObjectName(QStringLiteral("Button11"));
    m_messagePanel->setObjectName(QStringLiteral("panelp"));
}

void MainWindow::createBottomLabels()
{
    m_versionLabel = makeBottomLabel(this);
    m_creditLabel = makeBottomLabel(this);
    m_creditLabel->setText(QStringLiteral("by the Fendral team"));
    m_versionLabel->setObjectName(QStringLiteral("ver"));
}

void MainWindow::placeBottomLabels()
{
    // One line 18 pixels above the status panel; the version ends 6 pixels from the right edge
    const int top = m_statusPanel->y() - m_scale.logical(18);
    const int right = m_statusPanel->geometry().right() + 1;
    m_versionLabel->adjustSize();
    m_versionLabel->move(right - m_versionLabel->width() - m_scale.logical(6), top);
    m_creditLabel->adjustSize();
    m_creditLabel->move(right - m_scale.logical(180), top);
}

} // namespace fendral
