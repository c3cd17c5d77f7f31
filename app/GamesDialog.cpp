#include "GamesDialog.h"

#include <QDateTime>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace fendral {

namespace {

    constexpr const char* TeamLetters[TeamCount] = { "W", "X", "Y", "Z" };
    constexpr int PathRole = Qt::UserRole;

    QStringList columns(const ReplayStore::Entry& entry)
    {
        const ReplayHeader& header = entry.replay.header;
        const ReplaySummary& summary = entry.replay.summary;
        const QDateTime date = QDateTime::fromMSecsSinceEpoch(header.date).toLocalTime();
        return { date.toString(QStringLiteral("yyyy-MM-dd HH:mm")),
            GamesDialog::playersText(header), QString::number(summary.levelReached),
            QString::number(summary.fieldShare / 100.0, 'f', 2) + QLatin1Char('%'),
            QString::number(summary.livesBought),
            QString::fromStdString(endReasonName(summary.ended)) };
    }

} // namespace

GamesDialog::GamesDialog(ReplayStore& store, QWidget* parent)
    : QDialog(parent)
    , m_store(store)
{
    setWindowTitle(QStringLiteral("Fendral - Games"));
    m_list = new QTreeWidget(this);
    m_list->setRootIsDecorated(false);
    m_list->setHeaderLabels({ QStringLiteral("Date"), QStringLiteral("Players and teams"),
        QStringLiteral("Level"), QStringLiteral("Field share"), QStringLiteral("Lives bought"),
        QStringLiteral("Ended by") });
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    m_watchButton = buttons->addButton(QStringLiteral("Watch"), QDialogButtonBox::AcceptRole);
    m_deleteButton = buttons->addButton(QStringLiteral("Delete"), QDialogButtonBox::ActionRole);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_watchButton, &QPushButton::clicked, this, &GamesDialog::watchClicked);
    connect(m_deleteButton, &QPushButton::clicked, this, &GamesDialog::deleteClicked);
    connect(m_list, &QTreeWidget::itemSelectionChanged, this, &GamesDialog::selectionChanged);
    connect(m_list, &QTreeWidget::itemActivated, this, &GamesDialog::watchClicked);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
    layout->addWidget(buttons);
    resize(760, 420);
    fillList();
}

QString GamesDialog::playersText(const ReplayHeader& header)
{
    QStringList teams;
    for (int t = 0; t < TeamCount; ++t) {
        QStringList names;
        for (int p = 0; p < PlayerCount; ++p) {
            const PlayerSetup& player = header.players[p];
            if (player.team != t)
                continue;
            QString name = QString::fromLatin1(playerNames[p].data(), playerNames[p].size());
            if (player.controller == Controller::Computer)
                name += QStringLiteral(" (computer)");
            names << name;
        }
        if (!names.isEmpty())
            teams << QLatin1String(TeamLetters[t]) + QStringLiteral(": ")
                    + names.join(QStringLiteral(", "));
    }
    return teams.join(QStringLiteral("; "));
}

void GamesDialog::fillList()
{
    m_list->clear();
    for (const ReplayStore::Entry& entry : m_store.games()) {
        auto* item = new QTreeWidgetItem(m_list, columns(entry));
        item->setData(0, PathRole, entry.path);
    }
    for (int column = 0; column < m_list->columnCount(); ++column)
        m_list->resizeColumnToContents(column);
    if (m_list->topLevelItemCount() > 0)
        m_list->setCurrentItem(m_list->topLevelItem(0));
    selectionChanged();
}

void GamesDialog::selectionChanged()
{
    const bool chosen = m_list->currentItem() != nullptr && m_list->currentItem()->isSelected();
    m_watchButton->setEnabled(chosen);
    m_deleteButton->setEnabled(chosen);
}

void GamesDialog::watchClicked()
{
    if (const QTreeWidgetItem* item = m_list->currentItem()) {
        m_chosenPath = item->data(0, PathRole).toString();
        accept();
    }
}

void GamesDialog::deleteClicked()
{
    const QTreeWidgetItem* item = m_list->currentItem();
    if (item == nullptr)
        return;
    m_store.remove(item->data(0, PathRole).toString());
    fillList();
}

} // namespace fendral
