// The summary at the end of a game: its course level by level, a chart, and the place it took
// among the best results with the name it goes under
#pragma once

#include <QDialog>

class QHBoxLayout;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace fendral {

class GameRecord;

// "Fendral - Game Summary". Enter, Esc, "Close" (and a pad's A or B, as for every dialog) close
// it; the name field keeps what it holds whichever way the dialog closes.
class GameSummaryDialog : public QDialog {
    Q_OBJECT
public:
    // place: 0 for the best result, -1 when the game did not enter the best results, which
    // leaves out the name field. prefill: the name the field starts with, selected. hasReplay:
    // the game's replay was kept, so "Watch" can show it.
    GameSummaryDialog(const GameRecord& record, int place, const QString& prefill,
        bool hasReplay = false, QWidget* parent = nullptr);

    // The name typed, or the prefill when the field was left empty.
    QString name() const;
    // The dialog closed with "Watch": the game's replay is to be shown
    bool isWatchChosen() const { return m_watchChosen; }
    QPushButton* watchButton() const { return m_watchButton; }

    QLineEdit* nameField() const { return m_nameField; }
    QTableWidget* levelTable() const { return m_levelTable; }

private:
    QHBoxLayout* createNameRow(int place);
    void fillLevelTable();

    const GameRecord& m_record;
    QString m_prefill;
    QLineEdit* m_nameField = nullptr;
    QTableWidget* m_levelTable = nullptr;
    QPushButton* m_watchButton = nullptr;
    bool m_watchChosen = false;
};

// The game's texts of the summary: "m:ss" for a level's time, a headline for how it ended.
QString levelTimeText(qint64 milliseconds);
QString summaryHeadline(const GameRecord& record);

} // namespace fendral
