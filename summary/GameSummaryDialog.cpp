#include "GameSummaryDialog.h"

#include "GameRecord.h"
#include "ResultsFile.h"
#include "ScoreText.h"
#include "SummaryChart.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <functional>
#include <numeric>

namespace fendral {

namespace {

    const QString teamLetters = QStringLiteral("WXYZ");

    // The columns of the level table: the level, the share of each player and of each team that
    // played, the deaths and the time
    struct Column {
        QString header;
        std::function<QString(const LevelRecord&)> value;
    };

    QList<Column> levelColumns(const GameRecord& record)
    {
        QList<Column> columns { { QStringLiteral("Level"),
            [](const LevelRecord& level) { return QString::number(level.level); } } };
        for (int p = 0; p < PlayerCount; ++p) {
            if (record.teamOf()[p] >= 0)
                columns.append(
                    { QString::fromLatin1(playerNames[p]), [p](const LevelRecord& level) {
                         return formatPercent(level.playerShare[p]);
                     } });
        }
        for (int t = 0; t < TeamCount; ++t) {
            if (std::ranges::count(record.teamOf(), t) > 0)
                columns.append({ QStringLiteral("Team ") + teamLetters[t],
                    [t](const LevelRecord& level) { return formatPercent(level.teamShare[t]); } });
        }
        columns.append({ QStringLiteral("Deaths"), [](const LevelRecord& level) {
                            return QString::number(
                                std::accumulate(level.deaths.begin(), level.deaths.end(), 0));
                        } });
        columns.append({ QStringLiteral("Time"),
            [](const LevelRecord& level) { return levelTimeText(level.milliseconds); } });
        return columns;
    }

    // The totals row: the sums of every level, labelled in the level column
    LevelRecord totals(const GameRecord& record)
    {
        LevelRecord sum;
        for (const LevelRecord& level : record.levels()) {
            for (int p = 0; p < PlayerCount; ++p) {
                sum.playerShare[p] += level.playerShare[p];
                sum.deaths[p] += level.deaths[p];
            }
            for (int t = 0; t < TeamCount; ++t)
                sum.teamShare[t] += level.teamShare[t];
            sum.milliseconds += level.milliseconds;
        }
        return sum;
    }

} // namespace

QString levelTimeText(qint64 milliseconds)
{
    const qint64 seconds = milliseconds / 1000;
    return QStringLiteral("%1:%2").arg(seconds / 60).arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

QString summaryHeadline(const GameRecord& record)
{
    QString headline = record.levelReached() == GameRecord::AllLevelsCompleted
        ? QStringLiteral("All %1 levels completed").arg(LastLevel)
        : QStringLiteral("Game over in level %1").arg(record.levelReached());
    if (record.livesBought() > 0)
        headline += QStringLiteral(", %1 lives bought").arg(record.livesBought());
    if (const int best = record.bestLevelIndex(); best >= 0) {
        const LevelRecord& level = record.levels()[best];
        headline += QStringLiteral(". Best level: %1, %2 of the field")
                        .arg(level.level)
                        .arg(formatPercent(level.share()));
    }
    return headline;
}

GameSummaryDialog::GameSummaryDialog(
    const GameRecord& record, int place, const QString& prefill, bool hasReplay, QWidget* parent)
    : QDialog(parent)
    , m_record(record)
    , m_prefill(prefill)
{
    setWindowTitle(QStringLiteral("Fendral - Game Summary"));
    auto* layout = new QVBoxLayout(this);
    if (place >= 0)
        layout->addLayout(createNameRow(place));
    layout->addWidget(new QLabel(summaryHeadline(record), this));
    layout->addWidget(new SummaryChart(record, this));
    // Only the name field takes the focus: Enter and Esc close the dialog from anywhere
    m_levelTable = new QTableWidget(this);
    m_levelTable->setObjectName(QStringLiteral("levels"));
    m_levelTable->setFocusPolicy(Qt::NoFocus);
    m_levelTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_levelTable->setSelectionMode(QAbstractItemView::NoSelection);
    m_levelTable->verticalHeader()->hide();
    layout->addWidget(m_levelTable);
    fillLevelTable();

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* close = buttons->addButton(QStringLiteral("Close"), QDialogButtonBox::AcceptRole);
    close->setDefault(true);
    close->setFocusPolicy(Qt::NoFocus);
    m_watchButton = buttons->addButton(QStringLiteral("Watch"), QDialogButtonBox::ActionRole);
    m_watchButton->setFocusPolicy(Qt::NoFocus);
    m_watchButton->setEnabled(hasReplay);
    connect(m_watchButton, &QPushButton::clicked, this, [this] {
        m_watchChosen = true;
        accept();
    });
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons);
    resize(560, sizeHint().height());
}

QHBoxLayout* GameSummaryDialog::createNameRow(int place)
{
    auto* row = new QHBoxLayout;
    row->addWidget(
        new QLabel(QStringLiteral("Place %1 of the best results. Name:").arg(place + 1), this));
    m_nameField = new QLineEdit(m_prefill, this);
    m_nameField->setObjectName(QStringLiteral("name"));
    m_nameField->setMaxLength(ResultsFile::MaxNameLength);
    m_nameField->selectAll();
    row->addWidget(m_nameField);
    m_nameField->setFocus();
    return row;
}

void GameSummaryDialog::fillLevelTable()
{
    const QList<Column> columns = levelColumns(m_record);
    const auto& levels = m_record.levels();
    const auto rows = static_cast<int>(levels.size());
    m_levelTable->setColumnCount(static_cast<int>(columns.size()));
    m_levelTable->setRowCount(rows + 1);
    for (int c = 0; c < columns.size(); ++c) {
        m_levelTable->setHorizontalHeaderItem(c, new QTableWidgetItem(columns[c].header));
        for (int r = 0; r <= rows; ++r) {
            const bool total = r == rows;
            auto* item = new QTableWidgetItem(c == 0 && total
                    ? QStringLiteral("Total")
                    : columns[c].value(total ? totals(m_record) : levels[r]));
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            // The best level and the totals stand out
            if (total || r == m_record.bestLevelIndex()) {
                QFont font = item->font();
                font.setBold(true);
                item->setFont(font);
            }
            m_levelTable->setItem(r, c, item);
        }
    }
    m_levelTable->resizeColumnsToContents();
    // Ten rows at most in view: a longer game scrolls
    const int shownRows = std::min(rows + 1, 10);
    m_levelTable->setFixedHeight(m_levelTable->horizontalHeader()->sizeHint().height()
        + shownRows * m_levelTable->rowHeight(0) + 2 * m_levelTable->frameWidth());
}

QString GameSummaryDialog::name() const
{
    const QString typed = m_nameField ? m_nameField->text().trimmed() : QString();
    return typed.isEmpty() ? m_prefill : typed;
}

} // namespace fendral
