#pragma once

#include "ui/LogStyle.h"

#include <QPlainTextEdit>
#include <QTime>

#include <functional>

// A multi-line log: read-only for the user, who can still place the caret, select text and
// copy it with Ctrl+C (the program writes at the caret, and replaces a selection, on
// purpose). Mouse presses are reported before the box reacts. A right press never moves the
// caret; it opens the box's own edit menu (Copy, Select All) only where the window has no
// menu of its own for it.
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

signals:
    void mouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers);
    void textShown(const QString& text);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    // A link opens on a left click that starts and ends on it, never on hovering.
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    bool m_editMenu = false;
    bool m_timestamps = false;
    std::function<QTime()> m_clock = [] { return QTime::currentTime(); };
    LogStyle m_style;
    QString m_pressedLink;
};
