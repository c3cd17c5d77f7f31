#include "GamesDialog.h"

#include "QtColour.h"
#include "ScoreText.h"

#include <QDateTime>
#include <QDebug>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace fendral {

namespace {

    constexpr const char* TeamLetters[TeamCount] = { "W", "X", "Y", "Z" };
    constexpr int PathRole = Qt::UserRole;
    constexpr int PlayersColumn = 3; // of the best results

    QString dateText(qint64 date)
    {
        return QDateTime::fromMSecsSinceEpoch(date).toLocalTime().toString(
            QStringLiteral("yyyy-MM-dd HH:mm"));
    }

    QStringList columns(const ReplayStore::Entry& entry)
    {
        const ReplayHeader& header = entry.replay.header;
        const ReplaySummary& summary = entry.replay.summary;
        return { dateText(header.date), GamesDialog::playersText(header),
            QString::number(summary.levelReached),
            QString::number(summary.fieldShare / 100.0, 'f', 2) + QLatin1Char('%'),
            QString::number(summary.livesBought),
            QString::fromStdString(endReasonName(summary.ended)) };
    }

    QStringList bestColumns(int place, const GameResult& result)
    {
        return { QString::number(place + 1), dateText(result.date), result.name, QString(),
            GamesDialog::levelText(result.levelReached), formatPercent(result.share),
            QString::number(result.deaths), QString::number(result.livesBought) };
    }

    QTreeWidget* createList(const QStringList& headers, QWidget* parent)
    {
        auto* list = new QTreeWidget(parent);
        list->setRootIsDecorated(false);
        list->setHeaderLabels(headers);
        return list;
    }

    void finishList(QTreeWidget* list)
    {
        for (int column = 0; column < list->columnCount(); ++column)
            list->resizeColumnToContents(column);
        if (list->topLevelItemCount() > 0)
            list->setCurrentItem(list->topLevelItem(0));
    }

} // namespace

GamesDialog::GamesDialog(ReplayStore& store, ResultsFile results, QWidget* parent)
    : QDialog(parent)
    , m_store(store)
    , m_resultsFile(std::move(results))
{
    setWindowTitle(QStringLiteral("Fendral - Games"));
    m_list = createList({ QStringLiteral("Date"), QStringLiteral("Players and teams"),
                            QStringLiteral("Level"), QStringLiteral("Field share"),
                            QStringLiteral("Lives bought"), QStringLiteral("Ended by") },
        this);
    m_bestList = createList(
        { QStringLiteral("Place"), QStringLiteral("Date"), QStringLiteral("Name"),
            QStringLiteral("Players and teams"), QStringLiteral("Level"), QStringLiteral("Share"),
            QStringLiteral("Deaths"), QStringLiteral("Lives bought") },
        this);
    m_tabs = new QTabWidget(this);
    m_tabs->addTab(m_list, QStringLiteral("Recent games"));
    m_tabs->addTab(m_bestList, QStringLiteral("Best results"));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    m_watchButton = buttons->addButton(QStringLiteral("Watch"), QDialogButtonBox::AcceptRole);
    m_deleteButton = buttons->addButton(QStringLiteral("Delete"), QDialogButtonBox::ActionRole);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_watchButton, &QPushButton::clicked, this, &GamesDialog::watchClicked);
    connect(m_deleteButton, &QPushButton::clicked, this, &GamesDialog::deleteClicked);
    connect(m_tabs, &QTabWidget::currentChanged, this, &GamesDialog::selectionChanged);
    for (QTreeWidget* list : { m_list, m_bestList }) {
        connect(list, &QTreeWidget::itemSelectionChanged, this, &GamesDialog::selectionChanged);
        connect(list, &QTreeWidget::itemActivated, this, &GamesDialog::watchClicked);
    }
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs);
    layout->addWidget(buttons);
    resize(820, 420);
    fillList();
    fillBestList();
}

QString GamesDialog::playersText(const ReplayHeader& header)
{
    QList<ResultPlayer> players;
    for (int p = 0; p < PlayerCount; ++p) {
        const PlayerSetup& player = header.players[p];
        if (player.team >= 0)
            players.append(
                { p, player.team, player.colour, player.controller == Controller::Computer });
    }
    return playersText(players);
}

QString GamesDialog::playersText(const QList<ResultPlayer>& players, bool withColours)
{
    QStringList teams;
    for (int t = 0; t < TeamCount; ++t) {
        QStringList names;
        for (const ResultPlayer& player : players) {
            if (player.team != t)
                continue;
            QString name = QString::fromLatin1(
                playerNames[player.player].data(), playerNames[player.player].size());
            if (player.computer != 0)
                name += QStringLiteral(" (computer)");
            if (withColours && player.colour >= 0 && player.colour < ColourCount)
                name = QStringLiteral("<span style=\"color:%1\">\u25a0</span>&nbsp;%2")
                           .arg(qtColour(defaultColours[player.colour]).name(), name);
            names << name;
        }
        if (!names.isEmpty())
            teams << QLatin1String(TeamLetters[t]) + QStringLiteral(": ")
                    + names.join(QStringLiteral(", "));
    }
    return teams.join(QStringLiteral("; "));
}

QString GamesDialog::levelText(int levelReached)
{
    return levelReached > LastLevel ? QStringLiteral("all %1 completed").arg(LastLevel)
                                    : QString::number(levelReached);
}

void GamesDialog::fillList()
{
    m_list->clear();
    for (const ReplayStore::Entry& entry : m_store.games()) {
        auto* item = new QTreeWidgetItem(m_list, columns(entry));
        item->setData(0, PathRole, entry.path);
    }
    finishList(m_list);
    selectionChanged();
}

void GamesDialog::fillBestList()
{
    m_bestList->clear();
    m_results = m_resultsFile.load();
    const QList<GameResult>& entries = m_results.table.entries();
    int playersWidth = 0; // the names in their colours are widgets, which columns do not measure
    for (int place = 0; place < entries.size(); ++place) {
        const GameResult& result = entries[place];
        auto* item = new QTreeWidgetItem(m_bestList, bestColumns(place, result));
        if (!result.replay.isEmpty())
            item->setData(0, PathRole, m_store.folder() + QLatin1Char('/') + result.replay);
        item->setToolTip(PlayersColumn, playersText(result.players));
        auto* players = new QLabel(playersText(result.players, true));
        players->setTextFormat(Qt::RichText);
        m_bestList->setItemWidget(item, PlayersColumn, players);
        playersWidth = std::max(playersWidth, players->sizeHint().width());
    }
    finishList(m_bestList);
    const int margin = 2 * m_bestList->style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 8;
    m_bestList->setColumnWidth(
        PlayersColumn, std::max(m_bestList->columnWidth(PlayersColumn), playersWidth + margin));
    selectionChanged();
}

QTreeWidget* GamesDialog::shownList() const
{
    return m_tabs->currentWidget() == m_bestList ? m_bestList : m_list;
}

QString GamesDialog::chosenFile() const
{
    const QTreeWidgetItem* item = shownList()->currentItem();
    return item != nullptr && item->isSelected() ? item->data(0, PathRole).toString() : QString();
}

void GamesDialog::selectionChanged()
{
    const QTreeWidgetItem* item = shownList()->currentItem();
    const bool chosen = item != nullptr && item->isSelected();
    // A best result from before results kept their replays has none to watch
    m_watchButton->setEnabled(chosen && !chosenFile().isEmpty());
    m_deleteButton->setEnabled(chosen);
}

void GamesDialog::watchClicked()
{
    if (const QString file = chosenFile(); !file.isEmpty()) {
        m_chosenPath = file;
        accept();
    }
}

void GamesDialog::deleteClicked()
{
    QTreeWidgetItem* item = shownList()->currentItem();
    if (item == nullptr || !item->isSelected())
        return;
    if (shownList() == m_list) {
        m_store.remove(item->data(0, PathRole).toString());
        fillList();
        return;
    }
    // The entry leaves the table; its replay stays as a recent game, trimmed in its turn
    m_results.table.remove(m_bestList->indexOfTopLevelItem(item));
    QString error;
    if (!m_resultsFile.save(m_results, error))
        qWarning().noquote() << "Fendral: the best results were not kept:" << error;
    fillBestList();
}

} // namespace fendral
