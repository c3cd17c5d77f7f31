// "Fendral - Games": the kept games, newest first, to watch or delete
#pragma once

#include "ReplayStore.h"

#include <QDialog>

class QPushButton;
class QTreeWidget;

namespace fendral {

class GamesDialog : public QDialog {
    Q_OBJECT
public:
    GamesDialog(ReplayStore& store, QWidget* parent = nullptr);

    QTreeWidget* gameList() const { return m_list; }
    QPushButton* watchButton() const { return m_watchButton; }
    QPushButton* deleteButton() const { return m_deleteButton; }
    // The game chosen to watch once the dialog closed with "Watch"; empty otherwise
    const QString& chosenPath() const { return m_chosenPath; }

    // One line of the list: who played in which team, e.g. "W: Alpha, Beta; X: Gamma"
    static QString playersText(const ReplayHeader& header);

private:
    void fillList();
    void selectionChanged();
    void watchClicked();
    void deleteClicked();

    ReplayStore& m_store;
    QTreeWidget* m_list = nullptr;
    QPushButton* m_watchButton = nullptr;
    QPushButton* m_deleteButton = nullptr;
    QString m_chosenPath;
};

} // namespace fendral
