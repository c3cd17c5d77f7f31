// "Fendral - Games": the kept games, newest first, and the best results, to watch or delete
#pragma once

#include "ReplayStore.h"
#include "ResultsFile.h"

#include <QDialog>

class QPushButton;
class QTabWidget;
class QTreeWidget;

namespace fendral {

class GamesDialog : public QDialog {
    Q_OBJECT
public:
    GamesDialog(ReplayStore& store, ResultsFile results, QWidget* parent = nullptr);

    QTabWidget* tabs() const { return m_tabs; }
    QTreeWidget* gameList() const { return m_list; }
    QTreeWidget* bestList() const { return m_bestList; }
    QPushButton* watchButton() const { return m_watchButton; }
    QPushButton* deleteButton() const { return m_deleteButton; }
    // The game chosen to watch once the dialog closed with "Watch"; empty otherwise
    const QString& chosenPath() const { return m_chosenPath; }

    // One line of the list: who played in which team, e.g. "W: Alpha, Beta; X: Gamma"
    static QString playersText(const ReplayHeader& header);
    // The same for a best result; with colours, each name follows a square in its colour
    static QString playersText(const QList<ResultPlayer>& players, bool withColours = false);
    // A best result's level: the level the game ended in, or that it completed every level
    static QString levelText(int levelReached);

private:
    void fillList();
    void fillBestList();
    QTreeWidget* shownList() const;
    // The file of the game the shown list has chosen; empty when it has none
    QString chosenFile() const;
    void selectionChanged();
    void watchClicked();
    void deleteClicked();

    ReplayStore& m_store;
    ResultsFile m_resultsFile;
    ResultsFile::Contents m_results;
    QTabWidget* m_tabs = nullptr;
    QTreeWidget* m_list = nullptr;
    QTreeWidget* m_bestList = nullptr;
    QPushButton* m_watchButton = nullptr;
    QPushButton* m_deleteButton = nullptr;
    QString m_chosenPath;
};

} // namespace fendral
