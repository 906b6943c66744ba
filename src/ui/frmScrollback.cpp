#include "ui/frmScrollback.h"

#include "ui/Scrollback.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QVBoxLayout>

frmScrollback::frmScrollback(int lines, QWidget* parent)
    : QDialog(parent)
    , m_lines(lines)
{
    setWindowTitle(tr("Scrollback"));

    Label1 = new QLabel(tr("Lines kept in each log (0 keeps every line):"), this);
    txtLines = new QLineEdit(QString::number(lines), this);
    txtLines->setAccessibleName(tr("Lines kept in each log"));
    Label1->setBuddy(txtLines);

    lblProblem = new QLabel(this);
    lblProblem->setWordWrap(true);
    lblProblem->setAccessibleName(tr("Problem"));
    lblProblem->hide();

    cmdOkay = new QPushButton(tr("OK"), this);
    cmdOkay->setDefault(true);
    cmdCancel = new QPushButton(tr("Cancel"), this);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOkay);
    buttons->addWidget(cmdCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addWidget(txtLines);
    layout->addWidget(lblProblem);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(cmdOkay, &QPushButton::clicked, this, &frmScrollback::cmdOkay_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void frmScrollback::cmdOkay_Click()
{
    if (const auto lines = Scrollback::parse(txtLines->text())) {
        m_lines = *lines;
        accept();
        return;
    }
    // A long paste is quoted by its start only, so the message stays a few lines long.
    QString typed = txtLines->text().trimmed();
    if (typed.size() > 24)
        typed = typed.left(24) + QChar(0x2026);
    const QString wanted = tr("Enter a whole number from 0 to %1; 0 keeps every line.")
                               .arg(QLocale(QLocale::English).toString(Scrollback::MaxLines));
    lblProblem->setText(
        typed.isEmpty() ? wanted : tr("\"%1\" is not a number of lines. %2").arg(typed, wanted));
    lblProblem->show();
    txtLines->selectAll();
    txtLines->setFocus();
}
