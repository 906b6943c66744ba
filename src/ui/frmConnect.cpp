#include "ui/frmConnect.h"

#include "commands/OneLine.h"
#include "platform/Twips.h"
#include "ui/FitText.h"
#include "ui/Forms.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <tuple>

namespace {

// Keeps a line edit free of CR and LF whatever is typed, pasted or set into it.
void keepOnOneLine(QLineEdit* edit)
{
    QObject::connect(edit, &QLineEdit::textChanged, edit, [edit](const QString& text) {
        if (!text.contains(QLatin1Char('\r')) && !text.contains(QLatin1Char('\n')))
            return;
        const int caret = edit->cursorPosition();
        edit->setText(onOneLine(text));
        edit->setCursorPosition(caret);
    });
}

} // namespace

frmConnect::frmConnect()
    : FixedWindow(tr("Connect"), 4095, 2535)
{
    Frame1 = new QGroupBox(tr("Connect options"), this);
    Frame1->setGeometry(twipsRect(120, 120, 3855, 1815));

    UserNamet = new QLineEdit(Frame1);
    UserNamet->setGeometry(twipsRect(1320, 240, 2295, 285));
    UserNamet->setAccessibleName(tr("Username"));

    // Masked, so nobody reads it off the screen; it is stored and sent exactly as typed.
    Passwordt = new QLineEdit(Frame1);
    Passwordt->setEchoMode(QLineEdit::Password);
    Passwordt->setGeometry(twipsRect(1320, 600, 2295, 285));
    Passwordt->setAccessibleName(tr("Password"));

    // Pick a listed server or type "host" or "host:port"; typing does not add to the list.
    cmdServer = new QComboBox(Frame1);
    cmdServer->setEditable(true);
    cmdServer->setInsertPolicy(QComboBox::NoInsert);
    cmdServer->setGeometry(twipsRect(1320, 1320, 2295, 315));
    cmdServer->setAccessibleName(tr("Server"));

    Label1 = new QLabel(tr("Username:"), Frame1);
    Label1->setGeometry(twipsRect(480, 240, 855, 255));
    Label1->setBuddy(UserNamet);
    Label2 = new QLabel(tr("Password:"), Frame1);
    Label2->setGeometry(twipsRect(480, 600, 855, 255));
    Label2->setBuddy(Passwordt);
    Label3 = new QLabel(tr("Server:"), Frame1);
    Label3->setGeometry(twipsRect(720, 1320, 615, 255));
    Label3->setBuddy(cmdServer);
    Label4 = new QLabel(tr("Home Channel:"), Frame1);
    Label4->setGeometry(twipsRect(120, 960, 1095, 255));

    txtChannel = new QLineEdit(Frame1);
    txtChannel->setGeometry(twipsRect(1320, 960, 2295, 285));
    txtChannel->setAccessibleName(tr("Home channel"));
    Label4->setBuddy(txtChannel);

    std::tie(cmdConnect, cmdCancel) =
        addButtonRow(tr("&Connect"), tr("Connect"), tr("C&ancel"), 120, 2040, 1335);

    for (QLabel* label : {Label1, Label2, Label3, Label4})
        fitCaption(label);

    // Top to bottom, as the fields stand.
    setTabOrder(UserNamet, Passwordt);
    setTabOrder(Passwordt, txtChannel);
    setTabOrder(txtChannel, cmdServer);
    setTabOrder(cmdServer, cmdConnect);
    setTabOrder(cmdConnect, cmdCancel);

    wireEvents();
}

frmConnect::~frmConnect() = default;

void frmConnect::wireEvents()
{
    // Each field goes out as one line of the login.
    // Enter in any field presses Connect.
    for (QLineEdit* field : {UserNamet, Passwordt, txtChannel, cmdServer->lineEdit()}) {
        keepOnOneLine(field);
        connect(field, &QLineEdit::returnPressed, cmdConnect, &QPushButton::click);
    }
    connect(cmdConnect, &QPushButton::clicked, this, &frmConnect::cmdConnect_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmConnect::cmdCancel_Click);
}
