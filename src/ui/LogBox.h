#pragma once

#include "ui/LogStyle.h"

#include <QPlainTextEdit>
#include <QTime>

#include <functional>

class QPushButton;

// A multi-line log: read-only for the user, who can still place the caret, select text and
// copy it with Ctrl+C; the program writes at the end and leaves both alone. Mouse presses
// are reported before the box reacts. A right press never moves the caret; it opens the
// box's own edit menu (Copy, Select All) only where the window has no menu of its own for
// it.
//
// While the user has scrolled the log up to read back, new lines do not move the view; a
// marker at the bottom says how many are below. Clicking it, End, or scrolling to the bottom
// brings the view back to the end, which it then follows again.
//
// Every line is laid out left to right, whatever script it begins with; what is copied
// leaves out the isolates that keep right-to-left names and texts in place.
class LogBox : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit LogBox(QWidget* parent = nullptr);

    // On: a right press opens the edit menu. Off (the default): it only reports mouseDown.
    void setEditMenu(bool on);

    // On: every line the program writes into the box begins with the time as "[HH:MM] ".
    void setTimestamps(bool on);
    // The clock the time stamps read: local time unless a test fixes it.
    void setClock(std::function<QTime()> clock);
    // What goes in front of a line written now: the time stamp, or nothing when they are off.
    QString linePrefix() const;

    // The program's log writers call this with each text they have put into the box (its
    // lines without the time stamps), for whoever keeps a copy of what the logs show.
    void reportShown(const QString& text) { emit textShown(text); }
    // The colours, marks and links of the lines the program writes (LogStyle.h); they follow
    // the box's palette for the lines written after a change.
    LogStyle& lineStyle() { return m_style; }
    const LogStyle& lineStyle() const { return m_style; }
    // Inserts text the program writes, as lines of that kind, at the cursor.
    void insertLines(QTextCursor& cursor, const QString& text, LineKind kind) const;

    // Lines were added below a view scrolled up.
    void noteLinesBelow(int count);
    // How many: what the marker says (0: it is hidden, the view follows the end).
    int linesBelow() const { return m_linesBelow; }
    QPushButton* newLinesMarker() const { return m_newLines; }
    // Shows the end of the log and follows it from now on.
    void followEnd();

signals:
    void mouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers);
    void textShown(const QString& text);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    QMimeData* createMimeDataFromSelection() const override;
    // A link opens on a left click that starts and ends on it, never on hovering.
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void viewMoved(int value);
    void placeMarker();

    QPushButton* m_newLines = nullptr;
    int m_linesBelow = 0;
    bool m_editMenu = false;
    bool m_timestamps = false;
    std::function<QTime()> m_clock = [] { return QTime::currentTime(); };
    LogStyle m_style;
    QString m_pressedLink;
};
