// Lines that concern the user: the user's own name marks the lines from others that name
// it, and while the window is in the background such a line, or a whisper, draws the user
// back: the taskbar alert and a desktop notification, unless Options > Notify on Mentions
// is off.
#include "ui/frmMain.h"

#include "platform/WindowSystem.h"
#include "protocol/ChatEvent.h"
#include "settings/ConfigurationKey.h"
#include "settings/SettingText.h"
#include "ui/DesktopNotifier.h"
#include "ui/LogBox.h"

#include <QAction>

namespace {
// The sender as people know it: a talk line's user field also holds the event name.
QString senderName(const ChatEvent& event)
{
    QStringView user = trimBlanks(event.user);
    if (event.kind == ChatEvent::Kind::Talk && user.startsWith(u"TALK "))
        user = trimBlanks(user.sliced(5));
    return user.toString();
}
} // namespace

void frmMain::setUpMentions()
{
    notifier = new DesktopNotifier(this);
    notifier->setQuietWhile([this] { return isActiveWindow() || !mnuNotify->isChecked(); });
    mnuNotify->setChecked(readFlag(ConfigurationKey::NotifyOnMentions, true));
}

void frmMain::setOwnName(const QString& name)
{
    TxtGet->lineStyle().setOwnName(name);
    TxtWhisper->lineStyle().setOwnName(name);
}

void frmMain::mnuNotify_Click()
{
    const bool on = !mnuNotify->isChecked();
    mnuNotify->setChecked(on);
    storeFlag(ConfigurationKey::NotifyOnMentions, on);
}

void frmMain::alertOfMention(const ChatEvent& event)
{
    if (!mnuNotify->isChecked() || isActiveWindow() || !TxtGet->lineStyle().mentions(event.text))
        return;
    WindowSystem::alertUnlessActive(this);
    notifyUnlessActive(event);
}

void frmMain::notifyUnlessActive(const ChatEvent& event)
{
    if (mnuNotify->isChecked() && !isActiveWindow())
        notifier->notify(senderName(event), event.text.toString());
}
