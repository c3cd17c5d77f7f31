#include "SetupDialog.h"

#include "LoadMenu.h"
#include "PlayerRow.h"

#include "GameState.h"
#include "KeyNames.h"
#include "KeyTranslation.h"
#include "QtColour.h"
#include "VirtualKeys.h"
#include "Widgets.h"

#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>

#include <algorithm>

namespace fendral {

namespace {

    QPixmap checkMark(const QColor& colour)
    {
        QPixmap pixmap(16, 16);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(colour, 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        const QPointF stroke[] = { { 2.5, 8.5 }, { 6.0, 12.5 }, { 13.5, 3.0 } };
        painter.drawPolyline(stroke, 3);
        return pixmap;
    }

} // namespace

SetupDialog::SetupDialog(GameState& state, QWidget* parent)
    : QDialog(parent)
    , m_state(state)
{
    setWindowTitle(QStringLiteral("Fendral - Starting"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint
        | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(465, 161);
    QFont smallFont = font();
    smallFont.setPixelSize(11);
    setFont(smallFont);
    createDesignedControls();
}

SetupDialog::~SetupDialog() = default;

void SetupDialog::createDesignedControls()
{
    createLabels();
    createPlayerControls();
    createCommandButtons();
    createSchemeMenu();
}

void SetupDialog::createLabels()
{
    addLabel(QStringLiteral("Teams:"), 8, 8)->setObjectName(QStringLiteral("Label5"));
    const char* teamLetters[TeamCount] = { "W", "X", "Y", "Z" };
    for (int t = 0; t < TeamCount; ++t) {
        addLabel(QString::fromLatin1(teamLetters[t]), 58 + 24 * t, 8)
            ->setObjectName(QStringLiteral("Label%1").arg(6 + t));
    }
    const char* directions[4] = { "Up", "Down", "Left", "Right" };
    const int directionLabels[4] = { 10, 11, 13, 12 };
    for (int d = 0; d < 4; ++d) {
        QLabel* label = addLabel(QString::fromLatin1(directions[d]), 176 + 64 * d, 8);
        label->setObjectName(QStringLiteral("Label%1").arg(directionLabels[d]));
        label->setFixedWidth(57);
        label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    }
    addLabel(QStringLiteral("Load"), 432, 8)->setObjectName(QStringLiteral("Label15"));
    addLabel(QStringLiteral("Pause"), 176, 120)->setObjectName(QStringLiteral("Label14"));
}

void SetupDialog::createPlayerControls()
{
    for (int p = 0; p < PlayerCount; ++p) {
        auto* row = new PlayerRow(this, p);
        connect(row, &PlayerRow::colourPressed, this,
            [this, p](Qt::MouseButton button) { colourPressed(p, button); });
        connect(row, &PlayerRow::loadClicked, this, [this, p] { loadClicked(p); });
        connect(row, &PlayerRow::teamBoxClicked, this, [this, p](int t) { teamBoxClicked(t, p); });
        connect(
            row, &PlayerRow::keyButtonClicked, this, [this, p](int d) { keyButtonClicked(p, d); });
        m_rows[p] = row;
    }
}

void SetupDialog::createCommandButtons()
{
    m_pauseButton = addButton(QString(), 176, 136, 57, 17);
    m_pauseButton->setObjectName(QStringLiteral("pauser"));
    connect(m_pauseButton, &QPushButton::clicked, this, [this] { pauseButtonClicked(); });

    QFont boldFont = font();
    boldFont.setBold(true);
    QPushButton* resetTeams = addButton(QStringLiteral("Reset Teams"), 8, 120, 161, 33);
    resetTeams->setObjectName(QStringLiteral("Button1"));
    resetTeams->setFont(boldFont);
    connect(resetTeams, &QPushButton::clicked, this, [this] { resetTeamsClicked(); });

    QPushButton* resetControls = addButton(QStringLiteral("Reset Controls"), 240, 120, 121, 33);
    resetControls->setObjectName(QStringLiteral("Button3"));
    resetControls->setFont(boldFont);
    connect(resetControls, &QPushButton::clicked, this, [this] { resetControlsClicked(); });

    m_startButton = addButton(QStringLiteral("Start"), 368, 120, 89, 33);
    m_startButton->setObjectName(QStringLiteral("start"));
    m_startButton->setFont(boldFont);
    m_startButton->setDefault(true);
    createStartGlyph();
    connect(m_startButton, &QPushButton::clicked, this, &QDialog::accept);
}

QMenu* SetupDialog::schemeMenu() const { return m_schemeMenu; }

void SetupDialog::setConnectedPads(const std::array<QString, 4>& names)
{
    m_padNames = names;
    m_schemeMenu->showPadNames(names);
    showPads();
}

void SetupDialog::createSchemeMenu()
{
    m_schemeMenu = new LoadMenu(this);
    connect(m_schemeMenu, &LoadMenu::schemeChosen, this, &SetupDialog::schemeChosen);
    connect(m_schemeMenu, &LoadMenu::padChosen, this, &SetupDialog::padChosen);
    connect(m_schemeMenu, &LoadMenu::computerChosen, this, &SetupDialog::computerChosen);
}

QLabel* SetupDialog::addLabel(const QString& text, int left, int top)
{
    auto* label = new QLabel(text, this);
    label->move(left, top);
    label->adjustSize();
    return label;
}

QPushButton* SetupDialog::addButton(const QString& text, int left, int top, int width, int height)
{
    return addDialogButton(this, text, left, top, width, height);
}

// A red check mark, grey while the button is disabled
void SetupDialog::createStartGlyph()
{
    QIcon glyph;
    glyph.addPixmap(checkMark(QColor(0xE0, 0, 0)), QIcon::Normal);
    glyph.addPixmap(checkMark(QColor(0xA0, 0xA0, 0xA0)), QIcon::Disabled);
    m_startButton->setIcon(glyph);
    m_startButton->setIconSize(QSize(16, 16));
}

void SetupDialog::centreOnScreen()
{
    if (const QScreen* screen = this->screen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
}

void SetupDialog::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    centreOnScreen();
    setUpControls();
}

void SetupDialog::keyPressEvent(QKeyEvent* event)
{
    event->setAccepted(handleKey(virtualKeyCode(*event)));
}

// Tab must not move the focus onto a control: the dialog handles every key itself
bool SetupDialog::focusNextPrevChild(bool) { return false; }

void SetupDialog::setUpControls()
{
    m_colourOwner.fill(NoPlayer);
    for (PlayerRow* row : m_rows) {
        if (!row->hasRunTimeControls())
            row->createRunTimeControls();
        row->showColour(m_state);
        m_colourOwner[m_state.colourChoice[row->player()]] = row->player();
    }
    m_pauseButton->setText(keyName(m_state.pauseKey));
    syncTeamChecks();
    refreshKeyCaptions();
    showPads();
}

bool SetupDialog::handleKey(int key)
{
    if (m_captureButton) {
        int& target = *m_captureTarget;
        const int old = target;
        const bool accepted = !keyName(key).isEmpty() && (isCapturingPauseKey() || key != VK_SPACE);
        if (accepted) {
            target = key;
            if (isCapturingPauseKey()) {
                for (const auto& keys : m_state.controlKeys) {
                    if (std::find(keys.begin(), keys.end(), key) != keys.end())
                        target = old;
                }
            } else {
                const int p = m_capturePlayer;
                const int d = m_captureDirection;
                for (int k = 0; k < 4; ++k) {
                    if (k != d && m_state.controlKeys[p][k] == key)
                        target = old;
                }
                if (key == m_state.pauseKey)
                    target = old;
            }
        }
        m_captureButton = nullptr;
        refreshKeyCaptions();
        return true;
    }
    if (key == VK_ESCAPE) {
        reject();
        return true;
    }
    // Start is the default button: Enter works only while it is enabled
    if (key == VK_RETURN) {
        if (m_startButton->isEnabled())
            m_startButton->click();
        return true;
    }
    return false;
}

void SetupDialog::syncTeamChecks()
{
    m_syncing = true;
    bool anyone = false;
    for (PlayerRow* row : m_rows) {
        row->showTeams(m_state);
        anyone = anyone || isTicked(row->player());
    }
    m_syncing = false;
    m_startButton->setEnabled(anyone);
}

void SetupDialog::refreshKeyCaptions()
{
    // A computer player's keys steer nobody: they are free for anyone else
    for (int p = 0; p < PlayerCount; ++p) {
        std::array<bool, 4> shared {};
        for (int d = 0; d < 4; ++d)
            for (int q = 0; q < PlayerCount; ++q)
                shared[d] = shared[d]
                    || (q != p && isPerson(q) && holdsKey(q, m_state.controlKeys[p][d]));
        // Within a player's own keys no key repeats: the capture refuses it
        m_rows[p]->showKeys(m_state, shared);
    }
    m_pauseButton->setText(keyName(m_state.pauseKey));
    m_schemeMenu->enableSchemes(m_state.pauseKey);
    checkKeyClashes();
}

void SetupDialog::checkKeyClashes()
{
    // Only people clash: a computer player's keys steer nobody
    for (int p = 0; p < PlayerCount; ++p) {
        for (int q = 0; q < PlayerCount; ++q) {
            bool shared = false;
            for (const int key : m_state.controlKeys[p])
                shared = shared || holdsKey(q, key);
            m_keyClash[p][q] = p != q && shared && isPerson(p) && isPerson(q);
        }
    }
    for (int p = 0; p < PlayerCount; ++p) {
        for (int q = p + 1; q < PlayerCount; ++q) {
            if (m_keyClash[p][q] && isTicked(p) && isTicked(q)) {
                resetTeams();
                return;
            }
        }
    }
}

void SetupDialog::teamBoxClicked(int t, int p)
{
    if (m_syncing)
        return;
    if (m_captureButton) {
        cancelCapture();
        refreshKeyCaptions();
    }
    auto& teams = m_state.teamAssignment;
    teams[t][p] = teams[t][p] ? 0 : 1;
    if (teams[t][p]) {
        for (int other = 0; other < TeamCount; ++other) {
            if (other != t)
                teams[other][p] = 0;
        }
        // Players who share a key with p cannot play beside it
        for (int q = 0; q < PlayerCount; ++q) {
            if (m_keyClash[p][q]) {
                for (auto& team : teams)
                    team[q] = 0;
            }
        }
    }
    syncTeamChecks();
}

void SetupDialog::colourPressed(int p, Qt::MouseButton button)
{
    int c = m_state.colourChoice[p];
    m_colourOwner[c] = NoPlayer;
    // Skip the colours of playing players; an idle player's colour may be taken
    const int step = button == Qt::LeftButton ? 1 : ColourCount - 1;
    do
        c = (c + step) % ColourCount;
    while (m_colourOwner[c] != NoPlayer && isTicked(m_colourOwner[c]));

    const int q = m_colourOwner[c];
    m_state.colourChoice[p] = c;
    m_colourOwner[c] = p;
    showColour(p);

    if (q != NoPlayer) {
        int free = c;
        do
            free = (free + 1) % ColourCount;
        while (m_colourOwner[free] != NoPlayer);
        m_state.colourChoice[q] = free;
        m_colourOwner[free] = q;
        showColour(q);
    }
}

void SetupDialog::keyButtonClicked(int p, int d)
{
    if (!isPerson(p))
        return;
    endCaptureShown();
    m_captureButton = m_rows[p]->keyButton(d);
    m_captureTarget = &m_state.controlKeys[p][d];
    m_capturePlayer = p;
    m_captureDirection = d;
    m_rows[p]->showCapture(d);
}

void SetupDialog::pauseButtonClicked()
{
    endCaptureShown();
    m_captureButton = m_pauseButton;
    m_captureTarget = &m_state.pauseKey;
    m_capturePlayer = NoPlayer;
    m_pauseButton->setText(QStringLiteral("..."));
}

// A button that was waiting for a key shows its key again
void SetupDialog::endCaptureShown()
{
    if (m_captureButton)
        m_captureButton->setText(keyName(*m_captureTarget));
}

void SetupDialog::resetTeamsClicked() { resetTeams(); }

void SetupDialog::resetControlsClicked()
{
    cancelCapture();
    m_state.controlKeys = defaultControlKeys;
    m_state.pauseKey = VK_SPACE;
    refreshKeyCaptions();
}

void SetupDialog::loadClicked(int p)
{
    cancelCapture();
    refreshKeyCaptions();
    m_schemeTarget = p;
    m_schemeMenu->tickChoicesOf(m_state, p);
    m_schemeMenu->popup(m_rows[p]->loadButton()->mapToGlobal(QPoint(0, 0)));
}

void SetupDialog::schemeChosen(int scheme)
{
    // Refused like a captured key would be: the player's keys stay as they were
    if (schemeHolds(scheme, m_state.pauseKey))
        return;
    m_state.controlKeys[m_schemeTarget] = ControlScheme[scheme];
    m_state.computer[m_schemeTarget] = Person;
    refreshKeyCaptions();
    showPads();
}

void SetupDialog::padChosen(int slot)
{
    // A pad steers one player at most: binding it here takes it from anyone else
    for (int& other : m_state.padSlot) {
        if (other == slot)
            other = NoPad;
    }
    m_state.padSlot[m_schemeTarget] = slot;
    m_state.computer[m_schemeTarget] = Person;
    refreshKeyCaptions();
    showPads();
}

void SetupDialog::computerChosen(int strength)
{
    m_state.computer[m_schemeTarget] = strength;
    refreshKeyCaptions();
    showPads();
}

void SetupDialog::showPads()
{
    for (PlayerRow* row : m_rows)
        row->showLoad(m_state, m_padNames);
}

void SetupDialog::resetTeams()
{
    m_state.teamAssignment = {};
    m_state.teamAssignment[0][0] = 1; // Alpha alone in team W
    syncTeamChecks();
}

void SetupDialog::cancelCapture() { m_captureButton = nullptr; }

bool SetupDialog::isTicked(int p) const
{
    for (const auto& team : m_state.teamAssignment) {
        if (team[p])
            return true;
    }
    return false;
}

void SetupDialog::showColour(int p) { m_rows[p]->showColour(m_state); }

bool SetupDialog::isPerson(int p) const { return m_state.computer[p] == Person; }

bool SetupDialog::holdsKey(int p, int key) const
{
    const auto& keys = m_state.controlKeys[p];
    return std::find(keys.begin(), keys.end(), key) != keys.end();
}

} // namespace fendral
