#include "PlayerRow.h"

#include "GameState.h"
#include "KeyNames.h"
#include "QtColour.h"
#include "Widgets.h"

#include <QCheckBox>
#include <QIcon>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>

namespace fendral {

namespace {

    constexpr int RowHeight = 24;
    constexpr int FirstRowTop = 24;
    constexpr int ComputerCaptionPixels = 9; // "Computer" is longer than any key name

    // The mark of a bound pad on a Load button: a small dark pad body with its number
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

QPushButton* addDialogButton(
    QWidget* dialog, const QString& text, int left, int top, int width, int height)
{
    auto* button = new QPushButton(text, dialog);
    button->setGeometry(left, top, width, height);
    button->setFocusPolicy(Qt::NoFocus);
    button->setAutoDefault(false);
    return button;
}

QString computerCaption(int strength)
{
    constexpr const char* strengths[ComputerStrengths] = { "easy", "normal", "hard" };
    return QStringLiteral("Computer: ") + QString::fromLatin1(strengths[strength - 1]);
}

QString padCaption(int slot, const QString& padName)
{
    const QString name = padName.isEmpty() ? QStringLiteral("not connected") : padName;
    return QStringLiteral("Gamepad %1 (%2)").arg(slot + 1).arg(name);
}

PlayerRow::PlayerRow(QWidget* dialog, int p)
    : QObject(dialog)
    , m_dialog(dialog)
    , m_p(p)
{
    const int top = FirstRowTop + RowHeight * p;
    const std::string_view name = playerNames[p];
    m_nameLabel = new QLabel(QString::fromLatin1(name.data(), qsizetype(name.size())), dialog);
    m_nameLabel->move(8, top + 2);
    m_nameLabel->adjustSize();
    m_nameLabel->setObjectName(QStringLiteral("Label%1").arg(1 + p));

    m_colourShape = new ColourShape(dialog, QRect(152, top, 17, 17));
    m_colourShape->setObjectName(QStringLiteral("col%1").arg(p));
    connect(m_colourShape, &ColourShape::pressed, this, &PlayerRow::colourPressed);

    const char* loadNames[PlayerCount] = { "Button2", "Button4", "Button5", "Button6" };
    m_loadButton = addDialogButton(dialog, QString(), 432, top, 25, 17);
    m_loadButton->setObjectName(QString::fromLatin1(loadNames[p]));
    m_loadButton->setIconSize(QSize(15, 11));
    connect(m_loadButton, &QPushButton::clicked, this, &PlayerRow::loadClicked);
}

PlayerRow::~PlayerRow() { destroyRunTimeControls(); }

void PlayerRow::createRunTimeControls()
{
    const int top = FirstRowTop + RowHeight * m_p;
    for (int t = 0; t < TeamCount; ++t) {
        auto* box = new QCheckBox(m_dialog);
        box->setObjectName(QStringLiteral("cb%1").arg(4 * t + m_p));
        box->setGeometry(56 + 24 * t, top, 17, 17);
        box->setFocusPolicy(Qt::NoFocus);
        connect(box, &QCheckBox::clicked, this, [this, t] { emit teamBoxClicked(t); });
        box->show();
        m_teamBoxes[t] = box;
    }
    for (int d = 0; d < 4; ++d) {
        QPushButton* button = addDialogButton(m_dialog, QString(), 176 + 64 * d, top, 57, 17);
        button->setObjectName(QStringLiteral("bs%1").arg(4 * m_p + d));
        connect(button, &QPushButton::clicked, this, [this, d] { emit keyButtonClicked(d); });
        button->show();
        m_keyButtons[d] = button;
    }
}

void PlayerRow::destroyRunTimeControls()
{
    for (QCheckBox*& box : m_teamBoxes) {
        delete box;
        box = nullptr;
    }
    for (QPushButton*& button : m_keyButtons) {
        delete button;
        button = nullptr;
    }
}

void PlayerRow::showTeams(const GameState& state)
{
    for (int t = 0; t < TeamCount; ++t)
        m_teamBoxes[t]->setChecked(state.teamAssignment[t][m_p] != 0);
}

void PlayerRow::showKeys(const GameState& state, const std::array<bool, 4>& shared)
{
    const bool computer = state.computer[m_p] != Person;
    QFont captionFont = m_dialog->font();
    if (computer)
        captionFont.setPixelSize(ComputerCaptionPixels);
    for (int d = 0; d < 4; ++d) {
        QPushButton* button = m_keyButtons[d];
        button->setEnabled(!computer);
        button->setFont(captionFont);
        const QString name = keyName(state.controlKeys[m_p][d]);
        button->setText(computer ? QStringLiteral("Computer")
                : shared[d]      ? QStringLiteral("! ") + name
                                 : name);
    }
}

void PlayerRow::showCapture(int d) { m_keyButtons[d]->setText(QStringLiteral("...")); }

void PlayerRow::showColour(const GameState& state)
{
    m_colourShape->setFill(qtColour(defaultColours[state.colourChoice[m_p]]));
}

// The Load button has no text of its own: a bound pad shows as a mark on its icon, unless the
// computer steers the player
void PlayerRow::showLoad(const GameState& state, const std::array<QString, 4>& padNames)
{
    const int strength = state.computer[m_p];
    const int slot = state.padSlot[m_p];
    const bool bound = slot >= 0 && slot < PadCount && strength == Person;
    m_loadButton->setIcon(bound ? QIcon(padMark(slot, !padNames[slot].isEmpty())) : QIcon());
    m_loadButton->setToolTip(strength != Person ? computerCaption(strength)
            : bound                             ? padCaption(slot, padNames[slot])
                                                : QString());
}

} // namespace fendral
