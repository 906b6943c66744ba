#pragma once

#include <QWidget>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QToolButton;

// A find bar for a log box: the log is searched as the user types (letter case ignored),
// Enter goes to the next match and Shift+Enter to the previous one, both wrapping round at
// the ends of the log. A match is selected in the log and scrolled into view. "Not found"
// is said in the bar. Escape closes the bar.
class FindBar : public QWidget {
    Q_OBJECT
public:
    explicit FindBar(QWidget* parent = nullptr);

    // Shows the bar for `log` (`logName` says which log, "chat log"), with the text typed
    // before selected, and gives it the focus.
    void open(QPlainTextEdit* log, const QString& logName);
    QPlainTextEdit* log() const { return m_log; }

    QLineEdit* findText = nullptr;
    QLabel* result = nullptr; // "Not found", or where the search went on
    QToolButton* cmdPrevious = nullptr;
    QToolButton* cmdNext = nullptr;
    QToolButton* cmdClose = nullptr;

    // Goes to the next match after the current one, or the one before it.
    void findNext();
    void findPrevious();
    void close();

signals:
    void closed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    enum class From { Match, After, Before };
    void find(From from);

    QPlainTextEdit* m_log = nullptr;
};
