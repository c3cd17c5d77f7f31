#include "SetupDialog.h"

#include "GameState.h"
#include "KeyNames.h"
#include "KeyTranslation.h"
#include "QtColour.h"
#include "VirtualKeys.h"
#include "Widgets.h"

#include <QAction>
#include <QActionGroup>
#include <QCheckBox>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>

#include <algorithm>

namespace fendral {

namespace {

    constexpr const char* schemeNames[SchemeCount]
        = { "Arrows", "Num8546", "WSAD", "RFDG", "P;L'", "Num5639", "SAQZ" };

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

    // The mark of a bound pad on a Load button: a small dark pad body with its number, only its
    // outline while the pad is not connected
    QPixmap padMark(int slot, bool connected)
    {
        QPixmap pixmap(15, 11);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        const QColor body(0x40, 0x40, 0x40);
        painter.setPen(connected ? Qt::NoPen : QPen(body, 1));
        painter.setBrush(connected ? QBrush(body) : QBrush(Qt::NoBrush));
        painter.drawRoundedRect(QRectF(0.5, 0.5, 14, 10), 4, 4);
        painter.setFont(sansFont(9, true));
        painter.setPen(connected ? QColor(Qt::white) : body);
        painter.drawText(QRect(0, 0, 15, 11), Qt::AlignCenter, QString::number(slot + 1));
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

SetupDialog::~SetupDialog() { destroyRunTimeControls(); }

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
    for (int p = 0; p < PlayerCount; ++p) {
        const std::string_view name = playerNames[p];
        addLabel(QString::fromLatin1(name.data(), qsizetype(name.size())), 8, 26 + 24 * p)
            ->setObjectName(QStringLiteral("Label%1").arg(1 + p));
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
    const char* loadNames[PlayerCount] = { "Button2", "Button4", "Button5", "Button6" };
    for (int p = 0; p < PlayerCount; ++p) {
        m_colourShapes[p] = new ColourShape(this, QRect(152, 24 + 24 * p, 17, 17));
        m_colourShapes[p]->setObjectName(QStringLiteral("col%1").arg(p));
        connect(m_colourShapes[p], &ColourShape::pressed, this,
            [this, p](Qt::MouseButton button) { colourPressed(p, button); });

        m_loadButtons[p] = addButton(QString(), 432, 24 + 24 * p, 25, 17);
        m_loadButtons[p]->setObjectName(QString::fromLatin1(loadNames[p]));
        m_loadButtons[p]->setIconSize(QSize(15, 11));
        connect(m_loadButtons[p], &QPushButton::clicked, this, [this, p] { loadClicked(p); });
    }
}

void SetupDialog::createCommandButtons()
{
    m_pauseButton = addButton(QString(), 176, 136, 57, 17);
    m_pauseButton->setObjectName(QStringLiteral("pauser"));
    connect(m_pauseButton, &QPushButton::clicked, this, [this] { keyButtonClicked(PauserTag); });

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

void SetupDialog::createSchemeMenu()
{
    m_schemeMenu = new QMenu(this);
    m_schemeMenu->setObjectName(QStringLiteral("mnu"));
    for (int s = 0; s < SchemeCount; ++s) {
        QAction* item = m_schemeMenu->addAction(QString::fromLatin1(schemeNames[s]));
        connect(item, &QAction::triggered, this, [this, s] { schemeChosen(s); });
    }
    addPadItems();
}

// Below the schemes, the pads: a player keeps its keys and may steer with a pad besides them
void SetupDialog::addPadItems()
{
    m_schemeMenu->addSeparator();
    m_padItems = new QActionGroup(this);
    for (int item = 0; item <= PadCount; ++item) {
        const int slot = item < PadCount ? item : NoPad;
        QAction* action = m_schemeMenu->addAction(
            slot == NoPad ? QStringLiteral("No gamepad") : padCaption(slot));
        action->setCheckable(true);
        action->setData(slot);
        m_padItems->addAction(action);
        connect(action, &QAction::triggered, this, [this, slot] { padChosen(slot); });
    }
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
    auto* button = new QPushButton(text, this);
    button->setGeometry(left, top, width, height);
    button->setFocusPolicy(Qt::NoFocus);
    button->setAutoDefault(false);
    return button;
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

// The team boxes and the key buttons, told apart by their tags
void SetupDialog::createRunTimeControls()
{
    for (int tag = 0; tag < 16; ++tag) {
        const int t = tag / 4;
        const int p = tag % 4;
        auto* box = new QCheckBox(this);
        box->setObjectName(QStringLiteral("cb%1").arg(tag));
        box->setGeometry(56 + 24 * t, 24 + 24 * p, 17, 17);
        box->setFocusPolicy(Qt::NoFocus);
        connect(box, &QCheckBox::clicked, this, [this, tag] { teamBoxClicked(tag); });
        box->show();
        m_teamBoxes[tag] = box;
    }
    for (int tag = 0; tag < 16; ++tag) {
        const int p = tag / 4;
        const int d = tag % 4;
        QPushButton* button = addButton(QString(), 176 + 64 * d, 24 + 24 * p, 57, 17);
        button->setObjectName(QStringLiteral("bs%1").arg(tag));
        connect(button, &QPushButton::clicked, this, [this, tag] { keyButtonClicked(tag); });
        button->show();
        m_keyButtons[tag] = button;
    }
}

void SetupDialog::setUpControls()
{
    if (!m_teamBoxes[0])
        createRunTimeControls();
    m_colourOwner.fill(NoPlayer);
    for (int p = 0; p < PlayerCount; ++p) {
        showColour(p);
        m_colourOwner[m_state.colourChoice[p]] = p;
    }
    m_pauseButton->setText(keyName(m_state.pauseKey));
    syncTeamChecks();
    refreshKeyCaptions();
    showPads();
}

void SetupDialog::destroyRunTimeControls()
{
    for (QCheckBox*& box : m_teamBoxes) {
        delete box;
        box = nullptr;
    }
    for (QPushButton*& button : m_keyButtons) {
        delete button;
        button = nullptr;
    }
    m_captureButton = nullptr;
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
                const int p = m_captureTag / 4;
                const int d = m_captureTag % 4;
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
    for (int t = 0; t < TeamCount; ++t) {
        for (int p = 0; p < PlayerCount; ++p) {
            const bool plays = m_state.teamAssignment[t][p] != 0;
            m_teamBoxes[4 * t + p]->setChecked(plays);
            anyone = anyone || plays;
        }
    }
    m_syncing = false;
    m_startButton->setEnabled(anyone);
}

void SetupDialog::refreshKeyCaptions()
{
    for (int k = 0; k < 16; ++k) {
        const int code = m_state.controlKeys[k / 4][k % 4];
        bool marked = false;
        for (int j = 0; j < 16; ++j) {
            if (j != k && m_state.controlKeys[j / 4][j % 4] == code)
                marked = true;
        }
        m_keyButtons[k]->setText(marked ? QStringLiteral("! ") + keyName(code) : keyName(code));
    }
    m_pauseButton->setText(keyName(m_state.pauseKey));
    enableSchemes();
    checkKeyClashes();
}

void SetupDialog::checkKeyClashes()
{
    for (int p = 0; p < PlayerCount; ++p) {
        for (int q = 0; q < PlayerCount; ++q) {
            bool shared = false;
            for (const int key : m_state.controlKeys[p]) {
                const auto& keys = m_state.controlKeys[q];
                shared = shared || std::find(keys.begin(), keys.end(), key) != keys.end();
            }
            m_keyClash[p][q] = p != q && shared;
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

void SetupDialog::teamBoxClicked(int tag)
{
    if (m_syncing)
        return;
    if (m_captureButton) {
        cancelCapture();
        refreshKeyCaptions();
    }
    const int t = tag / 4;
    const int p = tag % 4;
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

void SetupDialog::keyButtonClicked(int tag)
{
    if (m_captureButton)
        m_captureButton->setText(keyName(*m_captureTarget));
    m_captureTag = tag;
    if (tag == PauserTag) {
        m_captureButton = m_pauseButton;
        m_captureTarget = &m_state.pauseKey;
    } else {
        m_captureButton = m_keyButtons[tag];
        m_captureTarget = &m_state.controlKeys[tag / 4][tag % 4];
    }
    m_captureButton->setText(QStringLiteral("..."));
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
    checkPadItem();
    m_schemeMenu->popup(m_loadButtons[p]->mapToGlobal(QPoint(0, 0)));
}

void SetupDialog::schemeChosen(int scheme)
{
    // Refused like a captured key would be: the player's keys stay as they were
    if (holdsPauseKey(scheme))
        return;
    m_state.controlKeys[m_schemeTarget] = ControlScheme[scheme];
    refreshKeyCaptions();
}

void SetupDialog::padChosen(int slot)
{
    // A pad steers one player at most: binding it here takes it from anyone else
    for (int& other : m_state.padSlot) {
        if (other == slot)
            other = NoPad;
    }
    m_state.padSlot[m_schemeTarget] = slot;
    showPads();
}

void SetupDialog::setConnectedPads(const std::array<QString, 4>& names)
{
    m_padNames = names;
    for (QAction* action : m_padItems->actions()) {
        if (const int slot = action->data().toInt(); slot != NoPad)
            action->setText(padCaption(slot));
    }
    showPads();
}

QString SetupDialog::padCaption(int slot) const
{
    const QString name
        = m_padNames[slot].isEmpty() ? QStringLiteral("not connected") : m_padNames[slot];
    return QStringLiteral("Gamepad %1 (%2)").arg(slot + 1).arg(name);
}

void SetupDialog::checkPadItem()
{
    for (QAction* action : m_padItems->actions())
        action->setChecked(action->data().toInt() == m_state.padSlot[m_schemeTarget]);
}

// The Load buttons have no text of their own: a bound pad shows as a mark on its icon
void SetupDialog::showPads()
{
    for (int p = 0; p < PlayerCount; ++p) {
        const int slot = m_state.padSlot[p];
        const bool bound = slot >= 0 && slot < PadCount;
        m_loadButtons[p]->setIcon(
            bound ? QIcon(padMark(slot, !m_padNames[slot].isEmpty())) : QIcon());
        m_loadButtons[p]->setToolTip(bound ? padCaption(slot) : QString());
    }
}

// A direction on the pause key could never steer, and the next start would find the key set
// invalid and reset all seventeen keys: such a scheme is offered disabled
void SetupDialog::enableSchemes()
{
    const QList<QAction*> items = m_schemeMenu->actions();
    for (int s = 0; s < SchemeCount; ++s)
        items[s]->setEnabled(!holdsPauseKey(s));
}

bool SetupDialog::holdsPauseKey(int scheme) const
{
    const auto& keys = ControlScheme[scheme];
    return std::find(keys.begin(), keys.end(), m_state.pauseKey) != keys.end();
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

void SetupDialog::showColour(int p)
{
    m_colourShapes[p]->setFill(qtColour(defaultColours[m_state.colourChoice[p]]));
}

} // namespace fendral
