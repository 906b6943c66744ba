#pragma once

#include <QLineEdit>
#include <QStringList>

#include <functional>
#include <optional>

// The message box under the chat log, with the keyboard habits of chat programs: Up and
// Down walk through the lines sent from it in this run (Down past the newest brings back
// what was being typed), Escape empties it, and Tab completes the word before the caret to
// the name of a user in the channel, Tab again to the next such name.
class InputBox : public QLineEdit {
    Q_OBJECT
public:
    explicit InputBox(QWidget* parent = nullptr);

    // How many sent lines Up can reach.
    static constexpr int HistoryLimit = 100;

    // Where Tab finds the names: the user list's items as they stand.
    void setNameSource(std::function<QStringList()> names);

    // The box's text has been sent: it joins the history and the box is emptied.
    void clearAfterSending();

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    struct Completion {
        int wordStart = 0;
        QStringList names;
        qsizetype index = 0;
        QString shown; // the text and caret the last completion left, to tell a second Tab
        int caret = 0;
    };

    void recall(int step);
    bool complete(int step);
    std::optional<Completion> startCompletion() const;
    void showCompletion();

    std::function<QStringList()> m_names;
    QStringList m_history; // newest first
    int m_recalled = -1;   // index into m_history; -1 while the draft is shown
    QString m_draft;
    std::optional<Completion> m_completion;
};
