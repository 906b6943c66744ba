// vantric-testserver: a local chat gateway server for trying the chat client without an
// account. Listens on 127.0.0.1 only and runs until it is killed.
#include "testserver/ChatGatewayServer.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTextStream>

#include <cstdio>

namespace {

// "alice:secret,bob:pw" -> {alice: secret, bob: pw}. A password may contain ':'.
bool parseAccounts(const QString& text, QHash<QString, QString>* accounts)
{
    for (const QString& entry : text.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        const qsizetype colon = entry.indexOf(QLatin1Char(':'));
        if (colon <= 0)
            return false;
        accounts->insert(entry.left(colon), entry.mid(colon + 1));
    }
    return !accounts->isEmpty();
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("vantric-testserver"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "A local chat gateway server on 127.0.0.1, for trying the chat client without an "
        "account.\nPrints \"Listening on 127.0.0.1:<port>\" and runs until it is killed. "
        "Connections and logins are logged on standard error."));
    parser.addHelpOption();
    const QCommandLineOption portOption(
        QStringLiteral("port"),
        QStringLiteral("Port to listen on; 0 (the default) picks a free one."), QStringLiteral("N"),
        QStringLiteral("0"));
    const QCommandLineOption accountsOption(
        QStringLiteral("accounts"),
        QStringLiteral("Only these accounts may log in, each with its password, e.g. "
                       "alice:secret,bob:pw. Without it any name logs in with any password."),
        QStringLiteral("name:password,..."));
    const QCommandLineOption noQuotaOption(
        QStringLiteral("no-flood-quota"),
        QStringLiteral("Handle every line however fast or long it comes. Without it a "
                       "logged-in user's lines count against the flood quota of a stock "
                       "server (5 units in 5 seconds, one unit per started 40 bytes, lines "
                       "over 200 bytes refused, disconnect at 10 units)."));
    parser.addOption(portOption);
    parser.addOption(accountsOption);
    parser.addOption(noQuotaOption);
    parser.process(app);

    QTextStream err(stderr);
    bool portOk = false;
    const uint port = parser.value(portOption).toUInt(&portOk);
    if (!portOk || port > 65535) {
        err << "vantric-testserver: --port wants a number from 0 to 65535\n";
        return 2;
    }
    QHash<QString, QString> accounts;
    if (parser.isSet(accountsOption) && !parseAccounts(parser.value(accountsOption), &accounts)) {
        err << "vantric-testserver: --accounts wants name:password pairs separated by commas\n";
        return 2;
    }

    ChatGatewayServer server;
    server.setAccounts(accounts);
    server.setFloodQuotaEnabled(!parser.isSet(noQuotaOption));
    QObject::connect(&server, &ChatGatewayServer::sessionStarted, [&err](int session) {
        err << "session " << session << " connected" << Qt::endl;
    });
    QObject::connect(&server, &ChatGatewayServer::loggedIn,
                     [&err](int session, const QString& name) {
                         err << "session " << session << " logged in as " << name << Qt::endl;
                     });
    QObject::connect(&server, &ChatGatewayServer::sessionClosed, [&err](int session) {
        err << "session " << session << " closed" << Qt::endl;
    });
    if (!server.listen(quint16(port))) {
        err << "vantric-testserver: cannot listen on 127.0.0.1:" << port << ": "
            << server.errorString() << Qt::endl;
        return 1;
    }

    // Scripts wait for this line to learn the port, so it goes out at once.
    std::printf("Listening on 127.0.0.1:%u\n", unsigned(server.serverPort()));
    std::fflush(stdout);
    return app.exec();
}
